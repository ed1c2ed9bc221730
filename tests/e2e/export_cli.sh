#!/usr/bin/env bash
# The command-line export of the real program with no display at all: exit statuses 0, 1 and 2
# with their messages, the learner's stored settings read but never written (a pipe or another
# file in their place neither holds it up nor is touched), the same bytes for the same seed,
# every format readable by ffprobe, and no partial file after a failure or after SIGINT, SIGTERM
# or SIGHUP, which end it with 128 plus the signal's number.
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
mkfifo "$out/pipe.wav"
expect 1 "канал (FIFO)" --export "$out/pipe.wav" --groups 1
[[ -p $out/pipe.wav ]] || fail "the pipe given as the target was replaced"
rm "$out/pipe.wav"
expect 2 "--answers" --export "$out/a.wav" --groups 1 --answers "$out/a.wav"
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

# A pipe in the settings file's place is never opened to wait on, nor is a link to another file
# read as settings or written; the defaults are taken and the export goes on.
printf 'root:x:0:0:root:/root:/bin/bash\n' >"$work/passwd"
for kind in pipe link; do
    rm -f "$config/Home/Project1.conf"
    if [[ $kind == pipe ]]; then mkfifo "$config/Home/Project1.conf"; else
        ln -s "$work/passwd" "$config/Home/Project1.conf"; fi
    set +e
    timeout 20 env -u DISPLAY XDG_CONFIG_HOME="$config" "$program" --export "$out/$kind.flac" \
        --groups 1 --digits >/dev/null 2>"$work/stderr"
    status=$?
    set -e
    [[ $status == 0 ]] || fail "a $kind as the settings file: exit $status, $(cat "$work/stderr")"
    grep -qF "Взяты значения по умолчанию" "$work/stderr" || fail "a $kind as the settings file went unsaid"
    rm -f "$out/$kind.flac"
done
[[ -p $config/Home/Project1.conf ]] || [[ -L $config/Home/Project1.conf ]] || fail "the settings file was replaced"
[[ $(cat "$work/passwd") == "root:x:0:0:root:/root:/bin/bash" ]] || fail "the linked file changed"
rm -f "$config/Home/Project1.conf"

# A signal cancels a long export: its hidden file goes, and the status is 128 plus the signal's
# number. SIGINT comes through timeout, as from a script; the others once the file has begun.
signals="$work/signals"
mkdir "$signals"
long=(--export "$signals/long.flac" --digits --groups 200 --size 100 --dot 100)
set +e
timeout --preserve-status -s INT 1 env -u DISPLAY XDG_CONFIG_HOME="$config" "$program" \
    "${long[@]}" 2>/dev/null
status=$?
set -e
[[ $status == 130 ]] || fail "SIGINT through timeout: exit $status, not 130"
[[ -z $(ls -A "$signals") ]] || fail "SIGINT left files: $(ls -A "$signals")"
for signal in TERM:143 HUP:129; do
    env -u DISPLAY XDG_CONFIG_HOME="$config" "$program" "${long[@]}" 2>/dev/null &
    pid=$!
    for _ in $(seq 200); do
        compgen -G "$signals/.kelvatron-save-*" >/dev/null && break
        sleep 0.05
    done
    compgen -G "$signals/.kelvatron-save-*" >/dev/null || fail "SIG${signal%:*}: no hidden file began"
    kill -"${signal%:*}" "$pid"
    set +e
    wait "$pid"
    status=$?
    set -e
    [[ $status == "${signal#*:}" ]] || fail "SIG${signal%:*}: exit $status, not ${signal#*:}"
    [[ -z $(ls -A "$signals") ]] || fail "SIG${signal%:*} left files: $(ls -A "$signals")"
done

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

# The installed Russian voice speaks the answers: three groups keyed and answered last longer
# than the same groups keyed alone, and the answer sheet stays the same.
expect 0 "" --export "$out/plain.wav" --digits --groups 3 --size 5 --seed 9 --answers "$out/plain.txt"
expect 0 "" --export "$out/voiced.wav" --digits --groups 3 --size 5 --seed 9 --voice group \
    --answers "$out/voiced.txt"
cmp -s "$out/plain.txt" "$out/voiced.txt" || fail "--voice changed the answer sheet"
plain=$(soxi -D "$out/plain.wav") voiced=$(soxi -D "$out/voiced.wav")
awk -v p="$plain" -v v="$voiced" 'BEGIN { exit !(v > p + 3 * 2 + 1) }' ||
    fail "--voice group: $voiced s against $plain s without the voice"

((failures == 0)) && echo "export_cli: all checks passed"
exit $((failures > 0))
