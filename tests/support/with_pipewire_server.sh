#!/usr/bin/env bash
# Runs a command beside a private PipeWire daemon (with WirePlumber, pipewire-pulse and a session
# bus of its own) and one null sink (48 kHz stereo, the default sink), for the sound device's
# tests on the server that current desktops run:
#   tests/support/with_pipewire_server.sh COMMAND [ARGS...]
# The command finds the daemons through XDG_RUNTIME_DIR, KELVATRON_PULSE_SERVER and
# PULSE_SERVER, and KELVATRON_TEST_SOUND=pipewire tells the tests to use the PipeWire device.
# Every process started is stopped by its id when the command ends, fails or is interrupted.
# Exits with the command's status. Where PipeWire is not installed, or its daemons cannot run on
# this machine (a container without the means), it says so in one line, runs nothing and exits 0.
set -euo pipefail

if ! command -v pipewire >/dev/null || ! command -v wireplumber >/dev/null ||
    ! command -v pipewire-pulse >/dev/null || ! command -v dbus-daemon >/dev/null; then
    echo "SKIPPED: PipeWire is not installed (scripts/deps.sh installs it)" >&2
    exit 0
fi
dir=$(mktemp -d /tmp/kelvatron-pipewire.XXXXXX)
pids=()
stop_server() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill -TERM "${pids[$i]}" 2>/dev/null || true
        wait "${pids[$i]}" 2>/dev/null || true
    done
    rm -rf "$dir"
}
trap stop_server EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

source "$(dirname "$0")/../../bench/lib/pipewireserver.sh"
if ! pipewire_begin "$dir" kelvatron_null 2>"$dir/begin.err"; then
    echo "SKIPPED: the private PipeWire could not start on this machine" \
        "($(tr '\n' ' ' <"$dir/begin.err")); its logs:" >&2
    tail -n 5 "$dir"/*.log >&2 2>/dev/null || true
    exit 0
fi
export KELVATRON_PULSE_SERVER="$PULSE_SERVER" KELVATRON_TEST_SOUND=pipewire

status=0
"$@" || status=$?
exit "$status"
