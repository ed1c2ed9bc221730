#!/usr/bin/env bash
# Renders docs/course.png and docs/exam.png from the real program under Xvfb: a learner at
# lesson 12 of the Cyrillic course with a record of earlier exercises and speed tests opens
# "Курс", then "Зачёт".
#   bash scripts/course-screenshot.sh build/kelvatron
set -euo pipefail

program=$(readlink -f "${1:?usage: course-screenshot.sh path/to/kelvatron}")
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/e2e/lib/xsession.sh"
source "$root/tests/e2e/lib/training.sh"
xsession_begin 431

mkdir -p "$work/data/Kelvatron"
python3 - "$work/data/Kelvatron/history.sqlite" "$root/src/training/historyschema.cpp" \
    "$root/tests/e2e/lib" <<'PYTHON'
import sys
sys.path.insert(0, sys.argv[3])
import historyfile
db = historyfile.create(sys.argv[1], sys.argv[2])
# The signs of lessons 1..11, the later ones less sure.
record = {"К": (40, 1), "М": (40, 0), "Р": (36, 2), "С": (34, 1), "У": (30, 3), "А": (28, 2),
          "П": (24, 4), "Т": (20, 1), "Л": (16, 4), "Й": (12, 5), "И": (8, 1)}
cur = db.execute("INSERT INTO sessions (started_at, kind, source, alphabet, dot_ms, signs, "
                 "errors, char_wpm, effective_wpm, duration_s) VALUES ('2026-12-06T18:00:00Z', "
                 "'receive', 'курс, урок 11', '', 60, 288, 24, 20, 14, 60)")
for sign, (sent, wrong) in record.items():
    db.execute("INSERT INTO sign_results VALUES (?, ?, ?, ?)", (cur.lastrowid, sign, sent, wrong))
db.execute("INSERT INTO course_progress VALUES ('cyrillic', 12, 0, '2026-12-06T18:01:00Z')")
# Speed tests: the best per text type is the highest speed passed (char_wpm, 0 when failed).
for day, source, dot, signs, errors, wpm in [
        (1, "зачёт, приём: цифры", 100, 105, 7, 0), (2, "зачёт, приём: цифры", 75, 176, 11, 16),
        (3, "зачёт, приём: буквы", 85, 120, 9, 14),
        (4, "зачёт, передача: цифры", 95, 60, 2, 12.6), (5, "зачёт, приём: цифры", 66, 254, 14, 18)]:
    db.execute("INSERT INTO sessions (started_at, kind, source, alphabet, dot_ms, signs, errors, "
               "char_wpm, effective_wpm, duration_s) VALUES (?, 'exam', ?, '0123456789', ?, ?, ?, "
               "?, ?, 240)", (f"2026-12-0{day}T19:00:00Z", source, dot, signs, errors, wpm, wpm))
db.commit()
PYTHON

start_training <<'SETTINGS'
glProgress1.Percent=60
SETTINGS
click_in $training_panel_x $training_panel_y "$in_training_course"
sleep 6

# The window alone, cropped from the screen.
shoot() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/shot.png"
    convert "$work/shot.png" -colors 128 "PNG8:$root/docs/$1"
    echo "docs/$1: $(stat -c %s "$root/docs/$1") bytes"
}
shoot course.png
click_in $training_panel_grown_x $training_panel_grown_y "$in_training_exam"
sleep 2
shoot exam.png
