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
source "$(dirname "$0")/lib/xsession.sh"
xsession_begin 141

config="$work/config"
settings="$config/Home/Project1.conf"
mkdir -p "$config"

start_program() {
    XDG_CONFIG_HOME="$config" SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb \
        "$program" >"$work/program.log" 2>&1 &
    app_pid=$!
    wait_for_window
}

# The settings panel lies at (76, 47) in the window.
open_settings() { click 88 12 100 20; }

# "Файл", then "Выход" in the file panel at (20, 43), which keys 7 and 3 and ends the program.
leave_through_exit() {
    click 24 12 60 20
    click $((20 + 40)) $((43 + 168)) 220 30
    wait_for_exit 20 || fail "the program did not end after Выход"
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
