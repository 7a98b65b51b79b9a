#!/usr/bin/env python3
"""Two rules of the sources that no compiler checks.

    source_rules.py keys SRC_DIR            no detail key of a ledger line is spelled outside ledger/Events.*: the
                                           events header names them once (a literal "paid=" or a key beside the word
                                           detail elsewhere is a second spelling)
    source_rules.py format CLANG_FORMAT DIR...
                                           every C++ file is as clang-format (Debian 12's, version 14) writes it

Prints what breaks a rule and exits 1 when anything does.
"""
import pathlib
import re
import subprocess
import sys

LITERAL = re.compile(r'"((?:[^"\\]|\\.)*)"')


def detail_keys(src: pathlib.Path):
    text = (src / "ledger" / "Events.cpp").read_text(encoding="utf-8")
    table = re.search(r"detailKeys\{(.*?)\};", text, re.S)
    return set(LITERAL.findall(table.group(1))) if table else set()


def key_breaches(src: pathlib.Path):
    keys = detail_keys(src)
    if not keys:
        yield "ledger/Events.cpp: no detailKeys table found"
        return
    for path in sorted(src.rglob("*")):
        if path.suffix not in {".h", ".cpp"} or path.relative_to(src).as_posix().startswith("ledger/Events."):
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            for literal in LITERAL.findall(line):
                head = literal.split("=", 1)[0]
                if ("=" in literal and head in keys) or (literal in keys and "detail" in line.lower()):
                    yield f"{path.relative_to(src)}:{number}: the detail key \"{head}\" spelled outside the events header"


def format_breaches(clang_format: str, folders):
    files = sorted(str(p) for folder in folders for p in pathlib.Path(folder).rglob("*") if p.suffix in {".h", ".cpp"})
    version = subprocess.run([clang_format, "--version"], capture_output=True, text=True).stdout
    if "version 14." not in version:
        yield f"{clang_format} is not clang-format 14 (another version formats differently): {version.strip()}"
        return
    for start in range(0, len(files), 50):
        done = subprocess.run([clang_format, "--dry-run", "-Werror", *files[start:start + 50]],
                              capture_output=True, text=True)
        for line in done.stderr.splitlines():
            if ": error:" in line:
                yield line


def main() -> int:
    if sys.argv[1] == "keys":
        found = list(key_breaches(pathlib.Path(sys.argv[2])))
    else:
        found = list(format_breaches(sys.argv[2], sys.argv[3:]))
    for line in found:
        print(line)
    print(f"{sys.argv[1]}: {len(found)} breach(es)")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
