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
#   bench/transmission_timing.sh [build-dir]     (default: build)
# EXERCISE_GROUPS sets the number of groups (20); PAUSED_SECONDS the paused measurement (10); KEEP=dir
# keeps the recording and the logs.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
program=$(readlink -f "$build/kelvatron")
[[ -x "$program" ]] || cmake --build "$build" --target kelvatron
groups=${EXERCISE_GROUPS:-20}
paused_seconds=${PAUSED_SECONDS:-10}

source tests/e2e/lib/xsession.sh
pids=()
# The sound server and the recorder go first, then the X session's own clean-up.
cleanup() {
    [[ -n "$app_pid" ]] && kill -KILL "$app_pid" 2>/dev/null || true
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    if [[ -n "${KEEP:-}" ]]; then mkdir -p "$KEEP" && cp "$work"/*.raw "$work"/*.log "$KEEP"/; fi
    xsession_cleanup
}
trap cleanup EXIT

source bench/lib/nullsink.sh
nullsink_begin timing

xsession_begin 241

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

XDG_CONFIG_HOME="$config" SDL_AUDIODRIVER=pulseaudio QT_QPA_PLATFORM=xcb \
    "$program" >"$work/program.log" 2>&1 &
app_pid=$!
wait_for_window
# Processor time of the program so far, in clock ticks (user + system).
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$app_pid/stat"; }
ticks_per_second=$(getconf CLK_TCK)

parec --device=timing.monitor --format=s16le --rate=48000 --channels=1 --raw >"$work/rec.raw" &
pids+=($!)
# An idle null sink sleeps in long blocks: let the recording run before the first tone.
sleep 2

# At most 460 ms a digit, 120 ms after each group, about 2.5 s for opening and closing.
seconds=$(( (groups * (5 * 460 + 120)) / 1000 + 4 ))
ticks_before=$(cpu_ticks)
click 48 248 25 25
sleep "$seconds"
ticks_keying=$(( $(cpu_ticks) - ticks_before ))
kill "${pids[-1]}" && wait "${pids[-1]}" 2>/dev/null || true

# A second transmission, paused after its first signs.
click 48 248 25 25
sleep 2
click 88 248 25 25
sleep 1
ticks_before=$(cpu_ticks)
sleep "$paused_seconds"
ticks_paused=$(( $(cpu_ticks) - ticks_before ))
click 128 248 25 25

awk -v k="$ticks_keying" -v s="$seconds" -v hz="$ticks_per_second" \
    'BEGIN { printf "processor while keying: %.2f %% of one core over %d s\n", 100 * k / hz / s, s }'
awk -v k="$ticks_paused" -v s="$paused_seconds" -v hz="$ticks_per_second" \
    'BEGIN { printf "processor while paused: %.2f %% of one core over %d s (target < 1 %%)\n", 100 * k / hz / s, s }'
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
python3 bench/transmission_timing.py "$work/rec.raw" "$groups" 5
