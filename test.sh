#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless: first a normal build and the
# sound server's device on a private PulseAudio and on a private PipeWire, then the same suite
# under AddressSanitizer and UndefinedBehaviorSanitizer, the sound path under ThreadSanitizer,
# and the fuzz targets for a bounded time.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
# Every command a test calls must be there before anything is built: a missing one would fail a
# check far into the run with a message about the check, not about the machine.
source scripts/tools.sh
if ! missing=$(missing_tools); then
  echo "The tests call commands that this machine lacks:" >&2
  echo "$missing" | sed 's/^/  /' >&2
  echo "Install their packages (scripts/deps.sh does, as root) and run ./test.sh again." >&2
  exit 1
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=dummy

echo "== Build and test (Release)"
# The benchmarks are no tests; their scripts build them when they run.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DKELVATRON_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 300 -LE 'e2e|pulse'

# The PulseAudio device's tests measure a real server's timing: they run while nothing else does.
# A server that starts slowly or a stall of the machine can spoil one recording: a run that fails
# runs once more on a fresh server, and only a second failure counts.
pulse_tests() {
  tests/support/with_pulse_server.sh ctest --output-on-failure --timeout 300 -L pulse "$@" ||
    { echo "== Again on a fresh sound server"; tests/support/with_pulse_server.sh ctest --output-on-failure --timeout 300 -L pulse "$@"; }
}
echo "== The PulseAudio device on a private sound server (Release)"
pulse_tests --test-dir build
# The same cases on PipeWire's own device, beside a private PipeWire (skipped, saying so, where
# its daemons cannot run).
echo "== The PipeWire device on a private PipeWire (Release)"
tests/support/with_pipewire_server.sh ctest --output-on-failure --timeout 300 -L pulse --test-dir build ||
  { echo "== Again on a fresh PipeWire"; tests/support/with_pipewire_server.sh ctest --output-on-failure --timeout 300 -L pulse --test-dir build; }

# The end-to-end runs mostly wait on the real program's timing, so they run beside the sanitizer
# build, which yields the processors to them (the program itself asks for a higher priority).
echo "== End-to-end runs of the program (Release), beside the next build"
ctest --test-dir build --output-on-failure --timeout 300 -L e2e >build/e2e.log 2>&1 &
e2e=$!
trap 'kill "$e2e" 2>/dev/null || true' EXIT

echo "== Build and test (AddressSanitizer + UndefinedBehaviorSanitizer)"
# The program itself is tested end to end in the Release build: here only the test programs.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELVATRON_SANITIZE=ON -DKELVATRON_BENCH=OFF \
  "${launcher[@]}" >/dev/null
nice -n 19 cmake --build build-asan -j "$jobs" --target engine_tests gui_tests platform_tests
e2e_status=0
wait "$e2e" || e2e_status=$?
cat build/e2e.log
# They check the program's timing on a quiet machine: one that failed beside the build runs
# again alone, and only a failure there counts.
if [[ $e2e_status -ne 0 ]]; then
  echo "== End-to-end runs that failed beside the build, again on a quiet machine"
  ctest --test-dir build --output-on-failure --timeout 300 -L e2e --rerun-failed
fi
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" --timeout 600 -LE 'e2e|pulse'

echo "== Sound path under ThreadSanitizer"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVATRON_TSAN=ON "${launcher[@]}" >/dev/null
cmake --build build-tsan -j "$jobs" --target sound_tsan_tests pulse_tsan_tests
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan --output-on-failure --timeout 300 -LE pulse
TSAN_OPTIONS=halt_on_error=1 pulse_tests --test-dir build-tsan

if [[ -d fuzz ]] && ls fuzz/*.cpp >/dev/null 2>&1; then
  echo "== Fuzz targets (bounded time)"
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELVATRON_FUZZ=ON "${launcher[@]}" >/dev/null
  cmake --build build-fuzz -j "$jobs" --target kelvatron_fuzzers
  for f in build-fuzz/fuzz/fuzz_*; do
    [[ -x "$f" ]] || continue
    echo "-- $(basename "$f")"
    corpus="build-fuzz/corpus/$(basename "$f")"
    mkdir -p "$corpus"
    "$f" -max_total_time="${FUZZ_SECONDS:-10}" -max_len=65536 -print_final_stats=1 "$corpus" 2>&1 | tail -n 3
  done
fi
echo "== All tests passed"
