#!/usr/bin/env python3
"""The real program as a process: what a kill leaves behind, its clock against the real time, one board per folder.

    real_program_test.py --exe build/dev/bin/Tallivor CASE [--rounds N] [--seed N]

crash          SIGKILL at random moments and mid-save, 20,000 running stations, the clock 20 times fast: the file
               left is one whole save, at most a minute behind.
bill           "Reset Computer" clicked twice on a virtual display, SIGKILL right after or during the bill line's
               append: the line is there (or cut only as the last), and the next start's ledger chain checks.
wall, stop     the wall clock jumps (libfaketime), or the process is frozen 5 s (SIGSTOP): the seconds counted match
               the real time within one second, and a minute completed meanwhile is charged.
second_start   a second start in the folder ends without touching the board; a killed copy's lock is taken over;
               two folders run two boards.
operations     a bill, an edit, an add and a removal by the board's keys, each followed by SIGKILL within a second:
               the next start shows the board as the operation left it, and no bill is in the ledger twice.
disk           the program folder on a small tmpfs, filled: the next operation shows the warning in the bottom band,
               the first close leaves the window open, and with space back every waiting line reaches the ledger and
               the station file is written; closed twice with lines waiting, the next start writes a lost line.
till           products sold by the keys onto a station and at the counter, one taken back, SIGKILL with the items on
               the tab: the next start bills them with the time, the counts in the products file follow the sales,
               the line it could not read stays, and a station file without tabs reads and writes to its own bytes.
"""
import argparse, errno, glob, hashlib, os, random, shutil, signal, stat, subprocess, sys, tempfile, time

FAULTS = []


def fault(text):
    FAULTS.append(text)
    print("FAIL:", text)


def faketime():
    found = sorted(glob.glob("/usr/lib/*/faketime/libfaketimeMT.so.1"))
    if not found:
        sys.exit("libfaketime is missing (Debian package libfaketime)")
    return found[0]


def program_folder(exe, board):
    """A fresh program folder with the program and English; the station file is a named pipe when board is None."""
    folder = tempfile.mkdtemp(prefix="tallivor-real-")
    shutil.copy(exe, folder)
    shutil.copy(os.path.join(os.path.dirname(exe), "English.xml"), folder)
    if board is None:
        os.mkfifo(os.path.join(folder, "tallivor.xml"))
    else:
        with open(os.path.join(folder, "tallivor.xml"), "wb") as f:
            f.write(board)
    return folder


def start(folder, **env):
    return subprocess.Popen([os.path.join(folder, "Tallivor")], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            env={**os.environ, "QT_QPA_PLATFORM": "offscreen", **env})


def feed(folder, proc, board):
    """Writes the board into the named pipe the moment the program opens it: that is when its clock starts."""
    deadline = time.monotonic() + 60
    while proc.poll() is None and time.monotonic() < deadline:
        try:
            fd = os.open(os.path.join(folder, "tallivor.xml"), os.O_WRONLY | os.O_NONBLOCK)
        except OSError as error:
            if error.errno != errno.ENXIO:
                raise
            time.sleep(0.001)
            continue
        started = time.monotonic()
        os.set_blocking(fd, True)
        with os.fdopen(fd, "wb") as pipe:
            pipe.write(board)
        return started
    sys.exit("the program never read its station file")


def holds_open(pid, folder, test):
    """Whether the process holds a file of the folder open whose name passes test."""
    try:
        return any(test(os.path.basename(target)) for target in
                   (os.readlink(f"/proc/{pid}/fd/{fd}") for fd in os.listdir(f"/proc/{pid}/fd"))
                   if os.path.dirname(target) == folder)
    except OSError:
        return False


def rows(folder):
    with open(os.path.join(folder, "tallivor.xml"), "rb") as f:
        data = f.read()
    if not data.endswith(b"\r\n"):
        fault("the station file does not end with a complete line")
    return [line.split(b",") for line in data.split(b"\r\n")[:-1]]


def seconds(text):
    minutes, secs = text.split(b":")
    return int(minutes) * 60 + int(secs)


def crash(exe, rounds, rng):
    speed, count = 20, 20000
    board = b"10,English.xml\r\n" + b"".join(b"Start,PC %d,0:0,00\r\n" % i for i in range(count))
    caught = saved = 0
    for n in range(rounds):
        folder = program_folder(exe, None)
        proc = start(folder, LD_PRELOAD=faketime(), FAKETIME=f"+0 x{speed}", FAKETIME_NO_CACHE="1")
        started = feed(folder, proc, board)
        if n % 2 == 0:
            time.sleep(rng.uniform(0.3, 8.0))
        else:  # a save under way: its temporary file beside the station file (named, or unnamed: "#<inode>")
            saving = lambda name: name.startswith(("tallivor.xml.", "#"))
            deadline = time.monotonic() + 12
            while time.monotonic() < deadline and not holds_open(proc.pid, folder, saving):
                pass
            caught += holds_open(proc.pid, folder, saving)
            time.sleep(rng.uniform(0, 0.004))
        behind = (time.monotonic() - started) * speed
        proc.kill()
        proc.wait()
        if stat.S_ISFIFO(os.stat(os.path.join(folder, "tallivor.xml")).st_mode):
            shutil.rmtree(folder)  # killed before its first save: the file it read is all there is
            continue
        saved += 1
        lines = rows(folder)
        states = {tuple(line[2:]) for line in lines[1:]}
        names = [line[1] for line in lines[1:]]
        if lines[0] != [b"10", b"English.xml"] or names != [b"PC %d" % i for i in range(count)] or len(states) != 1:
            fault(f"round {n + 1}: not one whole save: {len(names)} rows, {len(states)} times")
        else:
            time_text, charge = states.pop()
            behind -= seconds(time_text)
            minutes = seconds(time_text) // 60
            if behind > 60 + 40 or charge != (b"%d" % (minutes * 10) if minutes else b"00"):
                fault(f"round {n + 1}: saved {time_text} {charge}, {behind:.0f} s behind the clock")
        shutil.rmtree(folder)
    print(f"crash: {rounds} kills, {caught} in the middle of a save, {saved} files left by a save")
    if caught == 0:
        fault("no kill landed in the middle of a save")


def chain(data):
    """The fields of a ledger file's lines (None for a cut line) after checking its chain."""
    if not data.startswith(b"\xef\xbb\xbftime,event,station,spent,charge,price,detail,check\r\n"):
        fault("the ledger has no byte-order mark and heading")
    previous, lines = b"0" * 16, []
    for line in data.split(b"\r\n")[1:-1]:
        fields, _, check = line.rpartition(b",")
        if len(check) != 16:
            lines.append(None)
            continue
        if hashlib.sha256(previous + b"," + fields).hexdigest()[:16].encode() != check:
            fault(f"ledger line does not chain: {line[:80]!r}")
        previous = check
        lines.append(fields.split(b","))
    if lines.count(None) > 1 or not data.endswith(b"\r\n"):
        fault("the ledger has more than one cut line, or ends in one")
    return lines


def bill(exe, rounds, rng):
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "800x600x24", "-nolisten", "tcp", "-noreset"],
                            pass_fds=[write_fd], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_fd)
    display = ":" + os.read(read_fd, 16).decode().strip()
    try:
        for n in range(rounds):
            folder = program_folder(exe, b"10,English.xml\r\nStop,PC 7,42:17,%d\r\n" % (100 + n))
            proc = start(folder, DISPLAY=display, QT_QPA_PLATFORM="xcb")
            window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(proc.pid)],
                                    env=dict(os.environ, DISPLAY=display), capture_output=True, text=True,
                                    timeout=20).stdout.split()[:1]
            xdo = lambda *args: subprocess.run(["xdotool", *args], env=dict(os.environ, DISPLAY=display), check=True)
            xdo("mousemove", "--window", *window, "159", "46", "click", "1")  # the middle of "Reset Computer"
            time.sleep(0.6)  # longer than a double-click
            xdo("click", "1")
            ledger = lambda name: name.startswith("tallivor-ledger-")
            deadline, seen = time.monotonic() + 3, False
            while time.monotonic() < deadline:
                open_now = holds_open(proc.pid, folder, ledger)
                if open_now and n % 2:
                    time.sleep(rng.uniform(0, 0.002))
                    break
                if seen and not open_now:
                    break
                seen |= open_now
            proc.kill()
            proc.wait()
            path = glob.glob(os.path.join(folder, "tallivor-ledger-*.csv"))[0]
            bills = [line for line in chain(open(path, "rb").read()) if line and line[1] == b"bill"]
            if (not bills and n % 2 == 0) or (bills and bills[0][2:] != [b"PC 7", b"0:42:17", b"%d" % (100 + n), b"10",
                                                                           b""]):
                fault(f"round {n + 1}: bill lines {bills}")
            restart = start(folder)
            time.sleep(1)
            restart.terminate()
            restart.wait(timeout=10)
            events = [line[1] for line in chain(open(path, "rb").read()) if line]
            if events[-2:] != [b"open", b"close"]:
                fault(f"round {n + 1}: after the restart the ledger ends with {events[-2:]}")
            shutil.rmtree(folder)
    finally:
        xvfb.kill()
        xvfb.wait()


def clock(exe, case):
    folder = program_folder(exe, None)
    offset = os.path.join(folder, "offset")
    env = {}
    if case == "wall":
        with open(offset, "w") as f:
            f.write("+0\n")
        env = dict(LD_PRELOAD=faketime(), FAKETIME_TIMESTAMP_FILE=offset, FAKETIME_NO_CACHE="1",
                   FAKETIME_DONT_FAKE_MONOTONIC="1")
    proc = start(folder, **env)
    started = feed(folder, proc, b"10,English.xml\r\nStart,PC 1,0:0,00\r\nStart,PC 2,59:55,00\r\n")
    time.sleep(2)
    if case == "wall":
        for jump in ("+1h", "-1h"):
            with open(offset, "w") as f:
                f.write(jump + "\n")
            time.sleep(3)
        shown = subprocess.run([sys.executable, "-c", "import time; print(time.time())"], capture_output=True,
                               text=True, env=dict(os.environ, **env)).stdout
        if abs(float(shown) - time.time() + 3600) > 60:
            fault(f"libfaketime did not move the wall clock (it shows {shown.strip()})")
    else:
        proc.send_signal(signal.SIGSTOP)
        time.sleep(5)
        proc.send_signal(signal.SIGCONT)
        time.sleep(2)
    elapsed = time.monotonic() - started
    proc.terminate()
    if proc.wait(timeout=60) != 0:
        fault(f"the program ended with {proc.returncode} after SIGTERM")
    first, second = rows(folder)[1:3]
    counted = seconds(first[2])
    print(f"{case}: counted {counted} s in {elapsed:.2f} s")
    if abs(counted - elapsed) > 1 or seconds(second[2]) - seconds(b"59:55") != counted or second[3] != b"10":
        fault(f"counted {first[2:]} and {second[2:]} in {elapsed:.2f} s")
    shutil.rmtree(folder)


class Display:
    """A virtual X display, and the program's window on it driven as the operator does."""

    def __init__(self):
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "800x600x24", "-nolisten",
                                      "tcp", "-noreset"], pass_fds=[write_fd], stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
        os.close(write_fd)
        self.env = dict(os.environ, DISPLAY=":" + os.read(read_fd, 16).decode().strip())

    def start(self, folder):
        proc = start(folder, DISPLAY=self.env["DISPLAY"], QT_QPA_PLATFORM="xcb")
        found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid", str(proc.pid)], env=self.env,
                               capture_output=True, text=True, timeout=20).stdout.split()
        self.window = found[0]
        self.xdo("mousemove", "--window", self.window, "270", "140", "click", "1")  # into the names, PC 2's row
        return proc

    def xdo(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True)

    def keys(self, *keys):
        for key in keys:
            if key.startswith("type:"):
                self.xdo("type", "--delay", "30", key[5:])
            else:
                self.xdo("key", key)
            time.sleep(0.15)

    def close_window(self):
        subprocess.run([sys.executable, os.path.join(os.path.dirname(__file__), "..", "..", "scripts",
                                                     "close-window.py"), self.window], env=self.env, check=True)

    def warning_shown(self):
        """Whether the bottom band shows the orange warning."""
        shot = subprocess.run(["import", "-window", self.window, "-crop", "540x30+0+356", "-depth", "8", "rgb:-"], env=self.env,
                              capture_output=True).stdout
        pixels = {shot[i:i + 3] for i in range(0, len(shot) - 2, 3)}
        return any(p[0] > 200 and 130 < p[1] < 200 and p[2] < 130 for p in pixels)

    def stop(self):
        self.xvfb.kill()
        self.xvfb.wait()


def ledger_lines(folder):
    return [line for path in sorted(glob.glob(os.path.join(folder, "tallivor-ledger-*.csv")))
            for line in chain(open(path, "rb").read()) if line]


def restart(folder, seconds=1.0):
    proc = start(folder)
    time.sleep(seconds)
    proc.terminate()
    if proc.wait(timeout=30) != 0:
        fault(f"the program ended with {proc.returncode} after SIGTERM")


def operations(exe, rng):
    board = b"10,English.xml\r\nStop,PC 1,10:0,100\r\nStop,PC 2,5:0,50\r\n"
    cases = {  # the keys, and the rows the next start must show
        "bill": (["ctrl+r", "ctrl+r"], [[b"Stop", b"PC 1", b"10:0", b"100"], [b"Stop", b"PC 2", b"00:00", b"00"]]),
        "edit": (["Return", "type:PC 9", "Return"], [[b"Stop", b"PC 1", b"10:0", b"100"], [b"Stop", b"PC 9", b"5:0", b"50"]]),
        "add": (["Insert", "type:PC 3", "Return"], [[b"Stop", b"PC 1", b"10:0", b"100"], [b"Stop", b"PC 2", b"5:0", b"50"],
                                                    [b"Stop", b"PC 3", b"00:00", b"00"]]),
        "remove": (["Delete", "Delete"], [[b"Stop", b"PC 1", b"10:0", b"100"]]),
    }
    display = Display()
    try:
        for name, (keys, expected) in cases.items():
            folder = program_folder(exe, board)
            proc = display.start(folder)
            display.keys(*keys)
            time.sleep(rng.uniform(0.05, 0.9))
            proc.kill()
            proc.wait()
            restart(folder)
            shown = rows(folder)[1:]
            bills = [line for line in ledger_lines(folder) if line[1] == b"bill"]
            print(f"operations: {name}: {[b','.join(row).decode() for row in shown]}, {len(bills)} bill lines")
            if shown != expected or len(bills) != (name == "bill"):
                fault(f"{name}: after the kill and a restart the board is {shown}, with {len(bills)} bill lines")
            shutil.rmtree(folder)
    finally:
        display.stop()


def disk(exe):
    mount = tempfile.mkdtemp(prefix="tallivor-disk-")
    if subprocess.run(["mount", "-t", "tmpfs", "-o", f"size={os.path.getsize(exe) + 4 * 1024 * 1024}", "tmpfs",
                       mount], capture_output=True).returncode != 0:
        print("disk: a tmpfs cannot be mounted here (not root?): skipped")
        os.rmdir(mount)
        return
    display = Display()
    try:
        folder = os.path.join(mount, "Tallivor")
        shutil.copytree(program_folder(exe, b"10,English.xml\r\nStop,PC 1,10:0,100\r\nStop,PC 2,5:0,50\r\n"), folder)
        filler = os.path.join(mount, "filler")

        def fill():
            with open(filler, "ab") as f:
                try:
                    while True:
                        f.write(b"\0" * 65536)
                        f.flush()
                except OSError:
                    pass

        proc = display.start(folder)
        time.sleep(1)
        fill()
        display.keys("space")  # PC 2 starts: neither its line nor the station file can be written
        time.sleep(0.5)
        if not display.warning_shown():
            fault("a full disk is not shown on the board")
        display.close_window()
        time.sleep(1)
        if proc.poll() is not None:
            fault("the first close with lines waiting closed the window")
        os.remove(filler)  # space is back: the next try, ten seconds at most, writes it all
        deadline = time.monotonic() + 15
        while time.monotonic() < deadline and (rows(folder)[2][0] != b"Start" or display.warning_shown()):
            time.sleep(0.5)
        starts = [line for line in ledger_lines(folder) if line[1] == b"start"]
        if rows(folder)[2][0] != b"Start" or not starts or display.warning_shown():
            fault(f"with space back, the station file holds {rows(folder)[2]} and the ledger {len(starts)} start lines")
        fill()
        display.xdo("key", "--delay", "40", "--repeat", "60", "space")  # till the ledger's last block is full too
        time.sleep(0.5)
        display.close_window()
        time.sleep(0.5)
        display.close_window()
        if proc.wait(timeout=10) != 0:
            fault("the second close did not end the program")
        os.remove(filler)
        restart(folder)
        lost = [line for line in ledger_lines(folder) if line[1] == b"lost"]
        print(f"disk: lost lines after closing twice: {lost}")
        if len(lost) != 1 or not lost[0][6].startswith(b"lines="):
            fault(f"the start after lines were lost wrote {lost}")
    finally:
        display.stop()
        subprocess.run(["umount", mount])
        os.rmdir(mount)


def second_start(exe):
    board = b"10,English.xml\r\nStart,PC 1,0:0,00\r\n"
    a, b = program_folder(exe, board), program_folder(exe, board)
    wait = lambda test: any(test() or time.sleep(0.1) for _ in range(100))
    first = start(a)
    if not wait(lambda: os.path.exists(os.path.join(a, "tallivor.lock"))):
        fault("the first copy took no lock")
    second = start(a)
    if second.wait(timeout=10) != 0 or first.poll() is not None:
        fault("the second copy in the same folder did not end, or ended the first")
    if not wait(lambda: not os.path.exists(os.path.join(a, "tallivor.front"))) or rows(a)[1] != [b"Start", b"PC 1",
                                                                                               b"0:0", b"00"]:
        fault("the first copy did not take the request to come forward, or the second wrote the board")
    first.kill()  # its lock stays behind
    first.wait()
    third, other = start(a), start(b)
    time.sleep(2)
    if third.poll() is not None or other.poll() is not None:
        fault("a killed copy's lock stopped the next start, or a copy in another folder did not run")
    for proc, folder in ((third, a), (other, b)):
        proc.terminate()
        proc.wait(timeout=10)
        if rows(folder)[1][2] == b"0:0":
            fault(f"the board in {folder} did not count on")
    shutil.rmtree(a)
    shutil.rmtree(b)


def till(exe):
    board = b"10,English.xml\r\nStop,PC 1,10:0,100\r\nStop,PC 2,5:0,50\r\n"
    products = b"\xef\xbb\xbfproduct,price,stock\r\nCola,1.5,12\r\nChips,2,\r\nbad;name,1,1\r\n"
    folder = program_folder(exe, board)
    restart(folder)
    if open(os.path.join(folder, "tallivor.xml"), "rb").read() != board:
        fault("a board without tabs was not written back to its own bytes")
    with open(os.path.join(folder, "tallivor-products.csv"), "wb") as f:
        f.write(products)
    display = Display()
    try:
        proc = display.start(folder)  # PC 2 selected
        display.keys("F4", "type:cola", "Return", "Return", "BackSpace", "BackSpace", "BackSpace", "BackSpace",
                     "type:chips", "Return", "Escape", "shift+F4", "type:cola", "Return", "ctrl+z", "Escape")
        time.sleep(0.3)
        proc.kill()  # the items are on the disk before the keys that put them returned
        proc.wait()
        proc = display.start(folder)
        display.keys("ctrl+r", "ctrl+r")
        time.sleep(0.3)
        proc.terminate()
        if proc.wait(timeout=30) != 0:
            fault(f"the program ended with {proc.returncode} after SIGTERM")
    finally:
        display.stop()
    lines = ledger_lines(folder)
    sales = [line for line in lines if line[1] == b"sale"]
    voids = [line for line in lines if line[1] == b"void"]
    bills = [line for line in lines if line[1] == b"bill"]
    print(f"till: {len(sales)} sales, {len(voids)} voids, bills {[b','.join(b[2:7]).decode() for b in bills]}")
    on_tab = [line[6] for line in sales if line[2] == b"PC 2"]
    if on_tab != [b"product=Cola; quantity=1; stock=11", b"product=Cola; quantity=1; stock=10",
                  b"product=Chips; quantity=1"]:
        fault(f"the station's sale lines are {on_tab}")
    counter = [line.rpartition(b",")[2] for path in glob.glob(os.path.join(folder, "tallivor-ledger-*.csv"))
               for line in open(path, "rb").read().split(b"\r\n") if b",sale,," in line]  # their checks
    if len(counter) != 1 or len(voids) != 1 or voids[0][6] != b"product=Cola; quantity=1; stock=10; sale=" + counter[0]:
        fault(f"the counter sale {counter} and its void {voids} do not match")
    if len(bills) != 1 or bills[0][2:7] != [b"PC 2", b"0:05:00", b"55", b"10", b"items=5"]:
        fault(f"the bill lines are {bills}")
    written = open(os.path.join(folder, "tallivor-products.csv"), "rb").read()
    if written != products.replace(b"Cola,1.5,12", b"Cola,1.5,10"):
        fault(f"the products file holds {written}")
    if rows(folder)[2] != [b"Stop", b"PC 2", b"00:00", b"00"]:
        fault(f"the billed station is {rows(folder)[2]}")
    shutil.rmtree(folder)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("case", choices=("crash", "bill", "wall", "stop", "second_start", "operations", "disk", "till"))
    parser.add_argument("--rounds", type=int, default=None, help="kills: 16 for crash, 6 for bill")
    parser.add_argument("--seed", type=int, default=random.randrange(1 << 30))
    args = parser.parse_args()
    exe, rng = os.path.abspath(args.exe), random.Random(args.seed)
    print(f"{args.case}: seed {args.seed}")
    if args.case == "crash":
        crash(exe, args.rounds or 16, rng)
    elif args.case == "bill":
        bill(exe, args.rounds or 6, rng)
    elif args.case == "second_start":
        second_start(exe)
    elif args.case == "operations":
        operations(exe, rng)
    elif args.case == "disk":
        disk(exe)
    elif args.case == "till":
        till(exe)
    else:
        clock(exe, args.case)
    return 1 if FAULTS else 0


if __name__ == "__main__":
    sys.exit(main())
