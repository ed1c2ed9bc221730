#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless: first a normal build,
# then the same suite under AddressSanitizer and UndefinedBehaviorSanitizer, the sound path
# under ThreadSanitizer, and the fuzz targets for a bounded time.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export SDL_AUDIODRIVER=dummy

echo "== Build and test (Release)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 300

echo "== Build and test (AddressSanitizer + UndefinedBehaviorSanitizer)"
# The benchmarks are no tests: the sanitizer build leaves them out.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELVATRON_SANITIZE=ON -DKELVATRON_BENCH=OFF \
  "${launcher[@]}" >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" --timeout 600 -LE e2e

echo "== Sound path under ThreadSanitizer"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVATRON_TSAN=ON "${launcher[@]}" >/dev/null
cmake --build build-tsan -j "$jobs"
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan --output-on-failure --timeout 300

if [[ -d fuzz ]] && ls fuzz/*.cpp >/dev/null 2>&1; then
  echo "== Fuzz targets (bounded time)"
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELVATRON_FUZZ=ON "${launcher[@]}" >/dev/null
  cmake --build build-fuzz -j "$jobs" --target kelvatron_fuzzers
  for f in build-fuzz/fuzz/fuzz_*; do
    [[ -x "$f" ]] || continue
    echo "-- $(basename "$f")"
    corpus="build-fuzz/corpus/$(basename "$f")"
    mkdir -p "$corpus"
    "$f" -max_total_time="${FUZZ_SECONDS:-20}" -max_len=65536 -print_final_stats=1 "$corpus" 2>&1 | tail -n 3
  done
fi
echo "== All tests passed"
