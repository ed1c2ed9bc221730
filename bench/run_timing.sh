#!/usr/bin/env bash
# Measures what reaches a real-time sound server: starts a private PulseAudio daemon with a null
# sink, records its monitor with parec while the harness keys signs through the SDL sound device,
# then compares every tone and gap in the recording with the plan.
#   bench/run_timing.sh [build-dir]     (default: build)
# SECONDS_PER_DOT sets the keying time per dot length (30); KEEP=dir keeps plan and recording;
# NICE=-10 runs the player at that niceness, RTPRIO=10 with that real-time priority (root), to
# see the timing apart from a busy machine.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
harness="$build/bench/timing_harness"
[[ -x "$harness" ]] || cmake --build "$build" --target timing_harness

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    if [[ -n "${KEEP:-}" ]]; then mkdir -p "$KEEP" && cp "$work"/*.txt "$work"/*.raw "$work"/*.log "$KEEP"/; fi
    rm -rf "$work"
}
trap cleanup EXIT
source bench/lib/nullsink.sh
nullsink_begin timing

parec --device=timing.monitor --format=s16le --rate=48000 --channels=1 --raw >"$work/rec.raw" &
pids+=($!)
# An idle null sink sleeps in long blocks: let the recording run before the first tone.
sleep 2

prefix=(nice -n "${NICE:-0}")
[[ -n "${RTPRIO:-}" ]] && prefix=(chrt -f "$RTPRIO")
SDL_AUDIODRIVER=pulseaudio "${prefix[@]}" "$harness" play "$work/plan.txt" "${SECONDS_PER_DOT:-30}"
sleep 1
kill "${pids[1]}" && wait "${pids[1]}" 2>/dev/null || true
"$harness" analyze "$work/plan.txt" "$work/rec.raw"
