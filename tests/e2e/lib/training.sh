# Shared by the receive training check and the screenshot script. Source it after xsession.sh.
source "$(dirname "${BASH_SOURCE[0]}")/program.sh"

# Starts $program with the [Form1] settings lines read from stdin (the sound card, no opening,
# unless given otherwise), its history in $work/data, every figure echoed on its standard error
# and the sound captured to $work/sound.raw; then opens "Тренировка" on the top strip, whose
# panel lies right of the text window at ($training_panel_x, $training_panel_y).
start_training() {
    mkdir -p "$work/data/Kelvatron"
    {
        echo "$settings_sound_card"
        cat
    } | write_settings
    start_program KELVATRON_ECHO_CHECK=1
    click $place_training_menu
}
