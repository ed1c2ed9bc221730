# Shared by the receive training check and the screenshot script. Source it after xsession.sh.

# Starts $program with the [Form1] settings lines read from stdin (the sound card, no opening,
# unless given otherwise), its history in $work/data, every figure echoed on its standard error
# and the sound captured to $work/sound.raw; then opens "Тренировка" on the top strip, whose
# panel lies right of the text window at (596, 232).
start_training() {
    mkdir -p "$work/config/Home" "$work/data/Kelvatron"
    {
        printf '[Form1]\nglCheckBox13.Checked=0\nglCheckBox14.Checked=1\nglCheckBox20.Checked=0\n'
        cat
    } >"$work/config/Home/Project1.conf"
    XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" KELVATRON_ECHO_CHECK=1 \
        SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/sound.raw" QT_QPA_PLATFORM=xcb \
        "$program" >"$work/program.log" 2>&1 &
    app_pid=$!
    wait_for_window
    click 354 12 116 22
}
