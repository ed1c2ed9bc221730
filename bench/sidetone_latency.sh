#!/usr/bin/env bash
# Measures the sending practice's sidetone end to end: the real program under Xvfb plays through
# SDL into a private PulseAudio null sink whose monitor parec records, while XTest keys the Space
# bar (a straight key) with holds and gaps drawn at random around a 60 ms dot. For every press it
# reports the time from the key event to the first sample of its tone at the sound server, and
# it counts dropouts: a press without a tone, or a tone broken while its key was held.
#   bash bench/sidetone_latency.sh build/kelvatron [seconds of keying, default 300]
# The recording's sample n is put on the wall clock by the earliest arrival of any block of it
# (a block never arrives before its samples were played), so the figures include parec's own
# delay only as far as no block came promptly.
set -euo pipefail

program=$(readlink -f "${1:?usage: sidetone_latency.sh path/to/kelvatron [seconds]}")
seconds=${2:-300}
here=$(dirname "$0")
source "$here/../tests/e2e/lib/xsession.sh"
pids=()
bench_cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    xsession_cleanup
}
trap bench_cleanup EXIT
source "$here/lib/nullsink.sh"
nullsink_begin sidetone
xsession_begin 261

# The sound card with a sine at 800 Hz sounds the sidetone; the dot is 60 ms.
mkdir -p "$work/config/Home"
printf '[Form1]\nglProgress1.Percent=60\nglCheckBox13.Checked=0\nglCheckBox14.Checked=1\n' \
    >"$work/config/Home/Project1.conf"

python3 - "$program" "$seconds" "$work" "$here/../tests/e2e/lib" "$here/lib" <<'PY'
import array, ctypes, os, random, statistics, subprocess, sys, threading, time

program, seconds, work = sys.argv[1], float(sys.argv[2]), sys.argv[3]
sys.path.insert(0, sys.argv[4])
from soundruns import RATE, tone_runs

SPACE = 65  # the X key code of the space bar
WARM_UP = 10  # presses while an idle sound server wakes up
WIDTH, HEIGHT = 792, 573

sys.path.insert(0, sys.argv[5])
from xtest import dpy, x11, xtst

left, top = (1024 - WIDTH) // 2, (768 - HEIGHT) // 2  # the window opens centred


class Recorder(threading.Thread):
    """parec on the null sink's monitor; notes when each block arrives."""

    def __init__(self):
        super().__init__(daemon=True)
        self.proc = subprocess.Popen(
            ["parec", "--device=sidetone.monitor", "--format=float32le", f"--rate={RATE}",
             "--channels=1", "--raw", "--latency-msec=2"], stdout=subprocess.PIPE)
        self.samples = array.array("f")
        self.offset = None  # wall time of sample 0, from the earliest arrival

    def run(self):
        pending = b""
        fd = self.proc.stdout.fileno()
        while True:
            data = os.read(fd, 4096)
            now = time.perf_counter()
            if not data:
                break
            data = pending + data
            usable = len(data) - len(data) % 4
            pending = data[usable:]
            self.samples.frombytes(data[:usable])
            start = now - len(self.samples) / RATE
            self.offset = start if self.offset is None else min(self.offset, start)


def x_click(x, y):
    xtst.XTestFakeMotionEvent(dpy, -1, left + x, top + y, 0)
    xtst.XTestFakeButtonEvent(dpy, 1, 1, 0)
    xtst.XTestFakeButtonEvent(dpy, 1, 0, 0)
    x11.XSync(dpy, 0)


def space(down):
    xtst.XTestFakeKeyEvent(dpy, SPACE, 1 if down else 0, 0)
    x11.XFlush(dpy)
    return time.perf_counter()


recorder = Recorder()
recorder.start()
env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(work, "config"),
           XDG_DATA_HOME=os.path.join(work, "data"), KELVATRON_OPEN_PANEL="sending",
           SDL_AUDIODRIVER="pulseaudio", QT_QPA_PLATFORM="xcb")
log = open(os.path.join(work, "program.log"), "w")
app = subprocess.Popen([program], env=env, stdout=log, stderr=log)
time.sleep(4)
x_click(356, 307)  # "Начать"
xtst.XTestFakeMotionEvent(dpy, -1, left + 500, top + 200, 0)  # keys go to the window under it
x11.XSync(dpy, 0)
time.sleep(1)

presses = []  # (down, up) on the wall clock
rng = random.Random(12)
end = time.perf_counter() + seconds
while time.perf_counter() < end:
    down = space(True)
    time.sleep(rng.choice((0.06, 0.18)) * rng.uniform(0.8, 1.2))
    presses.append((down, space(False)))
    time.sleep(rng.choice((0.06, 0.06, 0.18, 0.42)) * rng.uniform(0.8, 1.2))
time.sleep(1)
app.terminate()
app.wait(10)
recorder.proc.terminate()
recorder.join(5)
log.close()

s, offset = recorder.samples, recorder.offset
tones = [(offset + a / RATE, offset + b / RATE) for a, b in tone_runs(s)]

latencies, missing, broken, t = [], 0, 0, 0
for down, up in presses[WARM_UP:]:
    while t < len(tones) and tones[t][0] < down:
        t += 1
    # The press's tone: the first to begin after the press and before the next press could sound.
    if t >= len(tones) or tones[t][0] > up + 0.2:
        missing += 1
        continue
    latencies.append((tones[t][0] - down) * 1000)
    # A tone that ends well before the key was let go was broken by a dropout.
    if tones[t][1] < up - 0.005:
        broken += 1
    t += 1

latencies.sort()
p99 = latencies[min(len(latencies) - 1, int(len(latencies) * 0.99))]
with open(os.path.join(work, "program.log")) as f:
    ran_dry = sum("ran dry" in line for line in f)
print(f"{len(presses)} presses in {seconds:.0f} s ({WARM_UP} to start the stream not counted), "
      f"{len(tones)} tones recorded")
print(f"key event to first sidetone sample: median {statistics.median(latencies):.1f} ms, "
      f"p99 {p99:.1f} ms, min {latencies[0]:.1f}, max {latencies[-1]:.1f}; "
      "target median <= 15 ms, p99 <= 25 ms")
print("largest:", " ".join(f"{x:.1f}" for x in latencies[-8:]), "smallest:", " ".join(f"{x:.1f}" for x in latencies[:5]))
print(f"dropouts: {broken} tones broken while the key was held, {missing} presses without a "
      f"tone of their own; the device reported running dry {ran_dry} times")
PY
