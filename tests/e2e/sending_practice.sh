#!/usr/bin/env bash
# Sends ПАРИЖ on the Space bar in the real program under Xvfb and checks what came of it: the
# sending panel is opened at start (KELVATRON_OPEN_PANEL=sending), a run is started, Space is held
# and released by XTest at a dot of 60 ms (the speed bar's stored value), and the run is finished.
# The program (KELVATRON_ECHO_SENT=1) then prints the decoded text, the text window and the Space
# holds as the X server stamped them; the window must read ПАРИЖ, and every sidetone in SDL's disk
# capture (float32, stereo, 48 kHz) must last as long as its hold. A tone starts and ends at its
# half level, so the 5 ms raised-cosine edges add nothing. The air's conditions are all on and
# must not reach the sidetone: a single noise sample would join the tones into one.
#   bash tests/e2e/sending_practice.sh build/kelvatron
# Each key edge carries its moment (the X server's stamp on the program's clock), and the sound
# device sounds every edge the same latency after its moment, so a tone lasts as long as its hold
# to within the stamps' millisecond and the estimate of the stamps' offset.
set -euo pipefail

program=$(readlink -f "${1:?usage: sending_practice.sh path/to/kelvatron}")
source "$(dirname "$0")/lib/xsession.sh"
source "$(dirname "$0")/lib/program.sh"
xsession_begin 201

# Every condition of the air is on, for the transmission too: the hand's own sidetone stays clean.
printf '%s\n' glProgress1.Percent=60 '[Air]' on=1 noise=1 snrDb=0 qsbHz=1 qrm=5 qrn=100 \
    onTransmission=1 onSpeedTest=1 | write_settings
start_program KELVATRON_OPEN_PANEL=sending KELVATRON_ECHO_SENT=1

click $place_sending_begin
# Keys go to the window under the pointer: there is no window manager to give it the focus.
xdotool mousemove --window "$window" 450 420
sleep 0.3

# ПАРИЖ: .--. .- .-. .. ...- at 60 ms a dot, 180 ms between signs, in one xdotool run so that
# no process start falls inside a sign.
steps=()
first=1
for sign in .--. .- .-. .. ...-; do
    [[ $first -eq 1 ]] || steps+=(sleep 0.18)
    first=0
    for ((i = 0; i < ${#sign}; i++)); do
        ((i == 0)) || steps+=(sleep 0.06)
        [[ "${sign:i:1}" == . ]] && hold=0.06 || hold=0.18
        steps+=(keydown space sleep "$hold" keyup space)
    done
done
xdotool "${steps[@]}"
sleep 1
click $place_sending_end
sleep 0.5
kill -TERM "$app_pid"
wait_for_exit 10 || fail "the program did not end on SIGTERM"

grep -q '^sent: ПАРИЖ' "$work/program.log" || fail "ПАРИЖ was not decoded"
grep -A1 '^window:' "$work/program.log" | grep -q 'ПАРИЖ' || fail "ПАРИЖ is not in the text window"
holds=$(sed -n 's/^holds: //p' "$work/program.log")
echo "decoded ПАРИЖ into the text window; Space held (ms): $holds"

python3 - "$(dirname "$0")/lib" "$work/sound.raw" "${TOLERANCE_MS:-5}" $holds <<'PY'
import sys

sys.path.insert(0, sys.argv[1])
from soundruns import RATE, read_left, tone_runs

left = read_left(sys.argv[2])
tolerance = float(sys.argv[3])
holds = [float(h) for h in sys.argv[4:]]

runs = tone_runs(left, threshold=1e-4)


def half_level_length(a, b):
    """From the first sample above half the tone's level to the last one, in ms."""
    level = max(abs(v) for v in left[a:b])
    above = [i for i in range(a, b) if abs(left[i]) >= level / 2]
    return (above[-1] - above[0] + 1) * 1000.0 / RATE


tones = [half_level_length(a, b) for a, b in runs]
print("tones (ms):", " ".join(f"{t:.1f}" for t in tones))
if len(tones) != len(holds):
    sys.exit(f"FAIL: {len(tones)} tones for {len(holds)} holds of Space")
deviations = [t - h for t, h in zip(tones, holds)]
print("tone - hold (ms):", " ".join(f"{d:+.1f}" for d in deviations))
worst = max(abs(d) for d in deviations)
print(f"largest deviation {worst:.1f} ms, allowed {tolerance:.1f} ms")
sys.exit(1 if worst > tolerance else 0)
PY
echo "PASS: ПАРИЖ keyed on Space was decoded, and every sidetone lasted as long as its hold"
