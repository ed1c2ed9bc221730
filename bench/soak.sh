#!/usr/bin/env bash
# A learner's long session with the real program, at a real-time sound server: the program runs
# under Xvfb on a private PulseAudio daemon's null sink, bench/soak.py drives every panel in
# rounds (keyboard practice clicked and typed, transmissions with the opening, receive exercises
# copied and checked, the journal with a CSV export, the sending practice on Space) and checks
# every tone and gap recorded at the sink's monitor against what was keyed, and that an
# on-screen key answers after every step.
#   bench/soak.sh [build-dir]
# MINUTES (default 5) sets the length, MONITOR_MS (10) the latency the recording asks of the
# sink, BUSY (0) the busy processes beside it, SEED the random keys; KEEP=dir keeps the logs.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/lib/pulseserver.sh
build=${1:-build}
if [[ ! -x "$build/bench/soak_recorder" || ! -x "$build/kelvatron" ]]; then
    cmake -DKELVATRON_BENCH=ON "$build" >/dev/null
    cmake --build "$build" --target soak_recorder kelvatron
fi
pulseserver_begin
xvfb_begin 241
busy_begin "${BUSY:-0}"
echo "soak: ${MINUTES:-5} min, monitor at ${MONITOR_MS:-10} ms, ${BUSY:-0} busy processes"
status=0
python3 bench/soak.py "$(readlink -f "$build/kelvatron")" "$build/bench/soak_recorder" "$work" \
    "${MINUTES:-5}" "${MONITOR_MS:-10}" || status=$?
if [[ -n "${KEEP:-}" ]]; then mkdir -p "$KEEP" && cp -r "$work"/program.log "$work"/*.txt "$work"/*.csv "$work"/*.png "$KEEP"/ 2>/dev/null || true; fi
exit $status
