#!/usr/bin/env bash
# Measures the real program under Xvfb: the time from starting it to its first painted window,
# its resident memory once started, and the time from a key press to the first sample of the
# key's tone reaching the sound device.
#   bash bench/startup_and_key_latency.sh build/kelvatron [runs]
#
# The sound device is SDL's disk driver writing into a pipe that this script reads, so every block
# of sound is time-stamped as the device hands it over. A key press is injected with XTest: the
# key that types "t" on the server's US keymap and "е" in the window's Russian layout, which
# sounds Е (one 40 ms dot on the speaker's sound-card stand-in). The painted window is detected
# by polling screen pixels of the text window, the background and the status bar, which stay
# black (Xvfb -br) until the program paints them.
set -euo pipefail

program=$(readlink -f "${1:?usage: startup_and_key_latency.sh path/to/kelvatron [runs]}")
runs=${2:-5}
source "$(dirname "$0")/../tests/e2e/lib/xsession.sh"
xsession_begin 141

python3 - "$program" "$runs" "$work" "$(dirname "$0")/lib" <<'EOF'
import array, ctypes, os, statistics, subprocess, sys, threading, time

program, runs, work = sys.argv[1], int(sys.argv[2]), sys.argv[3]
RATE, FRAME_BYTES = 48000, 8  # float32 stereo
WIDTH, HEIGHT = 792, 573
KEY_T = 28  # X key code of the key typing "t" on a US keymap and "е" on a Russian one
KEYS_PER_RUN = 5

sys.path.insert(0, sys.argv[4])
from xtest import dpy, x11, xtst

root = x11.XDefaultRootWindow(dpy)
left, top = (1024 - WIDTH) // 2, (768 - HEIGHT) // 2  # the window opens centred
probes = [(300, 150), (10, 300), (400, 560)]


def pixel(x, y):
    image = x11.XGetImage(dpy, root, x, y, 1, 1, 0xFFFFFFFF, 2)  # ZPixmap
    data = ctypes.cast(ctypes.c_void_p.from_address(image + 16).value, ctypes.POINTER(ctypes.c_uint32))
    value = data[0] & 0xFFFFFF
    # XDestroyImage is a macro: the image's own destroy function.
    destroy = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p)(ctypes.c_void_p.from_address(image + 96).value)
    destroy(image)
    return value


def painted():
    return all(pixel(left + x, top + y) for x, y in probes)


def rss_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    return float("nan")


class Capture(threading.Thread):
    """Reads the disk driver's pipe and notes when each block was handed over."""

    def __init__(self, path):
        super().__init__(daemon=True)
        self.path, self.blocks, self.frames = path, [], 0

    def run(self):
        fd = os.open(self.path, os.O_RDONLY)
        pending = b""
        while True:
            data = os.read(fd, 1 << 16)
            now = time.perf_counter()
            if not data:
                break
            data = pending + data
            usable = len(data) - len(data) % FRAME_BYTES
            pending = data[usable:]
            samples = array.array("f", data[:usable])[0::2]
            first = next((i for i, v in enumerate(samples) if abs(v) > 1e-3), None)
            self.blocks.append((now, self.frames, len(samples), first))
            self.frames += len(samples)

    def first_sound_after(self, t):
        for now, start, count, first in self.blocks:
            if now >= t and first is not None:
                return now, first
        return None


startups, rss_started, rss_after, handover, on_stream = [], [], [], [], []
for run in range(runs):
    config = os.path.join(work, f"config{run}")
    os.makedirs(config)
    pipe = os.path.join(work, f"sound{run}.pipe")
    os.mkfifo(pipe)
    capture = Capture(pipe)
    capture.start()
    env = dict(os.environ, XDG_CONFIG_HOME=config, SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=pipe,
               QT_QPA_PLATFORM="xcb")
    started = time.perf_counter()
    app = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    while not painted():
        if time.perf_counter() - started > 20:
            sys.exit("the window was not painted within 20 s")
        time.sleep(0.001)
    startups.append((time.perf_counter() - started) * 1000)
    time.sleep(1.0)
    rss_started.append(rss_mb(app.pid))

    # Keys go to the window under the pointer: there is no window manager to give it the focus.
    xtst.XTestFakeMotionEvent(dpy, -1, left + WIDTH // 2, top + 150, 0)
    x11.XSync(dpy, 0)
    time.sleep(0.3)
    for _ in range(KEYS_PER_RUN):
        xtst.XTestFakeKeyEvent(dpy, KEY_T, 1, 0)
        x11.XFlush(dpy)
        sent = time.perf_counter()
        time.sleep(0.03)
        xtst.XTestFakeKeyEvent(dpy, KEY_T, 0, 0)
        x11.XFlush(dpy)
        time.sleep(0.8)
        found = capture.first_sound_after(sent)
        if found is None:
            sys.exit("a key press sounded nothing")
        block_time, offset = found
        handover.append((block_time - sent) * 1000)
        on_stream.append((block_time - sent) * 1000 + offset * 1000 / RATE)
    rss_after.append(rss_mb(app.pid))
    app.terminate()
    app.wait(10)
    capture.join(5)


def summary(name, values, unit, target=None):
    line = (f"{name}: median {statistics.median(values):.1f} {unit}, min {min(values):.1f}, "
            f"max {max(values):.1f} (n={len(values)})")
    if target is not None:
        line += f"; target <= {target} {unit}"
    print(line)


summary("start-up to first painted window", startups, "ms", 300)
summary("resident memory 1 s after start", rss_started, "MB", 80)
summary("resident memory after keying", rss_after, "MB", 80)
summary("key press to the block holding its first sample", handover, "ms")
summary("key press to its first sample on the stream timeline", on_stream, "ms", 30)
EOF
