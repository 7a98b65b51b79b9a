#!/usr/bin/env python3
"""Kills the real program with SIGKILL at random moments and checks what it leaves behind.

Each round copies the executable and English.xml into a fresh program folder with a board of running stations,
starts it (offscreen) and kills it with SIGKILL: either at a random moment, or the moment it is caught writing the
station file (an open file of its own in the program folder). The station file left behind must then be whole:
the header, every row in order, all rows at one and the same time and charge (never two saves mixed), and at most
one minute (plus a little slack for start-up) behind the clock.

The clock runs 20 times faster under libfaketime, so that a minute of the program's time passes in three seconds.

    crash_test.py --exe build/dev/bin/Tallivor [--rounds 24] [--rows 20000] [--seed N]
"""
import argparse
import glob
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SPEED = 20          # the program's seconds per real second
MINUTE = 60         # autosave interval, in the program's seconds
SLACK = 20          # program seconds allowed for start-up and for the kill arriving between tick and save


def faketime_library():
    found = sorted(glob.glob("/usr/lib/*/faketime/libfaketimeMT.so.1"))
    return found[0] if found else None


def write_board(folder, rows):
    lines = ["10,English.xml"] + [f"Start,PC {i},0:0,00" for i in range(rows)]
    with open(os.path.join(folder, "tallivor.xml"), "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode())


def writing(pid, folder):
    """True while the process has a file of the program folder open (the station file being read or written; the
    ledger's appends do not count)."""
    fd_dir = f"/proc/{pid}/fd"
    try:
        for fd in os.listdir(fd_dir):
            try:
                target = os.readlink(os.path.join(fd_dir, fd))
            except OSError:
                continue
            if target.startswith(folder + "/") and not target.endswith((".xml", "Tallivor", ".csv")):
                return True
            if target.startswith(folder + "/#"):
                return True
    except OSError:
        pass
    return False


def seconds(time_text):
    minutes, secs = time_text.split(":")
    return int(minutes) * 60 + int(secs)


def check(folder, rows, elapsed):
    """Returns a list of faults in the station file left after the kill."""
    with open(os.path.join(folder, "tallivor.xml"), "rb") as f:
        data = f.read()
    faults = []
    if not data.endswith(b"\r\n"):
        faults.append("the file does not end with a complete line")
    lines = data.split(b"\r\n")[:-1]
    if len(lines) != rows + 1:
        return faults + [f"{len(lines) - 1} rows instead of {rows}"]
    if lines[0] != b"10,English.xml":
        faults.append(f"header {lines[0][:40]!r}")
    states = set()
    for i, line in enumerate(lines[1:]):
        fields = line.split(b",")
        if len(fields) != 4 or fields[0] != b"Start" or fields[1] != f"PC {i}".encode():
            return faults + [f"row {i} is {line[:60]!r}"]
        states.add((fields[2], fields[3]))
    if len(states) != 1:
        return faults + [f"rows from different saves: {sorted(states)[:3]}"]
    time_text, charge = states.pop()
    saved = seconds(time_text.decode())
    behind = elapsed * SPEED - saved
    if behind > MINUTE + SLACK:
        faults.append(f"{behind:.0f} s behind the clock (saved {time_text.decode()} after {elapsed * SPEED:.0f} s)")
    expected_charge = (saved // 60) * 10
    if charge.decode() not in (str(expected_charge), "00" if expected_charge == 0 else None):
        faults.append(f"charge {charge!r} does not match {time_text!r}")
    return faults, saved


def run_round(exe, language, rows, mode, rng, faketime):
    folder = tempfile.mkdtemp(prefix="tallivor-crash-")
    try:
        shutil.copy(exe, folder)
        shutil.copy(language, folder)
        write_board(folder, rows)
        # The library is preloaded into the program itself (not through the faketime wrapper, which would stand
        # between this script and the process it has to watch and kill).
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", LD_PRELOAD=faketime, FAKETIME=f"+0 x{SPEED}",
                   FAKETIME_NO_CACHE="1")
        started = time.monotonic()
        proc = subprocess.Popen([os.path.join(folder, "Tallivor")],
                                env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        caught = False
        if mode == "random":
            time.sleep(rng.uniform(0.3, 8.0))
        else:
            # Wait past the start-up read, then for a write to begin; kill it in the act.
            deadline = started + 12
            time.sleep(1.5)
            while time.monotonic() < deadline and not caught:
                caught = writing(proc.pid, folder)
            if caught:
                time.sleep(rng.uniform(0, 0.004))
        elapsed = time.monotonic() - started
        proc.send_signal(signal.SIGKILL)
        proc.wait()
        if proc.returncode != -signal.SIGKILL:
            return [f"the program ended by itself with {proc.returncode}"], 0, caught
        result = check(folder, rows, elapsed)
        faults, saved = result if isinstance(result, tuple) else (result, 0)
        return faults, saved, caught
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--language", default=None)
    parser.add_argument("--rounds", type=int, default=24)
    parser.add_argument("--rows", type=int, default=20000)
    parser.add_argument("--seed", type=int, default=None)
    args = parser.parse_args()
    exe = os.path.abspath(args.exe)
    language = os.path.abspath(args.language or os.path.join(os.path.dirname(exe), "English.xml"))
    faketime = faketime_library()
    if faketime is None:
        print("crash_test: libfaketime is missing (Debian package libfaketime)", file=sys.stderr)
        return 2
    seed = args.seed if args.seed is not None else random.randrange(1 << 30)
    rng = random.Random(seed)
    print(f"crash_test: {args.rounds} rounds, {args.rows} running rows, seed {seed}")

    failures = writes_caught = saves_seen = 0
    for n in range(args.rounds):
        mode = "random" if n % 2 == 0 else "during a write"
        faults, saved, caught = run_round(exe, language, args.rows, mode, rng, faketime)
        writes_caught += caught
        saves_seen += saved > 0
        status = "ok" if not faults else "FAIL: " + "; ".join(faults)
        print(f"round {n + 1:2}: killed {mode:15} {'(caught writing) ' if caught else ''}"
              f"file at {saved // 60}:{saved % 60:02} {status}")
        failures += bool(faults)
    print(f"crash_test: {args.rounds} kills, {writes_caught} during a write, {saves_seen} files saved while running, "
          f"{failures} faulty")
    if writes_caught == 0:
        print("crash_test: no kill landed during a write", file=sys.stderr)
        return 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
