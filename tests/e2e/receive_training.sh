#!/usr/bin/env bash
# A receive exercise in the real program under Xvfb, copied by ear: settings for one group of
# three digits on the sound card (no opening; the closing А Р, which is not scored) are
# prepared, "Тренировка" and "Приём на слух" are clicked, the sound (SDL's disk driver writes
# it as mixed, float32 stereo 48 kHz, as it plays) is decoded while it is keyed, and the digits
# heard are typed back, in the pause before the closing, with Й for the middle one. The program
# must print the figure of one error in three signs and keep the exercise, Й included, in its
# history.
#   bash tests/e2e/receive_training.sh build/kelvatron
set -euo pipefail

program=$(readlink -f "${1:?usage: receive_training.sh path/to/kelvatron}")
source "$(dirname "$0")/lib/xsession.sh"
source "$(dirname "$0")/lib/training.sh"
xsession_begin 291

start_training <<SETTINGS
glDigits9.Value=3
glDigits10.Value=1
glProgress1.Percent=60
$settings_digits
glCheckBox21.Checked=1
SETTINGS

# "Приём на слух" is the panel's first command. After a check the panel has grown.
panel_x=$training_panel_x panel_y=$training_panel_y
# The digits, heard as they are keyed (the sound card's dot is the speed unit, 60 ms). A machine
# busy enough to stall the sound for a dot's length garbles what is heard: the learner then
# answers a sign (an empty copy is never checked), checks it with "Проверить" and listens to
# another exercise.
for attempt in 1 2 3; do
    from=$(stat -c %s "$work/sound.raw" 2>/dev/null || echo 0)
    click_in $panel_x $panel_y "$in_training_receive"
    heard=$(timeout 20 python3 "$(dirname "$0")/lib/listen.py" "$work/sound.raw" 3 \
        "$(dirname "$0")/../../src/keying/signtable.cpp" 60 "$from") || fail "no digits were heard"
    echo "heard: $heard"
    [[ "$heard" =~ ^[0-9]{3}$ ]] && break
    [[ $attempt -lt 3 ]] || fail "three digits were due, heard '$heard'"
    xdotool type --delay 20 0
    click_in $panel_x $panel_y "$in_training_check"
    for _ in $(seq 100); do [[ $(grep -c "Знаков:" "$work/program.log") -ge $attempt ]] && break; sleep 0.1; done
    panel_x=$training_panel_grown_x panel_y=$training_panel_grown_y
    sleep 1
done

# The answer with its middle sign wrong, typed into the window (it has the focus): the key that
# types "q" on the server's US keymap, which the window reads with the Russian layout as Й.
answer="${heard:0:1}q${heard:2:1}"
xdotool type --delay 20 "$answer"

figure="Знаков: 3, ошибок: 1 (33.3 %)"
for _ in $(seq 100); do grep -qF "$figure" "$work/program.log" && break; sleep 0.1; done
grep -qF "$figure" "$work/program.log" || fail "the figure '$figure' was not shown for '$answer'"

python3 - "$work/data/Kelvatron/history.sqlite" <<'PYTHON' || fail "the exercise is not in the history"
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
last = db.execute("SELECT max(id) FROM sessions").fetchone()[0]
rows = db.execute("SELECT kind, source, signs, errors FROM sessions WHERE id = ?", (last,)).fetchall()
taken = db.execute("SELECT typed FROM confusions WHERE session_id = ?", (last,)).fetchall()
print("history:", rows, "the wrong sign taken for", taken)
sys.exit(0 if rows == [("receive", "цифры", 3, 1)] and taken == [("Й",)] else 1)
PYTHON

kill -TERM "$app_pid"
wait_for_exit 10 || fail "the program did not end on SIGTERM"
echo "PASS: the digits heard, typed with Й for the middle one, gave '$figure' and a history entry"
