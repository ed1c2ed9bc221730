#!/usr/bin/env bash
# Signs that answer a key after the live stream has rested, at a private PulseAudio daemon's null
# sink (bench/rest_wake_check.cpp), with the monitor recorded at 10 ms (a low-latency sink) and at
# the server's default; then the first sign after start-up at both.
#   bench/rest_wake_check.sh [build-dir] [keys] [rest-seconds]     (default: build 8 3)
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/lib/pulseserver.sh
build=${1:-build}
[[ -x "$build/bench/rest_wake_check" ]] || { cmake -DKELVATRON_BENCH=ON "$build" >/dev/null && cmake --build "$build" --target rest_wake_check; }
pulseserver_begin
status=0
for latency in 10 0; do
    "$build/bench/rest_wake_check" "${2:-8}" "${3:-3}" "$latency" | tail -n "${TAIL:-100}" || status=1
    for first in 300 1500 4000; do
        echo "first sign ${first} ms after start-up:"
        FIRST_MS=$first "$build/bench/rest_wake_check" 1 0 "$latency" | tail -n 3 | head -n 2 || status=1
    done
done
exit $status
