#!/usr/bin/env bash
# One board per program folder, with the real program: a second start in the same folder ends at once without
# touching the board and asks the running copy to come forward; a lock left by a killed copy does not stop the next
# start; copies in two folders both run.
#   second_start_test.sh <Tallivor executable> <folder with English.xml>
set -euo pipefail
exe=$1
languages=$2
work=$(mktemp -d)
pids=()
trap 'kill -9 "${pids[@]}" 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "second_start_test: $*" >&2; exit 1; }
export QT_QPA_PLATFORM=offscreen

folder() { # a program folder with the program, English and a board of one running station
    mkdir -p "$1"
    cp "$exe" "$1/Tallivor"
    cp "$languages/English.xml" "$1/"
    printf '10,English.xml\r\nStart,PC 1,0:0,00\r\n' >"$1/tallivor.xml"
}
start() { "$1/Tallivor" >/dev/null 2>&1 & pids+=($!); started=$!; }
wait_for() { # <seconds> <command...>: true once the command succeeds
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}
gone() { ! kill -0 "$1" 2>/dev/null; }

a="$work/Board A"
folder "$a"
start "$a"
first=$started
wait_for 10 test -e "$a/tallivor.lock" || fail "the first copy took no lock"
before=$(cat "$a/tallivor.xml")

start "$a"
second=$started
wait_for 10 gone "$second" || fail "the second copy in the same folder did not end"
wait "$second" || fail "the second copy ended with status $?"
kill -0 "$first" 2>/dev/null || fail "the first copy ended"
wait_for 5 test ! -e "$a/tallivor.front" || fail "the first copy did not take the request to come forward"
[ "$(cat "$a/tallivor.xml")" = "$before" ] || fail "the second copy wrote the station file"

# A copy killed outright leaves its lock behind: the next start takes it over and runs the board on.
kill -9 "$first"
wait "$first" 2>/dev/null || true
[ -e "$a/tallivor.lock" ] || fail "no lock was left behind to test with"
start "$a"
third=$started
b="$work/Board B"
folder "$b"
start "$b"
other=$started
sleep 2
kill -0 "$third" 2>/dev/null || fail "a lock left by a killed copy stopped the next start"
kill -0 "$other" 2>/dev/null || fail "a copy in another folder did not run"
kill -TERM "$third" "$other"
wait "$third" "$other" || true
grep -q '^Start,PC 1,0:[1-9]' "$a/tallivor.xml" || fail "the board did not count on: $(cat "$a/tallivor.xml")"
grep -q '^Start,PC 1,0:[1-9]' "$b/tallivor.xml" || fail "the other board did not count: $(cat "$b/tallivor.xml")"
echo "second_start_test: one board per folder; stale lock taken over; two folders, two boards"
