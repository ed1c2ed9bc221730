#!/usr/bin/env bash
# A receive exercise in the real program under Xvfb, copied by ear: settings for one group of
# three digits on the sound card (no opening, no closing) are prepared, "Тренировка" and
# "Приём на слух" are clicked, the sound (SDL's disk driver writes it as mixed, float32 stereo
# 48 kHz, as it plays) is decoded while it is keyed, and the digits heard are typed back with
# the middle one wrong. The program must print the figure of one error in three signs and keep
# the exercise in the history database.
#   bash tests/e2e/receive_training.sh build/kelvatron
set -euo pipefail

program=$(readlink -f "${1:?usage: receive_training.sh path/to/kelvatron}")
source "$(dirname "$0")/lib/xsession.sh"
xsession_begin 291

mkdir -p "$work/config/Home" "$work/data"
cat >"$work/config/Home/Project1.conf" <<'SETTINGS'
[Form1]
glDigits9.Value=3
glDigits10.Value=1
glCheckBox4.Checked=1
glCheckBox5.Checked=0
glCheckBox6.Checked=0
glCheckBox7.Checked=0
glCheckBox13.Checked=0
glCheckBox14.Checked=1
glCheckBox20.Checked=0
glCheckBox21.Checked=0
SETTINGS

XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" KELVATRON_ECHO_CHECK=1 \
    SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/sound.raw" QT_QPA_PLATFORM=xcb \
    "$program" >"$work/program.log" 2>&1 &
app_pid=$!
wait_for_window

# "Тренировка" on the top strip; the panel opens right of the text window at (596, 232) with
# "Приём на слух" as its first command.
click 354 12 116 22
click $((596 + 10)) $((232 + 26)) 172 26

# Listens to the stream as it grows and prints the digits once three were heard and a pause
# longer than a group's followed them.
heard=$(timeout 20 python3 - "$work/sound.raw" <<'PYTHON'
import array, os, sys, time

RATE = 48000
DIGITS = {".----": "1", "..---": "2", "...--": "3", "....-": "4", ".....": "5",
          "-....": "6", "--...": "7", "---..": "8", "----.": "9", "-----": "0"}
path, offset, frame = sys.argv[1], 0, 0
tone_start, last_end, code, digits = None, None, "", ""
while True:
    size = os.path.getsize(path) if os.path.exists(path) else 0
    size -= size % 8
    if size <= offset:
        time.sleep(0.02)
        continue
    samples = array.array("f")
    with open(path, "rb") as f:
        f.seek(offset)
        samples.frombytes(f.read(size - offset))
    offset = size
    for v in samples[0::2]:
        frame += 1
        loud = abs(v) > 0.02
        if loud and tone_start is None:
            if last_end is not None and frame - last_end > RATE * 0.045 and code:
                digits += DIGITS.get(code, "?")
                code = ""
            tone_start = frame
        if loud:
            last_end = frame
        elif tone_start is not None and frame - last_end > RATE * 0.002:
            length = (last_end - tone_start) * 1000 / RATE
            code += "." if length < 40 else "-"
            tone_start = None
    if code and last_end is not None and frame - last_end > RATE * 0.3:
        digits += DIGITS.get(code, "?")
        print(digits, flush=True)
        break
PYTHON
) || fail "no digits were heard"
echo "heard: $heard"
[[ "$heard" =~ ^[0-9]{3}$ ]] || fail "three digits were due, heard '$heard'"

# The answer with its middle sign wrong, typed into the window (it has the focus).
middle=${heard:1:1}
wrong=$(((middle + 1) % 10))
answer="${heard:0:1}${wrong}${heard:2:1}"
xdotool type --delay 20 "$answer"

figure="Знаков: 3, ошибок: 1 (33.3 %)"
for _ in $(seq 100); do grep -qF "$figure" "$work/program.log" && break; sleep 0.1; done
grep -qF "$figure" "$work/program.log" || fail "the figure '$figure' was not shown for '$answer'"

python3 - "$work/data/Kelvatron/history.sqlite" <<'PYTHON' || fail "the exercise is not in the history"
import sqlite3, sys
rows = sqlite3.connect(sys.argv[1]).execute(
    "SELECT kind, source, signs, errors FROM sessions").fetchall()
print("history:", rows)
sys.exit(0 if rows == [("receive", "цифры", 3, 1)] else 1)
PYTHON

kill -TERM "$app_pid"
wait_for_exit 10 || fail "the program did not end on SIGTERM"
echo "PASS: the digits heard, typed with one wrong, gave '$figure' and a history entry"
