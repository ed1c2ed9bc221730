#!/usr/bin/env bash
# Keys the live tone against a private sound server's null sink and times it at the monitor
# (bench/live_latency.cpp): through each sound path, idle and beside busy processes.
#   bench/run_live_latency.sh [build-dir] [seconds]      (default: build 60)
# SERVER=pipewire runs a private PipeWire (with WirePlumber and pipewire-pulse) instead of
# PulseAudio; BACKENDS chooses the sound paths (default: "pipewire pulse sdl" on PipeWire, the
# daemon's own stream, its PulseAudio server and SDL; "pulse sdl" on PulseAudio); LOADS="0 2" the
# numbers of busy processes. After each load, WAKE_SECONDS (60) of a bare real-time thread's wakes
# (bench/realtime_wakes.cpp) say how often this machine itself wakes such a thread a cycle late.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/lib/pulseserver.sh
build=${1:-build}
seconds=${2:-60}
[[ -x "$build/bench/live_latency" && -x "$build/bench/realtime_wakes" ]] || { cmake -DKELVATRON_BENCH=ON "$build" >/dev/null && cmake --build "$build" --target live_latency realtime_wakes; }
pulseserver_begin
backends=${BACKENDS:-$([[ ${SERVER:-} == pipewire ]] && echo "pipewire pulse sdl" || echo "pulse sdl")}
status=0
for load in ${LOADS:-0 2}; do
    busy_begin "$load"
    for backend in $backends; do
        echo "=== $backend, $load busy (load average $(cut -d' ' -f1 /proc/loadavg))"
        KELVATRON_SOUND=$backend SDL_AUDIODRIVER=pulseaudio \
            "$build/bench/live_latency" "$seconds" timing.monitor || status=1
    done
    # The machine's own: how often a real-time thread wakes a whole cycle late under this load.
    "$build/bench/realtime_wakes" "${WAKE_SECONDS:-60}"
    busy_end
done
exit $status
