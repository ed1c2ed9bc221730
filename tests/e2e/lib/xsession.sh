# Shared by the end-to-end checks and the start-up benchmark: a private X server, the program
# started in it, clicks by window coordinates, and a clean-up that leaves nothing running.
# Source it, then call xsession_begin FIRST_DISPLAY.

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
window=""

xsession_cleanup() {
    [[ -n "$app_pid" ]] && kill -KILL "$app_pid" 2>/dev/null || true
    [[ -n "$xvfb_pid" ]] && kill -TERM "$xvfb_pid" 2>/dev/null || true
    [[ -n "$xvfb_pid" ]] && wait "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap xsession_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [[ -f "$work/program.log" ]] && cat "$work/program.log" >&2
    exit 1
}

# Starts Xvfb on the first free display from $1 on (fifty tried) and exports DISPLAY. Xvfb
# itself refuses a display that is taken, so the next one is tried then.
xsession_begin() {
    local first=$1 display
    for display in $(seq "$first" $((first + 49))); do
        [[ -e /tmp/.X${display}-lock || -e /tmp/.X11-unix/X${display} ]] && continue
        Xvfb ":$display" -screen 0 1024x768x24 -br -nolisten tcp >"$work/xvfb.log" 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 50); do
            if DISPLAY=":$display" xdotool getdisplaygeometry >/dev/null 2>&1; then
                export DISPLAY=":$display"
                return 0
            fi
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -TERM "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    done
    fail "no X server could be started"
}

# Waits for the program's window to show and remembers it in $window.
wait_for_window() {
    window=$(timeout 20 xdotool search --sync --onlyvisible --name "^Kelvatron" | head -n 1) || true
    [[ -n "$window" ]] || fail "the window did not appear"
    sleep 0.5
}

# Clicks the middle of a control given by its place in the window and its size.
click() {
    xdotool mousemove --window "$window" $(($1 + $3 / 2)) $(($2 + $4 / 2)) click 1
    sleep 0.3
}

# Waits up to $1 seconds for the program to end by itself.
wait_for_exit() {
    timeout "$1" tail --pid="$app_pid" -f /dev/null || return 1
    wait "$app_pid" 2>/dev/null || true
    app_pid=""
}
