#!/usr/bin/env bash
# The program as a Wayland client, under sway's headless backend: the window opens natively
# (qt6-wayland, no XWayland) where the compositor places it; a click on the on-screen key "Й" and
# the key that carries Й on a Russian keyboard, typed on a US keymap, each sound .--- at the
# default speaker timing. Skipped (status 77) where the compositor cannot start here.
#   bash tests/e2e/wayland_keyboard.sh build/kelvatron
set -euo pipefail

program=$(readlink -f "${1:?usage: wayland_keyboard.sh path/to/kelvatron}")
lib="$(cd "$(dirname "$0")/lib" && pwd)"
work=$(mktemp -d)
chmod 755 "$work"
sway_pid=""
app_pid=""
input_pid=""
cleanup() {
    [[ -n "$app_pid" ]] && kill -KILL "$app_pid" 2>/dev/null || true
    [[ -n "$input_pid" ]] && kill -TERM "$input_pid" 2>/dev/null || true
    [[ -n "$sway_pid" ]] && kill -TERM "$sway_pid" 2>/dev/null || true
    [[ -n "$sway_pid" ]] && wait "$sway_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    [[ -f "$work/program.log" ]] && cat "$work/program.log" >&2
    exit 1
}
skip() {
    echo "SKIP: $*"
    [[ -f "$work/sway.log" ]] && tail -n 5 "$work/sway.log"
    exit 77
}

command -v sway >/dev/null || skip "sway is not installed (scripts/deps.sh installs it)"
[[ -n "$(ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so 2>/dev/null)" ]] ||
    skip "Qt's Wayland platform plugin is not installed (package qt6-wayland)"

# sway refuses to run as root: as root, it runs as nobody in a runtime folder of its own.
runtime="$work/runtime"
mkdir -m 700 "$runtime"
as_user=()
if [[ $(id -u) -eq 0 ]]; then
    chown nobody "$runtime"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
printf 'output HEADLESS-1 resolution 1280x1024\n' >"$work/sway.conf"
env -i PATH="$PATH" HOME="$runtime" XDG_RUNTIME_DIR="$runtime" WLR_BACKENDS=headless \
    WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman "${as_user[@]}" \
    sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
sway_pid=$!
for _ in $(seq 50); do
    [[ -S "$runtime/wayland-1" ]] && ls "$runtime"/sway-ipc.*.sock >/dev/null 2>&1 && break
    kill -0 "$sway_pid" 2>/dev/null || break
    sleep 0.1
done
[[ -S "$runtime/wayland-1" ]] || skip "sway's headless backend could not start here"
export WAYLAND_DISPLAY="$runtime/wayland-1" LAYOUT_SIZE=1280x1024
ipc=$(ls "$runtime"/sway-ipc.*.sock)
unset DISPLAY

mkdir -p "$work/config" "$work/client"
chmod 700 "$work/client"
# The seat's keyboard and mouse, there before the program starts as on a desktop.
mkfifo "$work/input"
XDG_RUNTIME_DIR="$work/client" python3 "$lib/wayland_input.py" <"$work/input" >"$work/input.log" 2>&1 &
input_pid=$!
exec 3>"$work/input"
for _ in $(seq 50); do
    grep -q ready "$work/input.log" && break
    kill -0 "$input_pid" 2>/dev/null || break
    sleep 0.1
done
grep -q ready "$work/input.log" || fail "no virtual keyboard and pointer: $(cat "$work/input.log")"
XDG_RUNTIME_DIR="$work/client" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=wayland \
    SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/sound.raw" KELVATRON_SOUND=sdl \
    "$program" >"$work/program.log" 2>&1 3>&- &
app_pid=$!

# The window as sway sees it: a Wayland client (app_id, not an X11 class) and its place.
rect=""
for _ in $(seq 100); do
    rect=$(swaymsg -s "$ipc" -t get_tree 2>/dev/null | python3 -c '
import json, sys
def walk(node):
    if node.get("app_id") == "kelvatron" and node.get("pid"):
        r = node["rect"]
        print(r["x"], r["y"], r["width"], r["height"], node.get("shell"))
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))') || true
    [[ -n "$rect" ]] && break
    kill -0 "$app_pid" 2>/dev/null || fail "the program ended at start under Wayland"
    sleep 0.1
done
[[ -n "$rect" ]] || fail "no Wayland window of the program appeared"
read -r x y width height shell <<<"$rect"
echo "window placed by sway at ($x, $y), ${width} x ${height}, shell $shell"
[[ $shell == xdg_shell ]] || fail "the window is no native Wayland window (shell $shell)"
sleep 1

# The keyboard panel is at (200, 320) in the window; its second row starts at (29, 70) with keys
# 30 x 34: "Й" is the first key of that row.
echo "click $((x + 200 + 29 + 15)) $((y + 320 + 70 + 17))" >&3
sleep 2
# evdev 16 is Q on a US keyboard, which the window reads with the Russian layout: Й.
echo "key 16" >&3
sleep 2
exec 3>&-
grep -q "done key" "$work/input.log" || fail "the input could not be sent: $(cat "$work/input.log")"
kill -TERM "$app_pid"
status=0
wait "$app_pid" || status=$?
app_pid=""
[[ $status -eq 0 ]] || fail "the program ended with $status on SIGTERM"

python3 - "$lib" "$work/sound.raw" <<'EOF'
import sys

sys.path.insert(0, sys.argv[1])
from soundruns import RATE, read_left, tone_runs

runs = tone_runs(read_left(sys.argv[2]))
lengths = [(b - a) * 1000.0 / RATE for a, b in runs]
gaps = [(runs[i + 1][0] - runs[i][1]) * 1000.0 / RATE for i in range(len(runs) - 1)]
signs = [""]
for i, length in enumerate(lengths):
    if i and gaps[i - 1] > 500:
        signs.append("")
    signs[-1] += "." if length < 80 else "-"
print("decoded:", " ".join(signs), "tones (ms):", " ".join(f"{x:.1f}" for x in lengths),
      "starts (s):", " ".join(f"{a / RATE:.2f}" for a, _ in runs))
bad = [f"{x:.1f}" for x, want in zip(lengths, (40, 120, 120, 120) * 2) if abs(x - want) > 3]
if signs != [".---", ".---"] or bad:
    print(f"FAIL: expected .--- (clicked) and .--- (typed), decoded {' '.join(signs)!r}, "
          f"tones off their length: {bad}")
    sys.exit(1)
EOF
echo "PASS: under Wayland the window opened natively and the key Й, clicked and typed, sounded .---"
