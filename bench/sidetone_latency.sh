#!/usr/bin/env bash
# Measures the sending practice's sidetone end to end: the real program under Xvfb plays into a
# private PulseAudio null sink whose monitor bench/monitor_tones records in 1 ms pieces, while
# XTest keys the Space bar (a straight key) with holds and gaps drawn at random around a 60 ms
# dot. For every press it reports the time from the key event to the first sample of its tone at
# the sound server, and it counts dropouts: a press without a tone, or a tone broken while its
# key was held.
#   bash bench/sidetone_latency.sh build/kelvatron [seconds of keying, default 300]
# monitor_tones comes from the program's build folder, built there if it is missing.
set -euo pipefail

program=$(readlink -f "${1:?usage: sidetone_latency.sh path/to/kelvatron [seconds]}")
seconds=${2:-300}
build=$(dirname "$program")
[[ -x "$build/bench/monitor_tones" ]] || { cmake -DKELVATRON_BENCH=ON "$build" >/dev/null && cmake --build "$build" --target monitor_tones; }
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

python3 - "$program" "$seconds" "$work" "$here/lib" <<'PY'
import os, random, statistics, subprocess, sys, time

program, seconds, work = sys.argv[1], float(sys.argv[2]), sys.argv[3]

SPACE = 65  # the X key code of the space bar
WARM_UP = 10  # presses while an idle sound server wakes up
WIDTH, HEIGHT = 792, 573

sys.path.insert(0, sys.argv[4])
from xtest import dpy, x11, xtst

left, top = (1024 - WIDTH) // 2, (768 - HEIGHT) // 2  # the window opens centred


def x_click(x, y):
    xtst.XTestFakeMotionEvent(dpy, -1, left + x, top + y, 0)
    xtst.XTestFakeButtonEvent(dpy, 1, 1, 0)
    xtst.XTestFakeButtonEvent(dpy, 1, 0, 0)
    x11.XSync(dpy, 0)


def space(down):
    xtst.XTestFakeKeyEvent(dpy, SPACE, 1 if down else 0, 0)
    x11.XFlush(dpy)
    return time.perf_counter()


# The recorder's own wait covers the start, the keying and the end below.
monitor = os.path.join(os.path.dirname(program), "bench", "monitor_tones")
recorder = subprocess.Popen([monitor, str(seconds + 8), "sidetone.monitor"], stdout=subprocess.PIPE,
                            text=True)
assert recorder.stdout.readline().strip() == "ready"
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
log.close()
tones = [tuple(map(float, line.split())) for line in recorder.communicate()[0].split("\n") if line]
tones = [(start / 1000, end / 1000, gaps) for start, end, gaps in tones]

latencies, missing, broken, t = [], 0, 0, 0
for down, up in presses[WARM_UP:]:
    # A tone's first sample is timed from the arrival of the recorder's 1 ms piece.
    while t < len(tones) and tones[t][0] < down - 0.001:
        t += 1
    # The press's tone: the first to begin after the press and before the next press could sound.
    if t >= len(tones) or tones[t][0] > up + 0.2:
        missing += 1
        continue
    latencies.append(max(0.0, tones[t][0] - down) * 1000)
    # A tone broken inside, or one that ends well before the key was let go, had a dropout.
    if tones[t][2] > 0 or tones[t][1] < up - 0.005:
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
