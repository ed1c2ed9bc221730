"""Drives the real program through its panels as a learner would, for bench/soak.sh, and checks
every tone and gap at the sound server's monitor against what was keyed.

    python3 bench/soak.py PROGRAM RECORDER WORK MINUTES MONITOR_MS

Each round: keys of the keyboard practice (clicked and typed, some after a rest of the live
stream), a transmission with the opening, a receive exercise copied and checked, the journal
with a CSV export, the sending practice keyed on Space; after each step an on-screen key must
answer, and a transmission is started while a key's sign sounds. The sound card keys at the speed
bar's 60 %: a dot of 60 ms, a dash of three, one dot between elements, four between signs, seven
between words and ten between groups. Prints every tone or gap that is
none of those, and every step after which the live key stayed silent; exits 1 if any."""
import os
import random
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib"))
from xtest import dpy, x11, xtst  # noqa: E402

program, recorder, work, minutes, monitor_ms = sys.argv[1:6]
RATE = 48000
DOT = 60.0
TOLERANCE = 3.0  # ms, for a keyed tone or gap
HOLD_TOLERANCE = 3.0  # ms, for Space: its edges are stamped to the millisecond
EDGE = 5.0  # ms: the live tone's raised-cosine edges, heard from their first sample to their last
rng = random.Random(int(os.environ.get("SEED", "1945")))


def now():
    return time.monotonic() * 1000


# ---------------------------------------------------------------- the monitor's tones
tones = []  # (first frame, end frame, first ms, last ms)
tones_lock = threading.Lock()
rec = subprocess.Popen([recorder, "timing.monitor", monitor_ms], stdout=subprocess.PIPE, text=True)
assert rec.stdout.readline().strip() == "ready"


def follow():
    for line in rec.stdout:
        a, b, s, e = line.split()
        with tones_lock:
            tones.append((int(a), int(b), float(s), float(e)))


threading.Thread(target=follow, daemon=True).start()


def last_tone_ms():
    with tones_lock:
        return tones[-1][3] if tones else 0


def wait_quiet(quiet_ms=2500, timeout_s=60, since=0):
    """Until nothing has sounded for quiet_ms (the keying is over)."""
    end = time.monotonic() + timeout_s
    while time.monotonic() < end:
        time.sleep(0.05)
        if now() - max(last_tone_ms(), start_ms, since) > quiet_ms:
            return
    print("  the keying did not end within", timeout_s, "s")


# ---------------------------------------------------------------- the program and its window
def visible_windows():
    return set(subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."],
                              capture_output=True, text=True).stdout.split())


config = os.path.join(work, "config")
os.makedirs(os.path.join(config, "Home"), exist_ok=True)
with open(os.path.join(config, "Home", "Project1.conf"), "w") as f:
    # Sound card, digits in 2 groups of 3, opening and closing, ratio 3, pauses 1, speed 60 %.
    f.write("[Form1]\nglCheckBox13.Checked=0\nglCheckBox14.Checked=1\nglCheckBox20.Checked=1\n"
            "glCheckBox21.Checked=1\nglCheckBox4.Checked=1\nglCheckBox5.Checked=0\n"
            "glCheckBox6.Checked=0\nglCheckBox7.Checked=0\nglDigits6.Value=3\nglDigits7.Value=1\n"
            "glDigits8.Value=1\nglDigits9.Value=3\nglDigits10.Value=2\nglProgress1.Percent=60\n")
env = dict(os.environ, XDG_CONFIG_HOME=config, XDG_DATA_HOME=os.path.join(work, "data"),
           QT_QPA_PLATFORM="xcb", KELVATRON_ECHO_CHECK="1")
env.pop("SDL_AUDIODRIVER", None)
log = open(os.path.join(work, "program.log"), "w")
app = subprocess.Popen([program], env=env, stdout=log, stderr=log)
window = ""
for _ in range(100):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Kelvatron"],
                         capture_output=True, text=True).stdout.split()
    if out:
        window = out[0]
        break
    time.sleep(0.2)
assert window, "the window did not appear"
geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window],
                          capture_output=True, text=True).stdout
LEFT = int(geometry.split("X=")[1].split()[0])
TOP = int(geometry.split("Y=")[1].split()[0])
time.sleep(1)
start_ms = now()
first_windows = visible_windows()


def move(x, y):
    xtst.XTestFakeMotionEvent(dpy, -1, LEFT + x, TOP + y, 0)
    x11.XSync(dpy, 0)


def click(x, y, settle=0.4):
    """Clicks a point of the window; returns the moment of the release, where a click acts."""
    move(x, y)
    time.sleep(0.05)
    xtst.XTestFakeButtonEvent(dpy, 1, 1, 0)
    x11.XFlush(dpy)
    time.sleep(0.04)
    # Stamped before it is sent: beside busy processes this script may be held up after it.
    at = now()
    xtst.XTestFakeButtonEvent(dpy, 1, 0, 0)
    x11.XSync(dpy, 0)
    time.sleep(settle)
    return at


def key(code, hold=0.04):
    at = now()
    xtst.XTestFakeKeyEvent(dpy, code, 1, 0)
    x11.XFlush(dpy)
    time.sleep(hold)
    xtst.XTestFakeKeyEvent(dpy, code, 0, 0)
    x11.XSync(dpy, 0)
    return at


# Window places: the on-screen keys, the transmission's start, the training panel's commands
# (the panel opens small, or large while it shows a result), the journal's export and the
# sending panel.
KEYS = {"Й": ((244, 406), ".---"), "Е": ((372, 406), "."), "Ж": ((532, 446), "...-"),
        "1": ((228, 366), ".----"), "5": ((355, 366), ".....")}
TYPED = {"Й": (24, ".---"), "Е": (28, "."), "Ж": (47, "...-")}  # q, t, ; with the Russian layout
TRAINING, PANEL_CLOSE = (412, 23), (755, 54)
SMALL = {"receive": (692, 257), "check": (692, 281), "journal": (692, 305), "sending": (692, 329)}
LARGE = {"receive": (105, 81), "check": (90, 105), "journal": (77, 129), "sending": (119, 153)}
CSV = (685, 83)
SENDING_START, SENDING_STOP, SENDING_CLOSE = (257, 416), (337, 416), (773, 295)
TEXT = (450, 150)


def panel_colour(x, y):
    """Whether a panel's dark body covers a point of the window."""
    out = subprocess.run(["import", "-window", "root", "-crop", f"1x1+{LEFT + x}+{TOP + y}",
                          "txt:-"], capture_output=True, text=True).stdout
    hexa = out.split("#")[-1][:6]
    r, g, b = (int(hexa[i:i + 2], 16) for i in (0, 2, 4))
    return r >= 10 and 20 <= g <= 60 and 40 <= b <= 90


def training(command, settle=0.5):
    """Clicks a command of the training panel, opening the panel first if it is closed."""
    large = panel_colour(60, 323)
    if not large and not panel_colour(685, 463):
        click(*TRAINING)
        large = panel_colour(60, 323)
    return click(*(LARGE if large else SMALL)[command], settle=settle)


steps = []  # (name, from ms, to ms, what was keyed)
problems = []


def step(name, t0, keyed):
    steps.append((name, t0, now(), keyed))
    # A click that missed its control may have opened a dialog, which would swallow every
    # click after it: report it and close it, so the next steps still test the program.
    for stray in visible_windows() - first_windows:
        title = subprocess.run(["xdotool", "getwindowname", stray], capture_output=True,
                               text=True).stdout.strip()
        problems.append(f"{name}: a window stayed open after the step: {title!r}")
        subprocess.run(["xdotool", "windowfocus", "--sync", stray, "key", "Escape"])
        time.sleep(0.5)
    if os.environ.get("SHOTS"):
        subprocess.run(["import", "-window", "root", os.path.join(work, f"step-{len(all_steps)}-{name}.png")])
    all_steps.append(steps[-1])


all_steps = []


# ---------------------------------------------------------------- the steps
def probe(after):
    """An on-screen Е must answer with one dot."""
    at = click(*KEYS["Е"][0], settle=1.0)
    step("probe after " + after, at, [("sign", at, ".")])


def keyboard():
    """Keys clicked and typed, each once the one before has sounded, the last after a rest."""
    t0 = now()
    keyed = []
    for i in range(6):
        if i == 5:
            time.sleep(2.5)  # the live stream rests after 2 s without a key
        if i in (3, 4):
            move(*TEXT)
            name = rng.choice(list(TYPED))
            at = key(TYPED[name][0])
            keyed.append(("sign", at, TYPED[name][1]))
        else:
            name = rng.choice(list(KEYS))
            at = click(*KEYS[name][0], settle=0.1)
            keyed.append(("sign", at, KEYS[name][1]))
        time.sleep(0.3)
        wait_quiet(300, since=at)
        time.sleep(rng.random() * 0.5)
    step("keyboard", t0, keyed)


def stretch(tones_wanted=1100):
    """Transmissions one after another without a key, until more tones have sounded than the
    sound device's queues hold requests; then a key must still answer."""
    t0 = now()
    count = 0
    while count < tones_wanted and time.monotonic() < deadline:
        transmission()
        count = len(tones_between(t0, now()))
    print(f"  a stretch of {count} tones without a key", flush=True)


def transmission():
    t0 = click(60, 260, settle=1.0)
    wait_quiet()
    step("transmission", t0, [("keying", t0, None)])


def start_during_key():
    """A transmission started while a typed key's sign still sounds."""
    move(*TEXT)
    t0 = key(TYPED["Й"][0])
    time.sleep(0.15)
    click(60, 260, settle=1.0)
    wait_quiet()
    step("transmission started during a key", t0, [("keying", t0, None)])


def receive():
    t0 = training("receive", settle=1.0)
    wait_quiet()
    move(*TEXT)
    subprocess.run(["xdotool", "type", "--delay", "30", "".join(rng.choice("0123456789")
                                                                 for _ in range(6))])
    training("check", settle=1.0)
    step("receive", t0, [("keying", t0, None)])
    click(*PANEL_CLOSE)


def journal():
    t0 = now()
    training("journal", settle=1.0)
    before = set(subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."],
                                capture_output=True, text=True).stdout.split())
    click(*CSV, settle=1.5)
    after = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."],
                           capture_output=True, text=True).stdout.split()
    dialogs = [w for w in after if w not in before]
    if dialogs:
        subprocess.run(["xdotool", "windowfocus", "--sync", dialogs[-1]])
        subprocess.run(["xdotool", "key", "ctrl+a"])
        subprocess.run(["xdotool", "type", "--delay", "5",
                        os.path.join(work, f"journal-{len(steps)}.csv")])
        subprocess.run(["xdotool", "key", "Return"])
        time.sleep(1.0)
    else:
        print("  no export dialog appeared")
    click(*PANEL_CLOSE)
    step("journal", t0, [])


PARIS = [".--.", ".-", ".-.", "..", "...-"]


def space(press):
    """Presses or releases Space; returns the moment before it was sent, and how much later
    than that it may have reached the server: beside busy processes this script itself may be
    held up for milliseconds around the call, while the program stamps the edge by the
    server's own clock."""
    before = now()
    xtst.XTestFakeKeyEvent(dpy, 65, 1 if press else 0, 0)
    x11.XFlush(dpy)
    return before, now() - before


def sending():
    training("sending", settle=0.8)
    click(*SENDING_START, settle=0.5)
    move(500, 200)
    time.sleep(0.3)
    keyed = []
    for i, sign in enumerate(PARIS):
        if i:
            time.sleep(3 * DOT / 1000)
        for j, element in enumerate(sign):
            if j:
                time.sleep(DOT / 1000)
            hold = DOT if element == "." else 3 * DOT
            down, down_unsure = space(True)
            time.sleep(hold / 1000)
            up, up_unsure = space(False)
            keyed.append(("hold", down, up - down, down_unsure, up_unsure))
    time.sleep(1.0)
    click(*SENDING_STOP, settle=0.5)
    click(*SENDING_CLOSE)
    step("sending", keyed[0][1], keyed)


# ---------------------------------------------------------------- the checks
def tones_between(t0, t1):
    with tones_lock:
        return [t for t in tones if t0 <= t[2] < t1]


def ms(frames):
    return frames * 1000.0 / RATE


def near(value, wanted, tolerance=TOLERANCE):
    return any(abs(value - w) <= tolerance for w in wanted)


def describe(run):
    out = []
    for i, t in enumerate(run):
        if i:
            out.append(f"({ms(t[0] - run[i - 1][1]):.1f})")
        out.append(f"{ms(t[1] - t[0]):.1f}")
    return " ".join(out)


def check_keying(name, run, key_tones=0):
    """A transmission or exercise: every tone a dot or dash, every gap an element's, a sign's, a
    word's or a group's, or longer than a group's (between the opening, the text and the
    closing). After the `key_tones` of a key's sign that it follows, any pause longer than a
    sign's: the key answers at once on the live stream, the transmission a latency later on the
    placed one."""
    bad = []
    for i, t in enumerate(run):
        length = ms(t[1] - t[0])
        if not near(length, (DOT, 3 * DOT)):
            bad.append(f"tone {length:.1f} ms")
        if i and key_tones and i == key_tones:
            if ms(t[0] - run[i - 1][1]) < 4 * DOT - TOLERANCE:
                bad.append(f"gap {ms(t[0] - run[i - 1][1]):.1f} ms after the key's sign")
        elif i:
            gap = ms(t[0] - run[i - 1][1])
            if not (near(gap, (DOT, 4 * DOT, 7 * DOT, 10 * DOT)) or gap > 10 * DOT + TOLERANCE):
                bad.append(f"gap {gap:.1f} ms after a tone of {ms(run[i-1][1] - run[i-1][0]):.1f}")
    if bad:
        problems.append(f"{name}: " + "; ".join(bad) + "\n    heard " + describe(run))
    return len(run)


def sign_ms(code):
    return sum(DOT if e == "." else 3 * DOT for e in code) + DOT * (len(code) - 1)


def check_sign(name, at, code, run):
    if not run:
        problems.append(f"{name}: SILENT: nothing sounded within 1 s of the key (live stream?)")
        return 0
    heard = "".join("." if ms(t[1] - t[0]) < 2 * DOT else "-" for t in run)
    ok = heard == code and all(near(ms(t[1] - t[0]), (DOT, 3 * DOT)) for t in run) and all(
        near(ms(run[i][0] - run[i - 1][1]), (DOT,)) for i in range(1, len(run)))
    if not ok:
        problems.append(f"{name}: {code} keyed, heard {describe(run)}")
    latencies.append(run[0][2] - at)
    return len(run)


def check_holds(name, keyed, run):
    if len(run) != len(keyed):
        problems.append(f"{name}: {len(keyed)} holds of Space, {len(run)} tones: {describe(run)}")
        return len(run)
    for i, (_, down, hold, down_unsure, up_unsure) in enumerate(keyed):
        length = ms(run[i][1] - run[i][0])
        if abs(length - (hold + EDGE)) > HOLD_TOLERANCE + down_unsure + up_unsure:
            problems.append(f"{name}: Space held {hold:.1f} ms, tone {length:.1f} ms (hold {i})")
        if i:
            up = down - (keyed[i - 1][1] + keyed[i - 1][2])
            gap = ms(run[i][0] - run[i - 1][1])
            if abs(gap - (up - EDGE)) > HOLD_TOLERANCE + keyed[i - 1][4] + down_unsure:
                problems.append(f"{name}: Space up {up:.1f} ms, silence {gap:.1f} ms (before {i})")
    return len(run)


latencies = []


def check(step_record):
    name, t0, t1, keyed = step_record
    counted = 0
    if name.startswith("transmission") or name == "receive":
        key_tones = len(TYPED["Й"][1]) if name == "transmission started during a key" else 0
        counted += check_keying(name, tones_between(t0, t1), key_tones)
    elif name == "sending":
        counted += check_holds(name, keyed, tones_between(t0, t1))
    else:
        for i, (_, at, code) in enumerate(keyed):
            until = keyed[i + 1][1] if i + 1 < len(keyed) else t1
            # A sign's last element may start a second after its key when the key waited.
            within = sign_ms(code) + 1000
            counted += check_sign(name, at, code, tones_between(at, min(until, at + within)))
    return counted


# ---------------------------------------------------------------- the rounds
deadline = time.monotonic() + float(minutes) * 60
rounds = counted = 0
try:
    while time.monotonic() < deadline:
        rounds += 1
        if rounds == 2 and os.environ.get("STRETCH", "1" if float(minutes) >= 10 else "0") == "1":
            stretch()
            probe("a stretch of transmissions")
        actions = ((keyboard, "keyboard"), (transmission, "transmission"),
                   (receive, "receive"), (journal, "journal"), (sending, "sending"),
                   (start_during_key, "a transmission started during a key"))
        wanted = os.environ.get("STEPS")
        for action, name in actions:
            if wanted and name.split()[0] not in wanted.split(","):
                continue
            action()
            probe(name)
            if app.poll() is not None:
                raise SystemExit("the program ended")
        time.sleep(0.5)
        for record in steps:
            counted += check(record)
        steps.clear()
        print(f"round {rounds}: {counted} tones checked, {len(problems)} problems so far",
              flush=True)
finally:
    time.sleep(1)
    for record in steps:
        counted += check(record)
    app.terminate()
    try:
        app.wait(10)
    except subprocess.TimeoutExpired:
        app.kill()
    rec.terminate()
    rec.wait(5)
    with open(os.path.join(work, "tones.txt"), "w") as f:
        for t in tones:
            f.write("%d %d %.3f %.3f\n" % t)
    with open(os.path.join(work, "steps.txt"), "w") as f:
        for name, t0, t1, keyed in all_steps:
            f.write(f"{name} {t0:.3f} {t1:.3f} {keyed}\n")

latencies.sort()
if latencies:
    print(f"key to first sample of its sign: median {latencies[len(latencies) // 2]:.1f} ms, "
          f"worst {latencies[-1]:.1f} (n={len(latencies)})")
print(f"{rounds} rounds, {counted} tones checked (and the gaps between them), "
      f"{len(problems)} problems")
for p in problems:
    print("  " + p)
sys.exit(1 if problems else 0)
