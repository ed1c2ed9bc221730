# Shared by the timing benchmarks: a private PulseAudio daemon with a null sink (on the system
# clock; SERVER=pipewire: a private PipeWire, see nullsink.sh), a recording of its monitor, and
# busy processes to load the machine.
#   pulseserver_begin      starts the daemon; sets $work, XDG_RUNTIME_DIR and PULSE_SERVER
#   pulseserver_end        stops it (by its processes' ids), for a script that runs several
#   record_begin FILE      records the monitor (s16le, 48 kHz, mono) into FILE; record_end stops it
#   busy_begin N           starts N busy processes of normal priority; busy_end stops them
#   keep NAME              copies the work files to $KEEP/NAME when KEEP is set
# Everything started is stopped when the script exits.

work=$(mktemp -d)
server_pids=()
recorder_pid=""
busy_pids=()
extra_pids=() # anything else the script started, stopped at exit

pulseserver_cleanup() {
    busy_end
    record_end
    for pid in "${extra_pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
    pulseserver_end
    wait 2>/dev/null || true
    rm -rf "$work"
}

pulseserver_end() {
    # The last started first: pipewire-pulse and WirePlumber before the daemon and the bus.
    local i
    for ((i = ${#server_pids[@]} - 1; i >= 0; i--)); do
        kill "${server_pids[$i]}" 2>/dev/null || true
        wait "${server_pids[$i]}" 2>/dev/null || true
    done
    server_pids=()
    rm -rf "$work/run" "$work/pw"
}
trap pulseserver_cleanup EXIT

source "$(dirname "${BASH_SOURCE[0]}")/nullsink.sh"
pulseserver_begin() {
    local pids=()
    nullsink_begin timing
    server_pids=("${pids[@]}")
}

record_begin() {
    parec --device=timing.monitor --format=s16le --rate=48000 --channels=1 --raw >"$1" &
    recorder_pid=$!
    # An idle null sink sleeps in long blocks: let the recording run before the first tone.
    sleep 2
}

record_end() {
    [[ -z "$recorder_pid" ]] && return 0
    kill "$recorder_pid" 2>/dev/null || true
    wait "$recorder_pid" 2>/dev/null || true
    recorder_pid=""
}

busy_begin() {
    for _ in $(seq "${1:-0}"); do
        sh -c 'while :; do :; done' &
        busy_pids+=($!)
    done
}

busy_end() {
    for pid in "${busy_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    busy_pids=()
}

# Starts Xvfb on the first free display from $1 on and exports DISPLAY.
xvfb_begin() {
    local display
    for display in $(seq "$1" $(($1 + 49))); do
        [[ -e /tmp/.X${display}-lock || -e /tmp/.X11-unix/X${display} ]] && continue
        Xvfb ":$display" -screen 0 1024x768x24 -br -nolisten tcp >"$work/xvfb.log" 2>&1 &
        extra_pids+=($!)
        for _ in $(seq 50); do
            DISPLAY=":$display" xdotool getdisplaygeometry >/dev/null 2>&1 && export DISPLAY=":$display" && return 0
            sleep 0.1
        done
    done
    echo "no X server could be started" >&2
    return 1
}

keep() {
    [[ -z "${KEEP:-}" ]] && return 0
    mkdir -p "$KEEP/$1"
    cp "$work"/*.txt "$work"/*.raw "$work"/*.log "$KEEP/$1"/ 2>/dev/null || true
}
