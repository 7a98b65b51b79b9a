# What bench/startup.sh and bench/resources.sh share; sourced, not run. The caller sets $script (its name, for
# messages) and passes its arguments on; afterwards $build and $bin name the build folder, $rows the board size, and
# $work a scratch folder that the caller's cleanup removes.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:-$here/../build/bench}" && pwd)
bin=$build/bin
rows=32767

# Stops with a message unless each named program of the build exists.
require_built() {
    for tool in "$@"; do
        [ -x "$bin/$tool" ] || { echo "$script: $bin/$tool is missing: build $build first" >&2; exit 1; }
    done
}

work=$(mktemp -d "/tmp/tallivor-$script.XXXXXX")
