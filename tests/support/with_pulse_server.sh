#!/usr/bin/env bash
# Runs a command beside a private PulseAudio daemon with one null sink (48 kHz stereo, the
# default sink, on the system clock), for the tests of the PulseAudio sound device:
#   tests/support/with_pulse_server.sh COMMAND [ARGS...]
# The daemon has its own runtime folder and socket and reads no system or user configuration;
# the command finds it through KELVATRON_PULSE_SERVER and PULSE_SERVER. The daemon is stopped by
# its process id when the command ends, fails or is interrupted. Exits with the command's status.
set -euo pipefail

dir=$(mktemp -d /tmp/kelvatron-pulse.XXXXXX)
server_pid=""
stop_server() {
    if [[ -n "$server_pid" ]]; then
        kill -TERM "$server_pid" 2>/dev/null || true
        wait "$server_pid" 2>/dev/null || true
    fi
    rm -rf "$dir"
}
trap stop_server EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

mkdir -m 700 "$dir/run" "$dir/home"
: >"$dir/daemon.conf"
: >"$dir/client.conf"
socket="$dir/run/native"
# -n: no default script; PULSE_CONFIG and PULSE_CLIENTCONFIG point at empty files and HOME at an
# empty folder, so neither /etc/pulse nor the user's configuration is read.
env -i PATH="$PATH" HOME="$dir/home" XDG_CONFIG_HOME="$dir/home" XDG_RUNTIME_DIR="$dir/run" \
    PULSE_RUNTIME_PATH="$dir/run" PULSE_STATE_PATH="$dir/home" PULSE_CONFIG="$dir/daemon.conf" \
    PULSE_CLIENTCONFIG="$dir/client.conf" \
    pulseaudio -n --daemonize=no --system=false --use-pid-file=no --exit-idle-time=-1 \
    --load="module-null-sink sink_name=kelvatron_null format=float32le rate=48000 channels=2" \
    --load="module-native-protocol-unix socket=$socket auth-anonymous=1" \
    --log-target=file:"$dir/pulse.log" &
server_pid=$!

export PULSE_SERVER="unix:$socket" KELVATRON_PULSE_SERVER="unix:$socket"
export PULSE_CLIENTCONFIG="$dir/client.conf"
for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && break
    kill -0 "$server_pid" 2>/dev/null || break
    sleep 0.05
done
if ! pactl info >/dev/null 2>&1; then
    echo "the private PulseAudio daemon did not start:" >&2
    cat "$dir/pulse.log" >&2 2>/dev/null || true
    exit 1
fi

status=0
"$@" || status=$?
[[ -n "${KELVATRON_PULSE_LOG:-}" ]] && cp "$dir/pulse.log" "$KELVATRON_PULSE_LOG"
exit "$status"
