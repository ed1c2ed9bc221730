#!/usr/bin/env bash
# A termination request ends the real program under Xvfb without a question: SIGTERM and SIGINT,
# with the window idle, in a transmission's opening (which handles no event) and in the middle of
# a transmission. Each start has an empty configuration folder; the program must end with status
# 0 and leave the 28 values written, within a second: the waits under way end early.
#   bash tests/e2e/termination.sh build/kelvatron
set -euo pipefail

program=$(readlink -f "${1:?usage: termination.sh path/to/kelvatron}")
source "$(dirname "$0")/lib/xsession.sh"
source "$(dirname "$0")/lib/program.sh"
xsession_begin 161

# signal, whether a transmission runs when it comes, seconds allowed
cases=("TERM idle 1" "INT idle 1" "TERM opening 1" "TERM transmitting 1")

for case in "${cases[@]}"; do
    read -r signal state allowed <<<"$case"
    config="$work/config-$signal-$state"
    start_program SDL_AUDIODRIVER=dummy
    # The start button keys the default digit exercise; the request comes once its opening
    # (Ж Ж Ж and a long pause, which take no events) has passed.
    if [[ "$state" == transmitting ]]; then
        click $place_start
        sleep 4
    fi
    if [[ "$state" == opening ]]; then
        click $place_start
        sleep 0.5
    fi
    started=$(date +%s%N)
    kill -"$signal" "$app_pid"
    timeout "$allowed" tail -s 0.02 --pid="$app_pid" -f /dev/null ||
        fail "$case: still running $allowed s after SIG$signal"
    elapsed=$((($(date +%s%N) - started) / 1000000))
    status=0
    wait "$app_pid" || status=$?
    app_pid=""
    [[ "$status" -eq 0 ]] || fail "$case: exit status $status"
    settings="$config/Home/Project1.conf"
    [[ -f "$settings" ]] || fail "$case: no settings file was written"
    count=$(grep -c '=' "$settings")
    [[ "$count" -eq 28 ]] || fail "$case: the settings file holds $count values, expected 28"
    echo "SIG$signal, $state: ended in $elapsed ms with status 0 and 28 values"
done
echo "PASS: every termination request saved the settings and ended the program"
