#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the native unit tests of the
# portable code, then the end-to-end tests, which run both programs under Wine on a virtual
# display of their own (no display needed).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

cmake --preset windows >/dev/null
cmake --build --preset windows
# The walk-through, benchmark and their yardsticks are not tests, but they must keep building.
cmake -S tools -B build/tools -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-i686.cmake" >/dev/null
cmake --build build/tools
ctest --preset windows
