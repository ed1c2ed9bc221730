#!/usr/bin/env bash
# Times the keyboard practice's signs at a real-time sound server: the real program under Xvfb
# plays through a private PulseAudio daemon's null sink, keys Й, Е, Т and Д are typed or clicked
# on the on-screen keyboard with XTest, and the sink's monitor is recorded with parec. For keys
# 0.6 s apart and 3 s apart (each after a rest), typed and clicked, idle and beside two busy
# processes, with the monitor recorded at 10 ms and at 200 ms, one table gives: key -> first
# sample of the sign's first element (median, p99), the worst element or gap against its ideal,
# the tones that belong to no sign, and the signs heard of the presses. With a second build
# (an older commit's) both are timed under the same conditions and shown side by side, and so
# are the sound servers of SERVERS ("pulseaudio pipewire": a private PulseAudio, then a private
# PipeWire with WirePlumber and pipewire-pulse; default: SERVER, else pulseaudio).
#   bench/key_latency_pulse.sh [build-dir] [older-build-dir]    (default: build)
# PRESSES (20) presses per cell at 0.6 s, REST_PRESSES (10) at 3 s; GAPS="0.6 3",
# INPUTS="typed clicked", LOADS="0 2" (busy processes), MONITORS="10 200" (parec latency, ms);
# SPEED (15) is the speed bar's value, a 30 ms dot on the default output. Each program run takes
# the machine's CPU lock (CPU_LOCK, /tmp/kelvatron-cpu.lock; empty for none) exclusively, so do
# not run the script under that lock yourself. KEEP=dir keeps the recordings.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/lib/pulseserver.sh
builds=("${1:-build}")
[[ -n "${2:-}" ]] && builds+=("$2")
for build in "${builds[@]}"; do
    [[ -x "$build/kelvatron" ]] || { echo "no program at $build/kelvatron" >&2; exit 1; }
done
speed=${SPEED:-15}
lock=${CPU_LOCK-/tmp/kelvatron-cpu.lock}
xvfb_begin 171
runs=()
run=0
home=$HOME
for server in ${SERVERS:-${SERVER:-pulseaudio}}; do
    export HOME=$home
    SERVER=$server pulseserver_begin
    for load in ${LOADS:-0 2}; do
        for monitor in ${MONITORS:-10 200}; do
            if [[ -n "$lock" ]]; then
                exec {lock_fd}>"$lock"
                flock -x "$lock_fd"
            fi
            busy_begin "$load"
            for i in "${!builds[@]}"; do
                build=${builds[$i]}
                run=$((run + 1))
                dir="$work/run$run"
                mkdir -p "$dir/config/Home"
                # The speaker output (a square tone through the sound card), its dot two speed units.
                printf '[Form1]\nglProgress1.Percent=%s\n' "$speed" >"$dir/config/Home/Project1.conf"
                echo "=== $server, $build, $load busy, monitor at $monitor ms" \
                    "(load average $(cut -d' ' -f1 /proc/loadavg))" >&2
                label="$server $([[ $i == 0 ]] && echo this || echo older)"
                label+=" ($(git -C "$build" rev-parse --short HEAD 2>/dev/null || echo ?))"
                RUN_LABEL=$label RUN_LOAD=$load python3 bench/lib/signlatency.py measure \
                    "$(readlink -f "$build/kelvatron")" "$dir" "$monitor" "$dir/run.json"
                runs+=("$dir/run.json")
            done
            busy_end
            if [[ -n "$lock" ]]; then
                flock -u "$lock_fd"
                exec {lock_fd}>&-
            fi
        done
    done
    pulseserver_end
done
python3 bench/lib/signlatency.py table src/keying/signtable.cpp $((speed * 2)) "${runs[@]}"
if [[ -n "${KEEP:-}" ]]; then
    mkdir -p "$KEEP"
    cp -r "$work"/run* "$KEEP"/
fi
