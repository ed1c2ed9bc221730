# A private PipeWire (with WirePlumber and pipewire-pulse) and one null sink, for the benchmarks
# and the sound device's tests on the server that current desktops run. Source it, then
#   pipewire_begin DIR NAME   starts a session bus, pipewire, wireplumber and pipewire-pulse on
#                             their own runtime folder DIR/run (exported as XDG_RUNTIME_DIR,
#                             PIPEWIRE_RUNTIME_DIR, PULSE_SERVER and DBUS_SESSION_BUS_ADDRESS),
#                             creates the null sink NAME (48 kHz stereo, the default sink; its
#                             monitor is NAME.monitor) and appends the process ids to the array
#                             pids. Fails, saying which step, where one does not come up; the
#                             logs are DIR/*.log.
# The caller stops the processes by those ids, the last started first. Nothing of the user's
# own session is used: a root shell of a CI container without any bus runs it as well.
pipewire_begin() {
    local dir=$1 name=$2
    mkdir -p -m 700 "$dir/run" "$dir/home"
    export XDG_RUNTIME_DIR="$dir/run" PIPEWIRE_RUNTIME_DIR="$dir/run"
    export HOME="$dir/home" XDG_CONFIG_HOME="$dir/home/.config" XDG_STATE_HOME="$dir/home/.state"
    export PULSE_SERVER="unix:$dir/run/pulse/native"
    unset PIPEWIRE_REMOTE PULSE_RUNTIME_PATH
    dbus-daemon --session --nofork --nopidfile --address="unix:path=$dir/run/bus" \
        >"$dir/dbus.log" 2>&1 &
    pids+=($!)
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/run/bus"
    pipewire_wait_for "the session bus" 50 test -S "$dir/run/bus" || return 1
    pipewire >"$dir/pipewire.log" 2>&1 &
    pids+=($!)
    pipewire_wait_for "pipewire" 50 test -S "$dir/run/pipewire-0" || return 1
    wireplumber >"$dir/wireplumber.log" 2>&1 &
    pids+=($!)
    pipewire-pulse >"$dir/pipewire-pulse.log" 2>&1 &
    pids+=($!)
    pipewire_wait_for "pipewire-pulse" 100 pactl info || return 1
    pactl load-module module-null-sink sink_name="$name" rate=48000 channels=2 \
        format=float32le >/dev/null || { echo "the null sink was refused" >&2; return 1; }
    # WirePlumber makes the new sink the default once it has seen it.
    pipewire_wait_for "WirePlumber (the default sink)" 100 pipewire_default_sink_is "$name"
}

pipewire_default_sink_is() {
    pactl set-default-sink "$1" 2>/dev/null && [[ $(pactl get-default-sink 2>/dev/null) == "$1" ]]
}

# pipewire_wait_for WHAT TRIES COMMAND...: runs COMMAND every 50 ms until it succeeds.
pipewire_wait_for() {
    local what=$1 tries=$2
    shift 2
    for _ in $(seq "$tries"); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    echo "$what did not come up" >&2
    return 1
}
