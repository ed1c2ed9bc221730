# A private PulseAudio daemon with one null sink, for the benchmarks that measure what reaches a
# real-time sound server. Source it after setting $work (a scratch folder) and the array pids;
# then `nullsink_begin NAME` starts the server (exported through PULSE_SERVER) with the sink NAME
# at 48 kHz stereo, whose monitor parec can record as NAME.monitor. SERVER=pipewire starts a
# private PipeWire, WirePlumber and pipewire-pulse instead (bench/lib/pipewireserver.sh); the
# processes started are appended to pids either way.
source "$(dirname "${BASH_SOURCE[0]}")/pipewireserver.sh"
nullsink_begin() {
    local name=$1
    if [[ ${SERVER:-pulseaudio} == pipewire ]]; then
        pipewire_begin "$work/pw" "$name"
        echo "sound server: $(pactl info | sed -n 's/^Server Name: //p')" >&2
        return
    fi
    export XDG_RUNTIME_DIR="$work/run"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"
    # --system=false lets root run a per-user daemon; the null sink runs on the system clock.
    pulseaudio --daemonize=no --exit-idle-time=-1 --system=false -n \
        --load="module-null-sink sink_name=$name rate=48000 channels=2" \
        --load="module-native-protocol-unix" --log-target=stderr 2>"$work/pulse.log" &
    pids+=($!)
    for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
    pactl info >/dev/null
}
