#!/usr/bin/env bash
# Keys the live tone against a private PulseAudio daemon's null sink and times it at the monitor
# (bench/live_latency.cpp): libpulse directly, then SDL, idle and beside busy processes.
#   bench/run_live_latency.sh [build-dir] [seconds]      (default: build 60)
# LOADS="0 2" chooses the numbers of busy processes; BACKENDS="pulse sdl" the sound paths
# ("pulse-protocol": on PipeWire, the live tone through pipewire-pulse rather than the daemon's
# own stream). SERVER=pipewire runs a private PipeWire instead of PulseAudio.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/lib/pulseserver.sh
build=${1:-build}
seconds=${2:-60}
[[ -x "$build/bench/live_latency" ]] || { cmake -DKELVATRON_BENCH=ON "$build" >/dev/null && cmake --build "$build" --target live_latency; }
pulseserver_begin
status=0
for load in ${LOADS:-0 2}; do
    busy_begin "$load"
    for backend in ${BACKENDS:-pulse sdl}; do
        echo "=== $backend, $load busy (load average $(cut -d' ' -f1 /proc/loadavg))"
        native=1
        [[ $backend == pulse-protocol ]] && backend=pulse native=0
        KELVATRON_SOUND=$backend KELVATRON_PIPEWIRE=$native SDL_AUDIODRIVER=pulseaudio \
            "$build/bench/live_latency" "$seconds" timing.monitor || status=1
    done
    busy_end
done
exit $status
