#!/usr/bin/env bash
# Renders docs/receive-result.png and docs/history.png from the real program under Xvfb: a
# history of earlier exercises is prepared, a receive exercise of mixed groups is copied by ear
# (tests/e2e/lib/listen.py) and typed back with a few mistakes, and the training panel with its
# result, then the "Журнал", are captured.
#   bash scripts/training-screenshots.sh build/kelvatron
set -euo pipefail

program=$(readlink -f "${1:?usage: training-screenshots.sh path/to/kelvatron}")
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/e2e/lib/xsession.sh"
source "$root/tests/e2e/lib/training.sh"
xsession_begin 391

mkdir -p "$work/data/Kelvatron"
# Eight earlier exercises, getting better, with the signs they went wrong on.
python3 - "$work/data/Kelvatron/history.sqlite" "$root/src/training/historyschema.cpp" \
    "$root/tests/e2e/lib" <<'PYTHON'
import sys
sys.path.insert(0, sys.argv[3])
import historyfile
db = historyfile.create(sys.argv[1], sys.argv[2])
weak = {"Ы": (12, 7), "Щ": (10, 5), "Ж": (14, 5), "Б": (15, 4), "Х": (11, 3), "Ю": (9, 2),
        "Ш": (13, 2), "Д": (16, 2), "З": (12, 1), "Л": (14, 1), "А": (18, 0), "Е": (17, 0)}
for i, (errors, cpm) in enumerate([(14, 60), (11, 60), (12, 70), (9, 70), (7, 80), (8, 80),
                                   (5, 90), (4, 100)]):
    cur = db.execute("INSERT INTO sessions (started_at, kind, source, dot_ms, signs, errors, "
                     "char_wpm, effective_wpm, duration_s) VALUES (?, 'receive', 'буквы', ?, 50, "
                     "?, ?, ?, 60)", (f"2026-11-{20 + i:02d}T18:00:00Z", 6000 // cpm,
                                      errors, cpm / 5, cpm / 6))
    for sign, (sent, wrong) in weak.items():
        db.execute("INSERT INTO sign_results VALUES (?, ?, ?, ?)",
                   (cur.lastrowid, sign, sent // 4 + 1, max(0, wrong - i) // 2))
db.commit()
PYTHON

start_training <<'SETTINGS'
glDigits9.Value=5
glDigits10.Value=3
glProgress1.Percent=60
glCheckBox4.Checked=0
glCheckBox5.Checked=0
glCheckBox6.Checked=1
glCheckBox7.Checked=0
glCheckBox21.Checked=0
SETTINGS
click_in $training_panel_x $training_panel_y "$in_training_receive"

heard=$(timeout 60 python3 "$root/tests/e2e/lib/listen.py" "$work/sound.raw" 15 \
    "$root/src/keying/signtable.cpp" 60) || fail "nothing was heard"
echo "heard: $heard"
# A copy with mistakes: the second sign taken for another, the fourth of the second group
# missed, a sign too many in the last group. Typed on the keys of the Russian layout.
answer=$(python3 - "$heard" <<'PYTHON'
import sys
groups = sys.argv[1].split()
other = lambda c: "Б" if c != "Б" else "Д"
groups[0] = groups[0][0] + other(groups[0][1]) + groups[0][2:]
groups[1] = groups[1][:3] + groups[1][4:]
groups[2] = groups[2][:2] + "Е" + groups[2][2:]
ru = "ЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮ"
us = "qwertyuiop[]asdfghjkl;'zxcvbnm,."
print(" ".join(groups).translate(str.maketrans(ru, us)))
PYTHON
)
xdotool type --delay 60 "$answer"
# Typed after the last sign, the copy waits for "Проверить".
click_in $training_panel_x $training_panel_y "$in_training_check"
for _ in $(seq 100); do grep -q "Знаков:" "$work/program.log" && break; sleep 0.1; done
grep "Знаков:" "$work/program.log" || fail "no figure"
sleep 1

shot() {
    local x y w h
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/shot.png"
    convert "$work/shot.png" -colors 128 "PNG8:$1"
    echo "$1: $(stat -c %s "$1") bytes"
}
shot "$root/docs/receive-result.png"
# "Журнал" in the grown panel's command column.
click_in $training_panel_grown_x $training_panel_grown_y "$in_training_history"
sleep 1
shot "$root/docs/history.png"
kill -TERM "$app_pid"
wait_for_exit 10 || true
