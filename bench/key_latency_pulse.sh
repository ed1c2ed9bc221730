#!/usr/bin/env bash
# Times a typed key of the keyboard practice against its sound at a real-time sound server: the
# real program under Xvfb plays through a private PulseAudio daemon's null sink, a key that types
# "е" (the sign Е, one dot) is pressed with XTest, and bench/monitor_tones finds the tone at the
# monitor. With a second build (an older commit's) both programs are timed in turn, idle and
# beside BUSY (default 2) busy processes, so the figures are side by side from one run.
#   bench/key_latency_pulse.sh [build-dir] [other-build-dir]    (default: build)
# PRESSES sets the presses per program and load (40); LOADS="0 2" the loads; INPUT=click clicks the
# on-screen key Е instead of typing, timed from the button's release, where a click happens.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/lib/pulseserver.sh
builds=("${1:-build}")
[[ -n "${2:-}" ]] && builds+=("$2")
[[ -x "${builds[0]}/bench/monitor_tones" ]] || { cmake -DKELVATRON_BENCH=ON "${builds[0]}" >/dev/null && cmake --build "${builds[0]}" --target monitor_tones; }
pulseserver_begin
xvfb_begin 171
status=0
for load in ${LOADS:-0 ${BUSY:-2}}; do
    busy_begin "$load"
    for build in "${builds[@]}"; do
        echo "=== $build, $load busy (load average $(cut -d' ' -f1 /proc/loadavg))"
        python3 - "$(readlink -f "$build/kelvatron")" "${builds[0]}/bench/monitor_tones" \
            "${PRESSES:-40}" "$work/config-$RANDOM" <<'PY' || status=1
import ctypes, os, random, statistics, subprocess, sys, time

program, monitor, presses, config = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4]
KEY_T = 28  # types "t" on a US keymap and "е" in the window's Russian layout
WIDTH, HEIGHT = 792, 573
sys.path.insert(0, "bench/lib")
from xtest import dpy, x11, xtst

os.makedirs(config)
env = dict(os.environ, XDG_CONFIG_HOME=config, SDL_AUDIODRIVER="pulseaudio", QT_QPA_PLATFORM="xcb")
app = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    time.sleep(4)  # the window shows and the sound streams settle
    rng = random.Random(1945)
    seconds = presses * 0.9 + 2
    rec = subprocess.Popen([monitor, str(seconds)], stdout=subprocess.PIPE, text=True)
    assert rec.stdout.readline().strip() == "ready"
    left, top = (1024 - WIDTH) // 2, (768 - HEIGHT) // 2  # the window opens centred
    click = os.environ.get("INPUT") == "click"
    # The keyboard panel's key Е lies at (372, 407) in the window; keys go to the window under
    # the pointer.
    xtst.XTestFakeMotionEvent(dpy, -1, *((left + 372, top + 407) if click else (512, top + 150)), 0)
    x11.XSync(dpy, 0)
    time.sleep(0.5)
    sent = []
    for _ in range(presses):
        press = (lambda down: xtst.XTestFakeButtonEvent(dpy, 1, down, 0)) if click else (
            lambda down: xtst.XTestFakeKeyEvent(dpy, KEY_T, down, 0))
        press(1)
        x11.XFlush(dpy)
        pressed = time.monotonic() * 1000
        time.sleep(0.03)
        press(0)
        x11.XFlush(dpy)
        sent.append(time.monotonic() * 1000 if click else pressed)
        time.sleep(0.6 + rng.random() * 0.2)
    tones = [tuple(map(float, line.split())) for line in rec.communicate()[0].split("\n") if line]
finally:
    app.terminate()
    app.wait(10)
latency = []
for t in sent:
    after = [start for start, end, gaps in tones if t <= start <= t + 400]
    if after:
        latency.append(after[0] - t)
latency.sort()
if not latency:
    sys.exit("no key sounded")
p99 = latency[min(len(latency) - 1, int(0.99 * len(latency) + 0.999) - 1)]
print(f"key press to first sample at the server: median {statistics.median(latency):.1f} ms, "
      f"p99 {p99:.1f}, worst {latency[-1]:.1f} (n={len(latency)} of {len(sent)}; "
      "target median <= 25, p99 <= 35)")
PY
    done
    busy_end
done
exit $status
