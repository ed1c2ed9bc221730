#!/usr/bin/env bash
# The Debian package installs and starts: built with CPack from this build, every Depends entry
# is met by an installed package (none names a library that is not in Debian 12), every library
# the packed binary needs belongs to a package it depends on, and the packed binary, run with only
# the system's libraries, tells its version, writes an export and shows its window with the
# training panel (and so Qt's SQLite driver); every file those runs load comes with its Depends or
# what they pull in.
#   bash tests/e2e/package_deb.sh build/kelvatron
set -euo pipefail

program=$(readlink -f "${1:?usage: package_deb.sh path/to/kelvatron}")
build=$(dirname "$program")
source "$(dirname "$0")/lib/xsession.sh"

[[ -f "$build/CPackConfig.cmake" ]] || fail "no CPack configuration in $build"
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/pack" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack could not build the package"; }
deb=$(ls "$work"/pack/kelvatron_*.deb)
dpkg-deb -f "$deb" Depends >"$work/depends"
dpkg-deb -f "$deb" Recommends >"$work/recommends"
echo "Depends: $(cat "$work/depends")"
echo "Recommends: $(cat "$work/recommends")"
dpkg-deb -x "$deb" "$work/root"
packed="$work/root/usr/bin/kelvatron"
[[ -x "$packed" ]] || fail "the package holds no usr/bin/kelvatron"
for file in usr/share/applications/kelvatron.desktop usr/share/metainfo/kelvatron.metainfo.xml \
            usr/share/man/man1/kelvatron.1.gz usr/share/icons/hicolor/scalable/apps/kelvatron.svg; do
    [[ -f "$work/root/$file" ]] || fail "the package does not install $file"
done

# The runs of the packed binary: its version, a short export, and the window with the training
# panel opened, which loads Qt's SQLite driver for the history. LD_DEBUG lists every object the
# loader opens, plugins included.
env -u DISPLAY -u WAYLAND_DISPLAY "$packed" --version >"$work/version" ||
    fail "the packed binary does not start (--version)"
grep -q "^Kelvatron $(dpkg-deb -f "$deb" Version)$" "$work/version" ||
    fail "--version printed '$(cat "$work/version")'"
mkdir -p "$work/home"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_DATA_HOME="$work/home/data"
LD_DEBUG=files LD_DEBUG_OUTPUT="$work/ld-export" env -u DISPLAY -u WAYLAND_DISPLAY \
    "$packed" --export "$work/lesson.wav" --digits --groups 2 --seed 1 >"$work/export.log" 2>&1 ||
    { cat "$work/export.log" >&2; fail "the packed binary's export failed"; }
[[ -s "$work/lesson.wav" ]] || fail "the packed binary's export wrote nothing"
xsession_begin 121
LD_DEBUG=files LD_DEBUG_OUTPUT="$work/ld-window" QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy \
    KELVATRON_SOUND=sdl "$packed" >"$work/program.log" 2>&1 &
app_pid=$!
wait_for_window
# "Тренировка" on the top strip.
xdotool mousemove --window "$window" 411 22 click 1
for _ in $(seq 50); do
    [[ -f "$XDG_DATA_HOME/Kelvatron/history.sqlite" ]] && break
    sleep 0.1
done
[[ -f "$XDG_DATA_HOME/Kelvatron/history.sqlite" ]] ||
    fail "the packed program's training panel opened no history (Qt's SQLite driver)"
kill -TERM "$app_pid"
wait_for_exit 10 || fail "the packed program did not end on SIGTERM"

python3 - "$packed" "$work/depends" "$work"/ld-* <<'EOF'
import re
import subprocess
import sys

packed, depends_file, logs = sys.argv[1], sys.argv[2], sys.argv[3:]
failures = []

def run(*args):
    return subprocess.run(args, capture_output=True, text=True).stdout

# name -> (version, the names it depends on); virtual names lead to what provides them.
installed, provided = {}, {}
for line in run("dpkg-query", "-W", "-f",
                "${Package}\t${Version}\t${db:Status-Status}\t${Depends}, ${Pre-Depends}\t${Provides}\n").splitlines():
    name, version, status, deps, provides = line.split("\t")
    if status != "installed":
        continue
    installed[name] = (version, [re.split(r"[ (:]", a.strip())[0] for d in deps.split(",")
                                 for a in d.split("|") if a.strip()])
    for p in provides.split(","):
        if p.strip():
            provided.setdefault(re.split(r"[ (]", p.strip())[0], []).append(name)

# Every Depends entry is met by an installed package of a version it accepts.
direct = set()
for entry in open(depends_file).read().strip().split(","):
    met = False
    for alternative in entry.split("|"):
        m = re.fullmatch(r"\s*([a-z0-9.+-]+)(?::\w+)?\s*(?:\((<<|<=|=|>=|>>)\s*([^)]+)\))?\s*",
                         alternative)
        if not m:
            failures.append(f"Depends entry {alternative.strip()!r} cannot be read")
            continue
        name, op, version = m.groups()
        direct.add(name)
        if name in installed and (not op or subprocess.run(
                ["dpkg", "--compare-versions", installed[name][0], op, version]).returncode == 0):
            met = True
    if not met:
        failures.append(f"Depends entry {entry.strip()!r} is met by no installed package")

# The package that installs each file (one dpkg query for them all); a library's path may be
# known to dpkg with or without /usr in front.
def owners(paths):
    def variants(path):
        return {path, re.sub(r"^/usr/lib/", "/lib/", path), re.sub(r"^/lib/", "/usr/lib/", path)}
    asked = sorted(set().union(*map(variants, paths))) if paths else []
    found = {}
    for line in run("dpkg-query", "-S", *asked).splitlines():
        if ": " in line and not line.startswith("diversion"):
            package, path = line.split(": ", 1)
            found[path] = package.split(",")[0].split(":")[0].strip()
    return {p: next((found[v] for v in variants(p) if v in found), None) for p in paths}

# Every library the binary names itself comes from a package it depends on.
needed = re.findall(r"NEEDED\s+(\S+)", run("objdump", "-p", packed))
ldd = run("ldd", packed)
resolved = dict(re.findall(r"^\s*(\S+) => (/\S+)", ldd, re.M))
resolved.update({p.rsplit("/", 1)[1]: p for p in re.findall(r"^\s*(/\S+) \(", ldd, re.M)})
needed_owner = owners([p for p in resolved.values()])
for lib in needed:
    path = resolved.get(lib)
    package = needed_owner.get(path) if path else None
    if not package:
        failures.append(f"the needed library {lib} resolves to no installed package's file")
    elif package not in direct:
        failures.append(f"the needed library {lib} comes from {package}, which Depends leaves out")

# Every object the runs loaded comes with the Depends or with what they pull in. The name service
# modules (libnss_*) and what they need are the system's choice in nsswitch.conf, loaded by libc
# for any program.
def closure_of(names):
    found, todo = set(), list(names)
    while todo:
        name = todo.pop()
        for real in provided.get(name, []) + ([name] if name in installed else []):
            if real not in found:
                found.add(real)
                todo.extend(installed[real][1])
    return found

loaded = set()
for log in logs:
    loaded.update(re.findall(r"file=(/\S+) \[0\];\s+generating link map", open(log).read()))
    loaded.update(re.findall(r"calling init: (/\S+)", open(log).read()))
loaded_owner = owners(sorted(loaded))
system = closure_of(loaded_owner[p] for p in loaded if "/libnss_" in p and loaded_owner[p])
closure = closure_of(direct) | system
for path in sorted(loaded):
    package = loaded_owner[path]
    if package is None:
        failures.append(f"the runs loaded {path}, which no package installs")
    elif package not in closure:
        failures.append(f"the runs loaded {path} from {package}, which the Depends do not bring")
plugins = sorted(p for p in loaded if "/plugins/" in p)
print(f"{len(needed)} needed libraries, {len(loaded)} loaded objects, plugins: {' '.join(plugins)}")
for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
EOF
echo "PASS: the package's Depends are met, cover every library the binary loads, and it starts"
