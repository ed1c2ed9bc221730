#!/usr/bin/env bash
# Types 20 keys into the real program under Xvfb, so that 19 of them wait in the keyboard's
# queue while the first sounds, and asks the window through AT-SPI, as a screen reader does, for
# the names of its children over and over while the queue sounds. Every answer must come within
# a second; the captured sound must hold the signs in the order typed, also those of 10 keys
# typed before with no query (lib/a11y_queries.py).
# It runs on a D-Bus session bus of its own (and so an accessibility bus of its own).
#   bash tests/e2e/accessibility_queue.sh build/kelvatron
set -euo pipefail

program=$(readlink -f "${1:?usage: accessibility_queue.sh path/to/kelvatron}")
if [[ -z "${KELVATRON_OWN_BUS:-}" ]]; then
    KELVATRON_OWN_BUS=1 exec dbus-run-session -- bash "$0" "$program"
fi
here=$(dirname "$(readlink -f "$0")")
source "$here/lib/xsession.sh"
source "$here/lib/program.sh"
xsession_begin 141

start_program QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1

# The system's Python: pyatspi is a Debian package, not in any other interpreter's path.
/usr/bin/python3 "$here/lib/a11y_queries.py" "$app_pid" "$work/sound.raw" ||
    fail "a screen reader's query waited for the queued keys (or the signs came out of order)"
kill -TERM "$app_pid"
wait_for_exit 10 || fail "the program did not end on SIGTERM"
echo "PASS: the window answered the screen reader within a second while 20 keys sounded in turn"
