#!/usr/bin/env bash
# The command-line export of the real program with no display at all: exit statuses 0, 1 and 2
# with their messages, the learner's stored settings read but never written, the same bytes for
# the same seed, every format readable by ffprobe, and no partial file after a failure.
#   bash tests/e2e/export_cli.sh build/kelvatron
set -euo pipefail

program=$(readlink -f "${1:?usage: export_cli.sh path/to/kelvatron}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
config="$work/config"
mkdir -p "$config"
out="$work/out"
mkdir -p "$out"

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Runs the program with no display and no platform plugin chosen; sets status, stdout, stderr.
export_run() {
    set +e
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_CONFIG_HOME="$config" \
        "$program" "$@" >"$work/stdout" 2>"$work/stderr"
    status=$?
    set -e
}

expect() { # expect STATUS MESSAGE-PART ARGS...
    local want=$1 part=$2
    shift 2
    export_run "$@"
    [[ $status == "$want" ]] || fail "$* exited $status, not $want: $(cat "$work/stderr")"
    if [[ -n $part ]]; then
        grep -qF -- "$part" "$work/stdout" "$work/stderr" || fail "$*: no «$part» in the output"
    elif [[ -s $work/stderr ]]; then
        fail "$*: unexpected messages: $(cat "$work/stderr")"
    fi
}

# Help and usage errors.
expect 0 "--export" --help
expect 2 "--fast" --export "$out/a.wav" --fast
expect 2 "--dot" --export "$out/a.wav" --dot 5
expect 2 "--waveform" --export "$out/a.wav" --waveform organ
expect 2 ".aiff" --export "$out/a.aiff"
# Files that cannot be used: a missing radiogram, a target in no folder, a target that is a folder.
expect 1 "none.dkm" --export "$out/a.wav" --text "$work/none.dkm"
expect 1 "no/such" --export "$out/no/such/a.wav" --groups 1
mkdir "$out/taken.wav"
expect 1 "taken.wav" --export "$out/taken.wav" --groups 1
rmdir "$out/taken.wav"
[[ -z $(ls -A "$out") ]] || fail "a failed export left files: $(ls -A "$out")"
[[ ! -e $config/Home ]] || fail "the settings were written"

# Stored settings are taken and left untouched: 1000 Hz, digits, two groups of three.
mkdir -p "$config/Home"
printf '[Form1]\nglDigits5.Value=1000\nglDigits9.Value=3\nglDigits10.Value=2\nglCheckBox21.Checked=0\n' \
    >"$config/Home/Project1.conf"
before=$(sha256sum <"$config/Home/Project1.conf")
for n in 1 2; do
    expect 0 "" --export "$out/seed$n.wav" --seed 42 --answers "$out/seed$n.txt"
done
cmp -s "$out/seed1.wav" "$out/seed2.wav" || fail "the same seed gave different sound"
cmp -s "$out/seed1.txt" "$out/seed2.txt" || fail "the same seed gave different groups"
[[ $(tr -d ' ' <"$out/seed1.txt") =~ ^[0-9]{6}$ ]] || fail "not two groups of three digits: $(cat "$out/seed1.txt")"
[[ $(sha256sum <"$config/Home/Project1.conf") == "$before" ]] || fail "the settings file changed"
grep -q "Экспорт" "$work/stderr" && fail "a progress line went to a stderr that is no terminal"

# Every format opens in ffprobe as mono sound of the expected rate and length.
printf 'ПРИВЕТ\r\n' | iconv -f UTF-8 -t CP1251 >"$work/r.dkm"
for f in a.wav:96000 a.flac:96000 a.ogg:48000 a.opus:48000 a.mp3:48000; do
    name=${f%%:*} rate=${f##*:}
    expect 0 "" --export "$out/$name" --text "$work/r.dkm" --dot 40
    info=$(ffprobe -v error -show_entries stream=sample_rate,channels -show_entries format=duration \
        -of default=noprint_wrappers=1 "$out/$name") || fail "ffprobe cannot read $name"
    grep -q "sample_rate=$rate" <<<"$info" || fail "$name: $info"
    grep -q "channels=1" <<<"$info" || fail "$name: $info"
    duration=$(sed -n 's/^duration=//p' <<<"$info")
    awk -v d="$duration" 'BEGIN { exit !(d > 3 && d < 15) }' || fail "$name lasts $duration s"
done
soxi "$out/a.wav" >/dev/null || fail "soxi cannot read a.wav"

((failures == 0)) && echo "export_cli: all checks passed"
exit $((failures > 0))
