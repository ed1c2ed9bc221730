# A private PipeWire (with WirePlumber and pipewire-pulse) and one null sink, for the benchmarks
# and the sound device's tests on the server that current desktops run. Source it, then
#   pipewire_begin DIR NAME   starts a session bus, pipewire, wireplumber and pipewire-pulse on
#                             their own runtime folder DIR/run (exported as XDG_RUNTIME_DIR,
#                             PULSE_SERVER and DBUS_SESSION_BUS_ADDRESS), creates the null sink
#                             NAME (48 kHz stereo, the default sink; its monitor is NAME.monitor)
#                             and appends the process ids to the array pids
# The caller stops the processes by those ids, the last started first.
pipewire_begin() {
    local dir=$1 name=$2
    mkdir -p -m 700 "$dir/run" "$dir/home"
    export XDG_RUNTIME_DIR="$dir/run" PIPEWIRE_RUNTIME_DIR="$dir/run"
    export HOME="$dir/home" XDG_CONFIG_HOME="$dir/home/.config" XDG_STATE_HOME="$dir/home/.state"
    export PULSE_SERVER="unix:$dir/run/pulse/native"
    dbus-daemon --session --nofork --nopidfile --address="unix:path=$dir/run/bus" \
        >"$dir/dbus.log" 2>&1 &
    pids+=($!)
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/run/bus"
    for _ in $(seq 50); do [[ -S "$dir/run/bus" ]] && break; sleep 0.05; done
    pipewire >"$dir/pipewire.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 50); do [[ -S "$dir/run/pipewire-0" ]] && break; sleep 0.05; done
    wireplumber >"$dir/wireplumber.log" 2>&1 &
    pids+=($!)
    pipewire-pulse >"$dir/pipewire-pulse.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.05; done
    pactl load-module module-null-sink sink_name="$name" rate=48000 channels=2 \
        format=float32le >/dev/null
    # WirePlumber makes the new sink the default once it has seen it.
    for _ in $(seq 100); do
        pactl set-default-sink "$name" 2>/dev/null &&
            [[ $(pactl get-default-sink 2>/dev/null) == "$name" ]] && break
        sleep 0.05
    done
    [[ $(pactl get-default-sink) == "$name" ]]
}

