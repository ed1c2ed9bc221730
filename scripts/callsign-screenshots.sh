#!/usr/bin/env bash
# Renders docs/callsign-run.png and docs/pileup.png from the real program under Xvfb: a run of
# ten calls is copied by ear (tests/e2e/lib/listen.py) and typed back, two of them with a
# mistake, and the panel with the run's end screen is captured; then a CQ is given on the
# "Общий вызов" page, one of the stations that answer is worked and the page captured.
#   bash scripts/callsign-screenshots.sh build/kelvatron
set -euo pipefail

program=$(readlink -f "${1:?usage: callsign-screenshots.sh path/to/kelvatron}")
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/e2e/lib/xsession.sh"
source "$root/tests/e2e/lib/training.sh"
xsession_begin 431

calls=10 start=100 step=10
write_settings <<SETTINGS
$settings_sound_card
SETTINGS
printf '[Callsigns]\ncalls=%s\nstartCpm=%s\nstepCpm=%s\n' $calls $start $step \
    >>"$work/config/Home/Project1.conf"
start_program KELVATRON_ECHO_CHECK=1
click $place_training_menu
click_in $training_panel_x $training_panel_y "$in_training_callsigns" # "Позывные"
place_drill_start="213 122 53 19"                              # "Начать" on the drill's page
place_pileup_page="446 68 76 18"                               # the "Общий вызов" tab
place_pileup_cq="213 122 40 19"                                # "CQ" on that page

shot() {
    local x y w h
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/shot.png"
    convert "$work/shot.png" -colors 128 "PNG8:$1"
    echo "$1: $(stat -c %s "$1") bytes"
}

latin() { # the Latin letters keyed with the signs heard (the sign table names them in Cyrillic)
    python3 -c 'import sys; print(sys.argv[1].translate(str.maketrans(
        "АБЦДЕФГХИЙКЛМНОПЩРСТУЖВЬЫЗ", "ABCDEFGHIJKLMNOPQRSTUVWXYZ")).replace(" ", ""))' "$1"
}

cpm=$start
from=0
click $place_drill_start
for i in $(seq $calls); do
    heard=$(timeout 60 python3 "$root/tests/e2e/lib/listen.py" "$work/sound.raw" 0 \
        "$root/src/keying/signtable.cpp" $((6000 / cpm)) "$from") || fail "call $i was not heard"
    call=$(latin "$heard")
    typed=$call
    # The third and the seventh calls are copied with a mistake: the last sign taken for E (or I).
    [[ $i == 3 || $i == 7 ]] && typed="${call%?}$([[ ${call: -1} == E ]] && echo I || echo E)"
    echo "call $i at $cpm: heard $call, typed $typed"
    from=$(stat -c %s "$work/sound.raw")
    xdotool type --delay 40 "$typed"
    xdotool key Return
    [[ "$typed" == "$call" ]] && cpm=$((cpm + step)) || cpm=$((cpm - step))
done
for _ in $(seq 100); do grep -q "Очков:" "$work/program.log" && break; sleep 0.1; done
grep "Очков:" "$work/program.log" || fail "the run did not end"
sleep 1
shot "$root/docs/callsign-run.png"

click $place_pileup_page
# CQ until three stations answer at once, then work three of them, each after hearing the mix.
last_callers() { grep "Зовут:" "$work/program.log" | tail -n 1; }
seen=0
for _ in $(seq 8); do
    click $place_pileup_cq
    for _ in $(seq 200); do (($(grep -c "Зовут:" "$work/program.log") > seen)) && break; sleep 0.1; done
    seen=$(grep -c "Зовут:" "$work/program.log") || fail "nobody answered the CQ"
    (($(wc -w <<<"$(last_callers)") >= 4)) && break
done
for _ in 1 2 3; do
    sleep 3
    callers=$(last_callers)
    echo "$callers"
    (($(wc -w <<<"$callers") >= 2)) || break
    xdotool type --delay 40 "$(awk '{print $2}' <<<"$callers")"
    xdotool key Return
    for _ in $(seq 50); do (($(grep -c "Зовут:" "$work/program.log") > seen)) && break; sleep 0.1; done
    seen=$(grep -c "Зовут:" "$work/program.log")
done
sleep 1
shot "$root/docs/pileup.png"
