#!/usr/bin/env bash
# Installs what is missing, builds Release into build/ and starts Kelvatron.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build build --target kelvatron
exec build/kelvatron "$@"
