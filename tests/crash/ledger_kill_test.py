#!/usr/bin/env python3
"""Resets a station in the real program and kills it with SIGKILL right after: the bill line must be in the ledger.

Each round starts the program on a virtual X display with one charged station, clicks "Reset Computer" twice the
way an operator does, and kills the program either the moment its append of the bill line is over (the ledger file
closed again) or while it is still appending (the file caught open). Then:
  - killed after the append: the ledger holds the bill line, complete, with the time and charge the reset cleared;
  - killed during it: the bill line is there whole or not at all (a line cut short is allowed only as the last line);
  - the program is started again and closed, and the chain of the whole file checks: every line chains on the line
    before it, a cut line is passed over, and the new lines carry on after it.
The chain is checked here by a second implementation of the check: SHA-256 over the previous line's check, a comma
and the line's fields, its first 16 hex digits.

    ledger_kill_test.py --exe build/dev/bin/Tallivor [--rounds 6]
"""
import argparse
import glob
import hashlib
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

HEADING = b"time,event,station,spent,charge,price,detail,check"
RESET_BUTTON = (159, 46)  # the middle of "Reset Computer": 1710 + 1365 / 2 and 600 + 255 / 2 twips, in pixels


def ledger_path(folder):
    found = glob.glob(os.path.join(folder, "tallivor-ledger-*.csv"))
    return found[0] if found else None


def appending(pid, folder):
    """True while the process holds a ledger file of the folder open."""
    try:
        for fd in os.listdir(f"/proc/{pid}/fd"):
            try:
                target = os.readlink(f"/proc/{pid}/fd/{fd}")
            except OSError:
                continue
            if target.startswith(folder + "/tallivor-ledger-"):
                return True
    except OSError:
        pass
    return False


def check_chain(data):
    """The lines of a ledger file and the faults of its chain; a cut line may be passed over."""
    faults = []
    if not data.startswith(b"\xef\xbb\xbf" + HEADING + b"\r\n"):
        faults.append("no byte-order mark and heading")
    lines = data[3:].split(b"\r\n")
    if lines[-1] != b"":
        faults.append("the file does not end with a line end")
    previous = b"0" * 16
    good = []
    for number, line in enumerate(lines[1:-1], start=2):
        fields, _, check = line.rpartition(b",")
        if len(check) != 16:
            good.append(None)  # a line cut short: the next chains on the check before it
            continue
        if hashlib.sha256(previous + b"," + fields).hexdigest()[:16].encode() != check:
            faults.append(f"line {number} does not chain: {line[:80]!r}")
        previous = check
        good.append(fields.split(b","))
    if good.count(None) > 1:
        faults.append(f"{good.count(None)} cut lines")
    return good, faults


def run_round(exe, language, display, mode, charge, rng):
    folder = tempfile.mkdtemp(prefix="tallivor-ledger-kill-")
    try:
        shutil.copy(exe, folder)
        shutil.copy(language, folder)
        with open(os.path.join(folder, "tallivor.xml"), "wb") as f:
            f.write(f"10,English.xml\r\nStop,PC 7,42:17,{charge}\r\n".encode())
        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
        program = os.path.join(folder, "Tallivor")
        proc = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(proc.pid)],
                                env=env, capture_output=True, text=True, timeout=20).stdout.split()
        if not window:
            proc.kill()
            return ["the window did not show"]
        x, y = RESET_BUTTON
        subprocess.run(["xdotool", "mousemove", "--window", window[0], str(x), str(y), "click", "1"], env=env,
                       check=True)
        time.sleep(0.6)  # longer than a double-click, so that the second click counts as one
        subprocess.run(["xdotool", "click", "1"], env=env, check=True)
        # Watch the ledger file: wait for the append of the bill line to begin, then kill during it or after it.
        deadline = time.monotonic() + 3
        seen = False
        while time.monotonic() < deadline:
            open_now = appending(proc.pid, folder)
            if open_now and mode == "during":
                time.sleep(rng.uniform(0, 0.002))
                break
            if seen and not open_now:
                break
            seen = seen or open_now
        proc.send_signal(signal.SIGKILL)
        proc.wait()

        path = ledger_path(folder)
        with open(path, "rb") as f:
            lines, faults = check_chain(f.read())
        bills = [fields for fields in lines if fields and fields[1] == b"bill"]
        expected = [b"PC 7", b"42:17", str(charge).encode(), b"10", b""]
        if mode == "after" and not bills:
            faults.append("the bill line is missing")
        if bills and bills[0][2:] != expected:
            faults.append(f"bill line {bills[0]}")

        # The next start carries on after whatever the kill left.
        restart = subprocess.Popen([program], env=dict(env, QT_QPA_PLATFORM="offscreen"),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1)
        restart.send_signal(signal.SIGTERM)
        restart.wait(timeout=10)
        with open(path, "rb") as f:
            after, more_faults = check_chain(f.read())
        events = [fields[1] for fields in after if fields]
        if events[-2:] != [b"open", b"close"]:
            more_faults.append(f"after the restart the ledger ends with {events[-2:]}")
        return faults + more_faults, bool(bills)
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--rounds", type=int, default=6)
    parser.add_argument("--seed", type=int, default=None)
    args = parser.parse_args()
    exe = os.path.abspath(args.exe)
    language = os.path.join(os.path.dirname(exe), "English.xml")
    for tool in ("Xvfb", "xdotool"):
        if shutil.which(tool) is None:
            print(f"ledger_kill_test: {tool} is missing (Debian packages xvfb and xdotool)", file=sys.stderr)
            return 2
    seed = args.seed if args.seed is not None else random.randrange(1 << 30)
    rng = random.Random(seed)
    display = f":{rng.randrange(40, 90)}"
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "800x600x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    failures = with_bill = 0
    try:
        time.sleep(1)
        print(f"ledger_kill_test: {args.rounds} rounds on display {display}, seed {seed}")
        for n in range(args.rounds):
            mode = "after" if n % 2 == 0 else "during"
            result = run_round(exe, language, display, mode, 100 + n, rng)
            faults, billed = result if isinstance(result, tuple) else (result, False)
            with_bill += billed
            failures += bool(faults)
            status = "ok" if not faults else "FAIL: " + "; ".join(faults)
            print(f"round {n + 1}: killed {mode:6} the append, bill line {'there' if billed else 'absent'}: {status}")
    finally:
        xvfb.kill()
        xvfb.wait()
    print(f"ledger_kill_test: {args.rounds} kills, {with_bill} with the bill line, {failures} faulty")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
