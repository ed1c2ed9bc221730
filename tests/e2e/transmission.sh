#!/usr/bin/env bash
# A short digit exercise keyed by the real program under Xvfb: settings for two groups of three
# digits on the sound card (no opening, no closing) are prepared in an empty configuration
# folder, the start button is clicked, and when the transmission is over the window's text is
# saved through "Файл" / "Сохранить как ...". The sound, captured by SDL's disk driver exactly as
# mixed (float32, stereo, 48 kHz), is decoded back into signs, which must be the digits the window
# shows, group for group, at the sound card's timing: dot 20 ms, dash 60 ms, 20 ms between
# elements, 80 ms between signs, 200 ms between groups.
# Then a long exercise is started and the program closed through its close button and "Да"
# while it runs: the program must end at once, cleanly, having saved its settings.
#   bash tests/e2e/transmission.sh build/kelvatron
set -euo pipefail

program=$(readlink -f "${1:?usage: transmission.sh path/to/kelvatron}")
source "$(dirname "$0")/lib/xsession.sh"
source "$(dirname "$0")/lib/program.sh"
xsession_begin 191

config="$work/config"
settings="$config/Home/Project1.conf"
# Group size and count first, the rest shared by both runs.
write_groups() {
    write_settings <<SETTINGS
glDigits9.Value=$1
glDigits10.Value=$2
$settings_digits
$settings_sound_card
glCheckBox21.Checked=0
SETTINGS
}

write_groups 3 2
start_program

# Six digits take at most about 3.5 s at the sound card's speed; the transmission must be over
# before the window is saved, or the save would run inside it.
click $place_start
sleep 8

# "Файл", then "Сохранить как ..."; the dialog takes a full path.
click $place_file_menu
click $place_save_as
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name "^(Save As|Сохранить как)" | head -n 1) || true
[[ -n "$dialog" ]] || fail "the save dialog did not appear"
xdotool mousemove --window "$dialog" 40 40
xdotool windowfocus --sync "$dialog"
xdotool key ctrl+a
xdotool type --delay 5 "$work/window.dkm"
xdotool key Return
for _ in $(seq 50); do [[ -s "$work/window.dkm" ]] && break; sleep 0.1; done
[[ -s "$work/window.dkm" ]] || fail "the window's text was not saved"

kill -TERM "$app_pid"
wait_for_exit 10 || fail "the program did not end on SIGTERM"

python3 - "$(dirname "$0")/lib" "$work/sound.raw" "$work/window.dkm" <<'PYTHON'
import sys

sys.path.insert(0, sys.argv[1])
from soundruns import RATE, read_left, tone_runs

DIGITS = {".----": "1", "..---": "2", "...--": "3", "....-": "4", ".....": "5",
          "-....": "6", "--...": "7", "---..": "8", "----.": "9", "-----": "0"}

left = read_left(sys.argv[2])
with open(sys.argv[3], "rb") as f:
    window = f.read().decode("cp1251")
print(f"captured {len(left) / RATE:.2f} s of sound; the window holds {window!r}")

# The envelope's first and last samples are quiet, hence the low threshold.
peak = max((abs(v) for v in left), default=0.0)
runs = tone_runs(left, threshold=peak * 0.02)

def ms(frames):
    return frames * 1000.0 / RATE

tones = [ms(b - a) for a, b in runs]
gaps = [ms(runs[i + 1][0] - runs[i][1]) for i in range(len(runs) - 1)]
print("tones (ms):", " ".join(f"{x:.1f}" for x in tones))
print("gaps (ms):", " ".join(f"{x:.1f}" for x in gaps))

failures = []
if tones and min(tones) > 30:
    failures.append("no 20 ms dots: the prepared settings (sound card) were not loaded")
groups, sign = [""], ""
for i, tone in enumerate(tones):
    if abs(tone - 20) <= 2:
        sign += "."
    elif abs(tone - 60) <= 2:
        sign += "-"
    else:
        failures.append(f"a tone of {tone:.1f} ms where 20 or 60 ms was due")
    gap = gaps[i] if i < len(gaps) else None
    # The wall clock that timed the waits runs beside the capture, so gaps are sorted loosely.
    if gap is not None and gap < 45:
        if gap < 15:
            failures.append(f"a gap of {gap:.1f} ms between elements where 20 ms was due")
        continue
    groups[-1] += DIGITS.get(sign, "?")
    sign = ""
    if gap is not None and gap >= 140:
        groups.append("")
    elif gap is not None and gap < 60:
        failures.append(f"a gap of {gap:.1f} ms between signs where 80 ms was due")
decoded = "".join(g + "  " for g in groups)
print(f"decoded: {decoded!r}")
if decoded != window:
    failures.append(f"the sound keyed {decoded!r} but the window shows {window!r}")
if len(groups) != 2 or any(len(g) != 3 for g in groups):
    failures.append("two groups of three digits were due")
for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
PYTHON
echo "the sound keyed exactly the digit groups the window shows, at the sound card's timing"

# A transmission of 200 groups of 100 digits, closed after a few signs: the close button stops
# it at its next check, "Да" closes the window, and the program leaves its message loop as soon
# as the transmission's handler has returned.
write_groups 100 200
start_program
click $place_start
sleep 1.5
click $place_close
click_in $confirm_x $confirm_y "160 56 44 30"
status=0
timeout 5 tail --pid="$app_pid" -f /dev/null || fail "the program did not end while transmitting"
wait "$app_pid" || status=$?
app_pid=""  # the exit status matters here, so this wait is the script's own
[[ "$status" -eq 0 ]] || fail "the program ended with status $status when closed during a transmission"
# The prepared file held 12 values; the window writes all of its own, once.
[[ $(grep -c '=' "$settings") -gt 12 ]] || fail "the settings were not saved on closing"
[[ $(grep -c '^glDigits9\.Value=100$' "$settings") -eq 1 ]] || fail "the saved settings are not the loaded ones"
echo "PASS: keyed groups match the window; closing during a transmission ends the program cleanly"
