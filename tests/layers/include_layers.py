#!/usr/bin/env python3
"""Checks the include lines of src/ against the layers: each folder includes only itself and the folders below it.

The widgets side (window, report, dialogs, ui) lies over the Qt Core-only side (board, accounts, till, ledger, lang,
store, rules): the accounts read the till's bills back from the ledger, and the receipt in ui/ prints a bill as the
room's settings say; app/ holds main.cpp alone and may include anything. Includes of the project's own files are
rooted at src/ ("board/Board.h") and never climb with "../".

    include_layers.py SRC_DIR     prints every include line that breaks a rule; exits 1 when there is one
"""
import pathlib
import re
import sys

# What each folder may include besides itself. Keep in step with DESIGN.md's layout.
ALLOWED = {
    "app": {"window", "dialogs", "report", "ui", "board", "till", "accounts", "ledger", "lang", "store", "rules"},
    "window": {"dialogs", "report", "ui", "board", "till", "accounts", "ledger", "lang", "store", "rules"},
    "report": {"ui", "accounts", "ledger", "lang", "store", "rules"},
    "dialogs": {"ui", "board", "till", "lang", "store", "rules"},
    "ui": {"board", "till", "lang", "store", "rules"},
    "board": {"accounts", "till", "ledger", "lang", "store", "rules"},
    "accounts": {"till", "ledger", "lang", "store", "rules"},
    "till": {"ledger", "lang", "store", "rules"},
    "ledger": {"store", "rules"},
    "lang": {"store", "rules"},
    "store": {"rules"},
    "rules": set(),
}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def breaches(src: pathlib.Path):
    for path in sorted(src.rglob("*")):
        if path.suffix not in {".h", ".cpp"}:
            continue
        folder = path.relative_to(src).parts[0]
        if folder not in ALLOWED:
            yield f"{path.relative_to(src)}: the folder {folder}/ is in no layer"
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = match.group(1)
            where = f"{path.relative_to(src)}:{number}: {target}"
            if ".." in pathlib.PurePosixPath(target).parts or "/" not in target:
                yield f"{where}: not rooted at src/"
                continue
            layer = target.split("/")[0]
            if layer != folder and layer not in ALLOWED[folder]:
                yield f"{where}: {folder}/ may not include {layer}/"
            elif not (src / target).is_file():
                yield f"{where}: no such file"


def main() -> int:
    found = list(breaches(pathlib.Path(sys.argv[1])))
    for line in found:
        print(line)
    print(f"include_layers: {len(found)} include line(s) break the layers")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
