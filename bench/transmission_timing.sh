#!/usr/bin/env bash
# Times a whole transmission of the real program as it reaches a real-time sound server, and
# its processor use while keying and while paused.
#
# A private PulseAudio daemon with a null sink is recorded from its monitor with parec; the
# program runs under Xvfb with settings for 20 groups of five digits on the sound card at the
# default speed, square tones, opening and closing on. The start button is clicked, and the
# recording is analysed by bench/transmission_timing.py: every tone and gap against its ideal
# length. Then a second transmission is started and paused, and the program's processor time is
# read from /proc over a few seconds.
#   bench/transmission_timing.sh [build-dir] [other-build-dir]     (default: build)
# With a second build (an older commit's) both programs run in turn against the same server, idle
# and beside BUSY (default 2) busy processes of normal priority (LOADS="0 2" chooses).
# EXERCISE_GROUPS sets the number of groups (20); PAUSED_SECONDS the paused measurement (10); KEEP=dir
# keeps the recording and the logs. AIR=1 switches every condition of the air on for the start
# button's transmission (noise at 0 dB through a 500 Hz filter, fading at 1 Hz, five other
# stations, crashes at 100 %): the processor use is then the air's too, and the tones' timing,
# buried in the noise, is not analysed.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/lib/pulseserver.sh
builds=("${1:-build}")
[[ -n "${2:-}" ]] && builds+=("$2")
for build in "${builds[@]}"; do
    [[ -x "$build/kelvatron" ]] || cmake --build "$build" --target kelvatron
done
groups=${EXERCISE_GROUPS:-20}
paused_seconds=${PAUSED_SECONDS:-10}
pulseserver_begin
xvfb_begin 241

# One transmission of the program in $1, then its processor use while paused.
run_one() {
    local program
    program=$(readlink -f "$1/kelvatron")
    rm -rf "$work/config"
    config="$work/config"
    mkdir -p "$config/Home"
    cat >"$config/Home/Project1.conf" <<SETTINGS
[Form1]
glDigits9.Value=5
glDigits10.Value=$groups
glCheckBox4.Checked=1
glCheckBox5.Checked=0
glCheckBox6.Checked=0
glCheckBox7.Checked=0
glCheckBox13.Checked=0
glCheckBox14.Checked=1
glCheckBox15.Checked=0
glCheckBox16.Checked=1
glCheckBox20.Checked=1
glCheckBox21.Checked=1
SETTINGS
    [[ "${AIR:-0}" == 1 ]] && cat >>"$config/Home/Project1.conf" <<SETTINGS
[Air]
on=1
noise=1
snrDb=0
bandwidthHz=500
qsbHz=1
qrm=5
qrn=100
onTransmission=1
SETTINGS
    XDG_CONFIG_HOME="$config" SDL_AUDIODRIVER=pulseaudio QT_QPA_PLATFORM=xcb \
        "$program" >"$work/program.log" 2>&1 &
    app_pid=$!
    extra_pids+=($app_pid)
    window=$(timeout 20 xdotool search --sync --onlyvisible --name "^Kelvatron" | head -n 1)
    click() {
        xdotool mousemove --window "$window" $(($1 + $3 / 2)) $(($2 + $4 / 2)) click 1
        sleep 0.3
    }
    # Processor time of the program so far, in clock ticks (user + system).
    cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$app_pid/stat"; }
    ticks_per_second=$(getconf CLK_TCK)

    record_begin "$work/rec.raw"

    # At most 460 ms a digit, 120 ms after each group, about 2.5 s for opening and closing.
    seconds=$(( (groups * (5 * 460 + 120)) / 1000 + 4 ))
    ticks_before=$(cpu_ticks)
    click 48 248 25 25
    sleep "$seconds"
    ticks_keying=$(( $(cpu_ticks) - ticks_before ))
    record_end

    # A second transmission, paused after its first signs.
    click 48 248 25 25
    sleep 2
    click 88 248 25 25
    sleep 1
    ticks_before=$(cpu_ticks)
    sleep "$paused_seconds"
    ticks_paused=$(( $(cpu_ticks) - ticks_before ))
    click 128 248 25 25
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true

    awk -v k="$ticks_keying" -v s="$seconds" -v hz="$ticks_per_second" \
        'BEGIN { printf "processor while keying: %.2f %% of one core over %d s\n", 100 * k / hz / s, s }'
    awk -v k="$ticks_paused" -v s="$paused_seconds" -v hz="$ticks_per_second" \
        'BEGIN { printf "processor while paused: %.2f %% of one core over %d s (target < 1 %%)\n", 100 * k / hz / s, s }'
    echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
    keep "$(basename "$1")-$load"
    [[ "${AIR:-0}" == 1 ]] || python3 bench/transmission_timing.py "$work/rec.raw" "$groups" 5 || status=1
}

status=0
for load in ${LOADS:-0 ${BUSY:-2}}; do
    busy_begin "$load"
    for build in "${builds[@]}"; do
        echo "=== $build, $load busy (load average $(cut -d' ' -f1 /proc/loadavg))"
        run_one "$build"
    done
    busy_end
done
exit $status
