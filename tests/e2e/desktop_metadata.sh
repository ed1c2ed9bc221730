#!/usr/bin/env bash
# What the package ships beside the binary for the desktop: the AppStream metainfo passes
# appstreamcli's validation offline and names the menu entry's file, and the manual page renders
# without a warning and documents every option the program's --help lists.
#   bash tests/e2e/desktop_metadata.sh build/kelvatron
set -euo pipefail

program=$(readlink -f "${1:?usage: desktop_metadata.sh path/to/kelvatron}")
packaging="$(dirname "$0")/../../packaging"
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# The id is the menu entry's name, as on the installed desktops; AppStream would rather have a
# reverse-DNS id, which needs a domain the project does not have yet.
if appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info \
        "$packaging/kelvatron.metainfo.xml"; then
    :
else
    fail "appstreamcli refuses packaging/kelvatron.metainfo.xml"
fi
launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' \
    "$packaging/kelvatron.metainfo.xml")
[[ -f "$packaging/$launchable" ]] || fail "the metainfo launches '$launchable', which is not in packaging/"

warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$packaging/kelvatron.1" 2>&1 >/dev/null)
[[ -z "$warnings" ]] || fail "the manual page renders with warnings: $warnings"
page=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$packaging/kelvatron.1" 2>/dev/null)
options=$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --help | grep -oE '^  (-[a-z-]+)' || true)
[[ -n "$options" ]] || fail "kelvatron --help lists no options"
for option in $options; do
    grep -qe "$option" <<<"$page" || fail "the manual page leaves out $option"
done
grep -q "Kelvatron $("$program" --version | sed 's/^Kelvatron //')" "$packaging/kelvatron.1" ||
    fail "the manual page's header names another version than --version"

[[ $failures -eq 0 ]] || exit 1
echo "PASS: the metainfo validates, the manual page renders and lists all $(wc -w <<<"$options") options"
