#!/usr/bin/env python3
"""The real program's clock against the real time, while the wall clock jumps or the process stands still.

    real_clock_test.py --exe build/dev/bin/Tallivor --case wall|stop

wall: under libfaketime the program's wall clock jumps an hour ahead, then two hours back (its steady clocks are
      left alone, as a change of the system time leaves them).
stop: the process is frozen with SIGSTOP for five seconds, then let go with SIGCONT.

Then SIGTERM closes the window, which saves the board: the seconds a running station counted must match the real
time the program ran within one second, and a station started at 59:55 must have counted the same and been charged
once for the minute it completed (during the freeze, in the stop case). The station file is a named pipe at first: the program opens it to load the board just
after its clock starts, so the moment that open lets this script's open through is when the counting began.
"""
import argparse
import errno
import glob
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

BOARD = b"10,English.xml\r\nStart,PC 1,0:0,00\r\nStart,PC 2,59:55,00\r\n"


def open_when_read(fifo, proc, timeout=60):
    """Opens the pipe for writing the moment the program opens it for reading; returns the file and that moment."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline and proc.poll() is None:
        try:
            fd = os.open(fifo, os.O_WRONLY | os.O_NONBLOCK)
        except OSError as error:
            if error.errno != errno.ENXIO:
                raise
            time.sleep(0.001)
            continue
        started = time.monotonic()
        os.set_blocking(fd, True)
        return os.fdopen(fd, "wb"), started
    raise SystemExit("the program never read its station file")


def seconds(time_text):
    minutes, secs = time_text.split(":")
    return int(minutes) * 60 + int(secs)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--case", choices=("wall", "stop"), required=True)
    args = parser.parse_args()
    exe = os.path.abspath(args.exe)
    folder = tempfile.mkdtemp(prefix="tallivor-clock-")
    try:
        shutil.copy(exe, folder)
        shutil.copy(os.path.join(os.path.dirname(exe), "English.xml"), folder)
        station_file = os.path.join(folder, "tallivor.xml")
        os.mkfifo(station_file)
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        if args.case == "wall":
            faketime = sorted(glob.glob("/usr/lib/*/faketime/libfaketimeMT.so.1"))
            if not faketime:
                raise SystemExit("libfaketime is missing (Debian package libfaketime)")
            offset = os.path.join(folder, "offset")
            with open(offset, "w") as f:
                f.write("+0\n")
            env.update(LD_PRELOAD=faketime[0], FAKETIME_TIMESTAMP_FILE=offset, FAKETIME_NO_CACHE="1",
                       FAKETIME_DONT_FAKE_MONOTONIC="1")
        proc = subprocess.Popen([os.path.join(folder, "Tallivor")], env=env, stdout=subprocess.DEVNULL)
        pipe, started = open_when_read(station_file, proc)
        with pipe:
            pipe.write(BOARD)
        time.sleep(2)
        if args.case == "wall":
            for jump in ("+1h", "-1h"):
                with open(offset, "w") as f:
                    f.write(jump + "\n")
                time.sleep(3)
            # The jumps reached the process: its wall clock now runs an hour behind ours.
            shown = subprocess.run([sys.executable, "-c", "import time; print(time.time())"], env=env,
                                   capture_output=True, text=True, check=True).stdout
            if abs(float(shown) - time.time() + 3600) > 60:
                raise SystemExit(f"libfaketime did not move the wall clock (it shows {shown.strip()})")
        else:
            proc.send_signal(signal.SIGSTOP)
            time.sleep(5)
            proc.send_signal(signal.SIGCONT)
            time.sleep(2)
        elapsed = time.monotonic() - started
        proc.send_signal(signal.SIGTERM)
        if proc.wait(timeout=60) != 0:
            raise SystemExit(f"the program ended with {proc.returncode} after SIGTERM")

        with open(station_file, "rb") as f:
            rows = [line.split(b",") for line in f.read().split(b"\r\n")[1:3]]
        counted = seconds(rows[0][2].decode())
        faults = []
        if abs(counted - elapsed) > 1:
            faults.append("more than a second off the real time")
        if seconds(rows[1][2].decode()) - seconds("59:55") != counted or rows[1][3] != b"10":
            faults.append(f"the station started at 59:55 ended at {rows[1][2]!r} with {rows[1][3]!r}")
        print(f"real_clock_test {args.case}: counted {counted} s in {elapsed:.2f} s: " + ("; ".join(faults) or "ok"))
        return 1 if faults else 0
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
