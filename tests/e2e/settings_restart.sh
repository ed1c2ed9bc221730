#!/usr/bin/env bash
# Starts the real program under Xvfb with an empty configuration folder, raises the frequency by
# one step and chooses the sound card in the settings panel, and leaves through "Выход". The
# settings file must then hold both changes; a second start must bring them back, which shows
# in its own file after it leaves the same way (a start that lost them would write the defaults).
# A screenshot of the second start with the settings panel open lands beside the program.
#   bash tests/e2e/settings_restart.sh build/kelvatron
set -euo pipefail

program=$(readlink -f "${1:?usage: settings_restart.sh path/to/kelvatron}")
screenshot="$(dirname "$program")/e2e-settings_restart.png"
work=$(mktemp -d)
xvfb_pid=""
app_pid=""

cleanup() {
    [[ -n "$app_pid" ]] && kill -KILL "$app_pid" 2>/dev/null || true
    [[ -n "$xvfb_pid" ]] && kill -TERM "$xvfb_pid" 2>/dev/null || true
    [[ -n "$xvfb_pid" ]] && wait "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [[ -f "$work/program.log" ]] && cat "$work/program.log" >&2
    exit 1
}

# A display nobody uses; Xvfb itself refuses one that is taken, so try the next then.
for display in $(seq 141 190); do
    [[ -e /tmp/.X${display}-lock || -e /tmp/.X11-unix/X${display} ]] && continue
    Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
        if DISPLAY=":$display" xdotool getdisplaygeometry >/dev/null 2>&1; then break 2; fi
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -TERM "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
done
[[ -n "$xvfb_pid" ]] || fail "no X server could be started"
export DISPLAY=":$display"

config="$work/config"
settings="$config/Home/Project1.conf"
mkdir -p "$config"

start_program() {
    XDG_CONFIG_HOME="$config" SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb \
        "$program" >"$work/program.log" 2>&1 &
    app_pid=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name "^Kelvatron" | head -n 1) || true
    [[ -n "$window" ]] || fail "the window did not appear"
    sleep 0.5
}

# Clicks the middle of a control given by its place in the window and its size.
click() {
    xdotool mousemove --window "$window" $(($1 + $3 / 2)) $(($2 + $4 / 2)) click 1
    sleep 0.3
}

# The settings panel lies at (76, 47) in the window.
open_settings() { click 88 12 100 20; }

# "Файл", then "Выход" in the file panel at (20, 43), which keys 7 and 3 and ends the program.
leave_through_exit() {
    click 24 12 60 20
    click $((20 + 40)) $((43 + 168)) 220 30
    timeout 20 tail --pid="$app_pid" -f /dev/null || fail "the program did not end after Выход"
    wait "$app_pid" 2>/dev/null || true
    app_pid=""
}

expect_stored() {
    local name=$1 want=$2 got
    got=$(sed -n "s/^${name//./\\.}=//p" "$settings")
    [[ "$got" == "$want" ]] || fail "$3: $name is '$got', expected '$want'"
}

[[ ! -e "$settings" ]] || fail "the configuration folder is not empty"

# First start: one step up from 800 Hz (glCheckBox30 at (553, 45) in the panel), then the sound
# card (glCheckBox14 at (24, 72)).
start_program
open_settings
click $((76 + 553)) $((47 + 45)) 23 23
click $((76 + 24)) $((47 + 72)) 130 25
leave_through_exit
[[ -f "$settings" ]] || fail "no settings file was written at $settings"
expect_stored glDigits5.Value 900 "after the first run"
expect_stored glCheckBox14.Checked 1 "after the first run"
expect_stored glCheckBox13.Checked 0 "after the first run"
count=$(grep -c '=' "$settings")
[[ "$count" -eq 28 ]] || fail "the settings file holds $count values, expected 28"
echo "first run wrote 28 values with 900 Hz and the sound card"

# Second start: the restored settings show in the panel; leaving saves them again unchanged.
start_program
open_settings
import -window root "$screenshot"
echo "screenshot of the restored settings: $screenshot"
leave_through_exit
expect_stored glDigits5.Value 900 "after the second run"
expect_stored glCheckBox14.Checked 1 "after the second run"
expect_stored glCheckBox13.Checked 0 "after the second run"
echo "PASS: 900 Hz and the sound card came back after a restart"
