# Shared by the end-to-end checks, the screenshot script and the benchmarks: the settings a
# check starts with, the program started in the X session, and the places in the window they
# click. Source it after xsession.sh; $program names the program.

# Settings lines most checks key with: the sound card (its dot is the speed unit) instead of the
# speaker, and no opening. And the digit groups as the only source.
settings_sound_card=$'glCheckBox13.Checked=0\nglCheckBox14.Checked=1\nglCheckBox20.Checked=0'
settings_digits=$'glCheckBox4.Checked=1\nglCheckBox5.Checked=0\nglCheckBox6.Checked=0\nglCheckBox7.Checked=0'

# Writes the [Form1] settings lines read from stdin as the settings file of the configuration
# folder $config (default $work/config).
write_settings() {
    mkdir -p "${config:=$work/config}/Home"
    {
        printf '[Form1]\n'
        cat
    } >"$config/Home/Project1.conf"
}

# Starts $program with its settings in $config (default $work/config), its history in
# $work/data and the sound captured by SDL's disk driver to $work/sound.raw (float32 stereo,
# 48 kHz, as mixed), then waits for its window. Arguments NAME=value are added to its
# environment and win over these (SDL_AUDIODRIVER=dummy for no sound at all).
start_program() {
    mkdir -p "${config:=$work/config}" "$work/data"
    env XDG_CONFIG_HOME="$config" XDG_DATA_HOME="$work/data" SDL_AUDIODRIVER=disk \
        SDL_DISKAUDIOFILE="$work/sound.raw" QT_QPA_PLATFORM=xcb "$@" \
        "$program" >"$work/program.log" 2>&1 &
    app_pid=$!
    wait_for_window
}

# Places in the window, as "x y width height" for click, and the panels' origins: a control in
# a panel lies at the panel's origin plus its place in the panel.
place_file_menu="24 12 60 20"          # "Файл" on the top strip
place_settings_menu="88 12 100 20"     # "Настройки"
place_training_menu="354 12 116 22"    # "Тренировка"
place_start="48 248 25 25"             # the start button
place_close="768 14 17 17"             # the window's close button
file_panel_x=20 file_panel_y=43        # "Файл"'s panel
place_save_as="$((file_panel_x + 40)) $((file_panel_y + 124)) 220 30" # "Сохранить как ..."
place_exit="$((file_panel_x + 40)) $((file_panel_y + 168)) 220 30"    # "Выход"
settings_panel_x=76 settings_panel_y=47
keyboard_panel_x=200 keyboard_panel_y=320
# The training panel lies right of the text window; after a check it has grown to (26, 44).
training_panel_x=596 training_panel_y=220
training_panel_grown_x=26 training_panel_grown_y=44
confirm_x=184 confirm_y=234            # the closing question's box; "Да" at (160, 56) in it
place_sending_begin="222 405 60 22"    # "Начать" of the sending panel, under the text window
place_sending_end="307 405 60 22"      # "Закончить"
# The training panel's commands, in the panel.
in_training_receive="10 22 172 26"     # "Приём на слух"
in_training_check="10 46 172 26"       # "Проверить"
in_training_history="10 70 172 26"     # "Журнал"
in_training_course="10 118 172 26"     # "Курс"
in_training_exam="10 142 172 26"       # "Зачёт"
in_training_callsigns="10 166 172 26"  # "Позывные"

# Clicks a control given by its panel's origin and its place in the panel ("x y width height").
click_in() {
    local x=$1 y=$2 dx dy width height
    read -r dx dy width height <<<"$3"
    click $((x + dx)) $((y + dy)) "$width" "$height"
}
