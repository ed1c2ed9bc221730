"""Times the keyboard practice's signs at a real sound server, for bench/key_latency_pulse.sh.

  signlatency.py measure PROGRAM WORKDIR MONITOR_MS OUT.json   one program run, all cells
  signlatency.py table SIGNTABLE.cpp DOT_MS RUN.json...        the table of every run

`measure` records the null sink "timing" through `parec --latency-msec=MONITOR_MS` (the monitor's
latency sets how far ahead the sink renders), starts the program under $DISPLAY, and presses keys
with XTest: for each input (typed, clicked) and gap (GAPS, s) one warm-up press, not counted,
then PRESSES presses at that gap (REST_PRESSES where the gap is 2 s or more). It keeps the raw
recording, when each piece of it arrived and when each key was pressed.

`table` finds the tones in each recording and, for every press, the sign of its key among the
tones that follow: the run of consecutive tones whose lengths read as the key's dots and dashes
(half a dot to two dots is a dot, longer a dash) with gaps shorter than two dots, that begins
within LATE_MS of the key (a sign held back until the next key is not its answer), the closest
to the ideal lengths when there are several. The latency is the press to the first sample of
that run's first element, on the sink's own clock.
Every tone that belongs to no sign is an extra tone (a blip before a sign, a split element), and
a press whose sign is not found counts against the signs heard.

The sink's clock: a null sink plays frame F at C + F / rate on its clock, and its monitor hands
a frame over no earlier than the sink plays it (a monitor keeps back what a rewind could still
take), so C is the least (arrival - frames received / rate) near that frame (see SinkClock).
"""
import array, bisect, json, os, random, re, statistics, subprocess, sys, threading, time

RATE = 48000
WIDTH, HEIGHT = 792, 573
LEFT, TOP = (1024 - WIDTH) // 2, (768 - HEIGHT) // 2  # the window opens centred
# The keys pressed in turn: the sign, the X key code that types it in the window's Russian
# layout (on a US keymap: q, t, n, l), and its on-screen key's row and column.
KEYS = [("Й", 24, 1, 0), ("Е", 28, 1, 4), ("Т", 57, 3, 5), ("Д", 46, 2, 8)]
ROW_X, ROW_Y = (13, 29, 29, 45), (30, 70, 110, 150)  # the keyboard panel's rows
PANEL_X, PANEL_Y = 200, 320
HOLD_S = 0.03
LOUD = 33  # 1e-3 of full scale in s16
QUIET_ENDS_TONE = RATE // 500  # 2 ms: a square or sine tone never rests that long
SETTLE_MS = 2500  # from the program's start until its stream has joined the sink
EARLY_MS = 5  # how much earlier than its key a sign may seem, for the clock's uncertainty
LATE_MS = 500  # a sign that begins later than this after its key is not heard as its answer


def key_centre(row, col):
    return (LEFT + PANEL_X + ROW_X[row] + 32 * col + 15, TOP + PANEL_Y + ROW_Y[row] + 17)


def measure(program, workdir, monitor_ms, out):
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    from xtest import dpy, x11, xtst

    presses = int(os.environ.get("PRESSES", 20))
    rest_presses = int(os.environ.get("REST_PRESSES", 10))
    gaps = [float(g) for g in os.environ.get("GAPS", "0.6 3").split()]
    inputs = os.environ.get("INPUTS", "typed clicked").split()
    raw_path = os.path.join(workdir, "monitor.raw")
    chunks = []  # (arrival ms, frames received)

    rec = subprocess.Popen(["parec", "--device=timing.monitor", f"--latency-msec={monitor_ms}",
                            "--format=s16le", "--rate=48000", "--channels=1", "--raw"],
                           stdout=subprocess.PIPE)

    def read_monitor():
        received = 0
        with open(raw_path, "wb") as raw:
            while True:
                data = os.read(rec.stdout.fileno(), 1 << 16)
                arrived = time.monotonic() * 1000
                if not data:
                    return
                raw.write(data)
                received += len(data)
                chunks.append((arrived, received // 2))

    reader = threading.Thread(target=read_monitor, daemon=True)
    reader.start()
    log = open(os.path.join(workdir, "program.log"), "w")
    env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(workdir, "config"),
               XDG_DATA_HOME=os.path.join(workdir, "data"), SDL_AUDIODRIVER="pulseaudio",
               QT_QPA_PLATFORM="xcb")
    app = None
    cells = []
    try:
        time.sleep(1)  # the sink runs at the monitor's latency before the program starts
        app = subprocess.Popen([program], env=env, stdout=log, stderr=log)
        started = time.monotonic() * 1000
        time.sleep(float(os.environ.get("STARTUP_S", 4)))  # the window shows, the streams settle
        rng = random.Random(1945)
        last = time.monotonic()
        for kind in inputs:
            for gap in gaps:
                count = presses if gap < 2 else rest_presses
                cell = {"input": kind, "gap": gap, "presses": []}
                for n in range(count + 1):  # the first one warms up after the cell before
                    sign, code, row, col = KEYS[rng.randrange(len(KEYS))]
                    if not cells and n == 0:
                        sign, code, row, col = KEYS[0]  # Й, a dot and dashes, after start-up
                    if kind == "clicked":
                        xtst.XTestFakeMotionEvent(dpy, -1, *key_centre(row, col), 0)
                    else:  # keys go to the window under the pointer: there is no window manager
                        xtst.XTestFakeMotionEvent(dpy, -1, LEFT + WIDTH // 2, TOP + 150, 0)
                    x11.XSync(dpy, 0)
                    time.sleep(max(0.0, last + gap - time.monotonic()))
                    press = (lambda down: xtst.XTestFakeButtonEvent(dpy, 1, down, 0)) \
                        if kind == "clicked" else \
                        (lambda down: xtst.XTestFakeKeyEvent(dpy, code, down, 0))
                    press(1)
                    x11.XFlush(dpy)
                    down = time.monotonic()
                    time.sleep(HOLD_S)
                    press(0)
                    x11.XFlush(dpy)
                    # A click happens at the button's release, a typed key at its press.
                    last = time.monotonic() if kind == "clicked" else down
                    cell["presses"].append([last * 1000, sign, n == 0])
                cells.append(cell)
        time.sleep(1.5)
        ended = time.monotonic() * 1000
    finally:
        if app:
            app.terminate()
            app.wait(10)
        rec.terminate()
        rec.wait(10)
        reader.join(10)
        log.close()
    with open(out, "w") as f:
        json.dump({"monitor_ms": monitor_ms, "chunks": chunks, "cells": cells,
                   "program": [started, ended], "label": os.environ.get("RUN_LABEL", ""),
                   "load": os.environ.get("RUN_LOAD", "")}, f)


def tone_runs(samples):
    """The runs of sound as [first, end) frames; 2 ms of silence ends a tone."""
    runs, start, last_loud = [], None, None
    for b in range(0, len(samples), 48):
        block = samples[b:b + 48]
        if max(block) <= LOUD and min(block) >= -LOUD:
            if start is not None and b + len(block) - last_loud - 1 > QUIET_ENDS_TONE:
                runs.append((start, last_loud + 1))
                start = None
            continue
        for i, v in enumerate(block, b):
            if v > LOUD or v < -LOUD:
                if start is not None and i - last_loud - 1 > QUIET_ENDS_TONE:
                    runs.append((start, last_loud + 1))
                    start = None
                if start is None:
                    start = i
                last_loud = i
    if start is not None:
        runs.append((start, last_loud + 1))
    return runs


class SinkClock:
    """When the sink played a frame of the recording, on the monotonic clock (ms): the least
    (arrival - frames received / rate) among the pieces that arrived within WINDOW_MS, which
    follows the slow drift of the sink's clock against the system's. Only pieces from the span
    given count: when the program's stream joins, the sink's latency changes and the recording
    can lose a part of the sink's buffer once."""
    WINDOW_MS = 1500

    def __init__(self, chunks, first_ms, last_ms):
        chunks = [c for c in chunks if first_ms <= c[0] <= last_ms]
        self.arrivals = [a for a, _ in chunks]
        self.frames = [f for _, f in chunks]
        offsets = [a - f * 1000 / RATE for a, f in chunks]
        self.origins = [min(offsets[bisect.bisect_left(self.arrivals, a - self.WINDOW_MS):
                                    bisect.bisect_right(self.arrivals, a + self.WINDOW_MS)])
                        for a in self.arrivals]

    def at(self, frame):
        i = min(bisect.bisect_left(self.frames, frame), len(self.frames) - 1)
        return self.origins[i] + frame * 1000 / RATE


def find_sign(tones, code, dot):
    """The run of tones that sounds `code`, and its elements' and gaps' errors against the ideal
    (ms, measured minus ideal), or None."""
    n, best = len(code), None
    for i in range(len(tones) - n + 1):
        run = tones[i:i + n]
        errors = []
        for j, (start, end) in enumerate(run):
            length = end - start
            # Shorter than half a dot is a click, not an element.
            if length < dot / 2 or ("." if length < 2 * dot else "-") != code[j]:
                break
            errors.append(length - (dot if code[j] == "." else 3 * dot))
            if j + 1 < n:
                gap = run[j + 1][0] - end
                if gap >= 2 * dot:
                    break
                errors.append(gap - dot)
        else:
            worst = max(errors, key=abs)
            if best is None or abs(worst) < abs(best[1]):
                best = (i, worst)
    return best


def analyse(path, run, codes, dot):
    samples = array.array("h")
    with open(os.path.join(os.path.dirname(path), "monitor.raw"), "rb") as f:
        data = f.read()
    samples.frombytes(data[:len(data) // 2 * 2])
    clock = SinkClock(run["chunks"], run["program"][0] + SETTLE_MS, run["program"][1])
    tones = [(clock.at(a), clock.at(a) + (b - a) * 1000 / RATE) for a, b in tone_runs(samples)]
    results = []
    # Each press owns the tones that begin from it to the next press (the last: one gap on).
    pressed = sorted(p[0] for cell in run["cells"] for p in cell["presses"])
    for c, cell in enumerate(run["cells"]):
        presses = cell["presses"]
        ends = [min([t for t in pressed if t > p[0]] + [p[0] + cell["gap"] * 1000])
                for p in presses]
        stats = {"input": cell["input"], "gap": cell["gap"], "latency": [], "worst": 0.0,
                 "extra": 0, "found": 0, "presses": 0}
        first_after_start = None
        for (at, sign, warm_up), end in zip(presses, ends):
            own = [t for t in tones if at - EARLY_MS <= t[0] < end - EARLY_MS]
            found = find_sign([t for t in own if t[0] < at + LATE_MS], codes[sign], dot)
            if warm_up:
                if c == 0:  # the first sign after start-up
                    first_after_start = {
                        "latency": [own[found[0]][0] - at] if found else [],
                        "worst": found[1] if found else 0.0,
                        "extra": len(own) - (len(codes[sign]) if found else 0),
                        "found": 1 if found else 0, "presses": 1}
                continue
            stats["presses"] += 1
            stats["extra"] += len(own) - (len(codes[sign]) if found else 0)
            if found:
                stats["found"] += 1
                stats["latency"].append(own[found[0]][0] - at)
                if abs(found[1]) > abs(stats["worst"]):
                    stats["worst"] = found[1]
        results.append(stats)
        if first_after_start:
            results.append(dict(first_after_start, input=cell["input"], gap="start"))
    return results


def summary(stats):
    lat = sorted(stats["latency"])
    signs = f"{stats['extra']:5d} {stats['found']:>3}/{stats['presses']:<3}"
    if not lat:
        return f"{'-':>7} {'-':>6} {'-':>6} {signs}"
    p99 = lat[min(len(lat) - 1, -(-99 * len(lat) // 100) - 1)]  # nearest rank
    return f"{statistics.median(lat):7.1f} {p99:6.1f} {stats['worst']:+6.1f} {signs}"


def merge(a, b):
    return {"latency": a["latency"] + b["latency"],
            "worst": a["worst"] if abs(a["worst"]) >= abs(b["worst"]) else b["worst"],
            "extra": a["extra"] + b["extra"], "found": a["found"] + b["found"],
            "presses": a["presses"] + b["presses"]}


def table(signtable, dot, runs):
    with open(signtable, encoding="utf-8") as f:
        pairs = re.findall(r'\{win1251\("(.)"\), "([.-]+)"', f.read())
    codes = dict(pairs)
    cells, labels = {}, []
    for path in runs:
        with open(path) as f:
            run = json.load(f)
        if run["label"] not in labels:
            labels.append(run["label"])
        for stats in analyse(path, run, codes, dot):
            key = (str(stats["gap"]), stats["input"], run["load"], run["monitor_ms"], run["label"])
            cells[key] = merge(cells[key], stats) if key in cells else stats
    print(f"Key -> first sample of the sign's first element at the sink (ms), the worst element or "
          f"gap against its ideal (ms; dot {dot:g} ms), tones that belong to no sign, signs heard "
          f"of presses. 'start' is the first key after start-up, one press per run.")
    head = f"{'gap s':>5} {'input':7} {'load':6} {'monitor':>7}"
    cols = f"{'median':>7} {'p99':>6} {'worst':>6} {'extra':>5} {'signs':>7}"
    print(head + "".join(f" | {label[:35]:<35}" for label in labels))
    print(" " * len(head) + f" | {cols}" * len(labels))
    order = {"start": 0}
    for key in sorted({k[:4] for k in cells},
                      key=lambda k: (order.get(k[0], 1), k[0], k[1] != "typed", k[2], int(k[3]))):
        gap, kind, load, monitor = key
        line = f"{gap:>5} {kind:7} {('idle' if load == '0' else load + ' busy'):6} {monitor:>5}ms"
        for label in labels:
            stats = cells.get(key + (label,))
            line += " | " + (summary(stats) if stats else f"{'':>35}")
        print(line)


if __name__ == "__main__":
    if sys.argv[1] == "measure":
        measure(sys.argv[2], sys.argv[3], int(sys.argv[4]), sys.argv[5])
    else:
        table(sys.argv[2], float(sys.argv[3]), sys.argv[4:])
