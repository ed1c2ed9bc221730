#!/usr/bin/env bash
# Clicks the on-screen key "Й" of the real program under Xvfb, then types the key that carries Й on
# a Russian keyboard, and checks from the captured sound card stream that .--- was keyed twice with the default speaker timing (dot 40 ms, dash 120 ms, 40 ms
# between elements). Without a PC speaker the speaker's tones are square waves on the sound card,
# which SDL's disk driver writes to a file exactly as mixed: float32, stereo, 48 kHz.
#   bash tests/e2e/keyboard_click.sh build/kelvatron
set -euo pipefail

program=$(readlink -f "${1:?usage: keyboard_click.sh path/to/kelvatron}")
source "$(dirname "$0")/lib/xsession.sh"
source "$(dirname "$0")/lib/program.sh"
xsession_begin 91

start_program

# The keyboard panel's second row starts at (29, 70) in it, with keys 30 x 34 on a 32-pixel
# pitch. "Й" is the first key of that row.
click_in $keyboard_panel_x $keyboard_panel_y "29 70 30 34"
sleep 2
# The same sign typed: the server's keymap is US, where this key types "q" (Щ); the window reads
# it with the Russian layout, so it types "й" and sounds Й again.
xdotool key q
sleep 2
kill -TERM "$app_pid"
wait_for_exit 10 || fail "the program did not end on SIGTERM"

python3 - "$(dirname "$0")/lib" "$work/sound.raw" <<'EOF'
import sys

sys.path.insert(0, sys.argv[1])
from soundruns import RATE, read_left, tone_runs

left = read_left(sys.argv[2])
print(f"captured {len(left) / RATE:.2f} s of sound")

runs = tone_runs(left)

def ms(frames):
    return frames * 1000.0 / RATE

lengths = [ms(b - a) for a, b in runs]
gaps = [ms(runs[i + 1][0] - runs[i][1]) for i in range(len(runs) - 1)]
code = "".join("." if length < 80 else "-" for length in lengths)
# Signs are apart by far more than the 40 ms between their elements.
signs = [""]
for i, element in enumerate(code):
    if i and gaps[i - 1] > 500:
        signs.append("")
    signs[-1] += element
print("decoded:", " ".join(signs))
print("tones (ms):", " ".join(f"{x:.1f}" for x in lengths))
print("gaps (ms):", " ".join(f"{x:.1f}" for x in gaps))
for a, b in runs:
    crossings = sum(1 for i in range(a + 1, b) if (left[i - 1] < 0) != (left[i] < 0))
    print(f"frequency: {(crossings + 1) / 2 / ((b - a) / RATE):.0f} Hz")
    break

failures = []
if signs != [".---", ".---"]:
    failures.append(f"expected .--- (clicked) and .--- (typed) but decoded {' '.join(signs)!r}")
else:
    for length, want in zip(lengths, (40, 120, 120, 120) * 2):
        if abs(length - want) > 3:
            failures.append(f"a tone of {length:.1f} ms where {want} ms was due")
    # The capture runs ahead of the wall clock that timed the waits, so gaps are checked loosely.
    for gap in gaps[:3] + gaps[4:]:
        if not 30 <= gap <= 150:
            failures.append(f"a gap of {gap:.1f} ms between elements where 40 ms was due")
for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
EOF
echo "PASS: the key Й, clicked and typed, sounded .--- at the default speaker timing"
