#!/usr/bin/env bash
# Measures what reaches a real-time sound server: starts a private PulseAudio daemon with a null
# sink, records its monitor with parec while the harness keys signs at dot 10, 20, 40 and 100 ms,
# then compares every tone and gap in the recording with the plan.
#   bench/run_timing.sh [build-dir] [other-build-dir]     (default: build)
# With a second build (an older commit's), both harnesses play in turn against the same server,
# idle and then beside BUSY (default 2) busy processes of normal priority, so the figures are
# side by side from one run. SECONDS_PER_DOT sets the keying time per dot length (30); KEEP=dir
# keeps plans and recordings; LOADS="0 2" chooses the loads; NICE=-10 runs the player at that
# niceness, RTPRIO=10 with that real-time priority (root).
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/lib/pulseserver.sh
builds=("${1:-build}")
[[ -n "${2:-}" ]] && builds+=("$2")
for build in "${builds[@]}"; do
    [[ -x "$build/bench/timing_harness" ]] || { cmake -DKELVATRON_BENCH=ON "$build" >/dev/null && cmake --build "$build" --target timing_harness; }
done
pulseserver_begin

prefix=(nice -n "${NICE:-0}")
[[ -n "${RTPRIO:-}" ]] && prefix=(chrt -f "$RTPRIO")
status=0
for load in ${LOADS:-0 ${BUSY:-2}}; do
    busy_begin "$load"
    for build in "${builds[@]}"; do
        label="$build, $load busy"
        echo "=== $label (load average $(cut -d' ' -f1 /proc/loadavg))"
        record_begin "$work/rec.raw"
        SDL_AUDIODRIVER=pulseaudio "${prefix[@]}" "$build/bench/timing_harness" play "$work/plan.txt" \
            "${SECONDS_PER_DOT:-30}" 2>&1 | grep -v '^$' || status=1
        sleep 1
        record_end
        "$build/bench/timing_harness" analyze "$work/plan.txt" "$work/rec.raw" || status=1
        keep "$(basename "$build")-$load"
    done
    busy_end
done
exit $status
