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
source "$(dirname "$0")/lib/program.sh"
xsession_begin 141

config="$work/config"
settings="$config/Home/Project1.conf"
mkdir -p "$config"

open_settings() { click $place_settings_menu; }

# "Файл", then "Выход", which keys 7 and 3 and ends the program.
leave_through_exit() {
    click $place_file_menu
    click $place_exit
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
start_program SDL_AUDIODRIVER=dummy
open_settings
click_in $settings_panel_x $settings_panel_y "553 45 23 23"
click_in $settings_panel_x $settings_panel_y "24 72 130 25"
leave_through_exit
[[ -f "$settings" ]] || fail "no settings file was written at $settings"
expect_stored glDigits5.Value 900 "after the first run"
expect_stored glCheckBox14.Checked 1 "after the first run"
expect_stored glCheckBox13.Checked 0 "after the first run"
count=$(grep -c '=' "$settings")
[[ "$count" -eq 28 ]] || fail "the settings file holds $count values, expected 28"
echo "first run wrote 28 values with 900 Hz and the sound card"

# Second start: the restored settings show in the panel; leaving saves them again unchanged.
start_program SDL_AUDIODRIVER=dummy
open_settings
import -window root "$screenshot"
echo "screenshot of the restored settings: $screenshot"
leave_through_exit
expect_stored glDigits5.Value 900 "after the second run"
expect_stored glCheckBox14.Checked 1 "after the second run"
expect_stored glCheckBox13.Checked 0 "after the second run"
echo "PASS: 900 Hz and the sound card came back after a restart"
