#!/usr/bin/env bash
# The benchmark (not a test): trelvoset.exe against two yardsticks, side by side in one run under
# Wine, on a virtual display of its own. Builds everything, then runs bench/bench.cpp:
#
#   scripts/bench.sh [--starts=N] [--installs=N]
#
#   start-up      process start to the first page shown, against minimal.exe (bench/minimal.cpp,
#                 one DialogBoxParamA); N alternating runs each (default 9), medians
#   installation  Install pressed to "Select Port" closed, less the 500 ms pause the installation
#                 makes, against bare_install.exe (bench/bare_install.cpp: the same spooler and
#                 registry calls in a row, timed by itself); N alternating runs each (default 5)
#   size          each build's trelvoset.exe against minimal.exe
#
# The English build runs in an English locale, in a Wine prefix of the benchmark's own,
# build/bench/wine-en (TRELVOSET_BENCH_PREFIX), whose printers and drivers it removes before each
# installation. The table goes to stdout and to build/bench/results.md; progress to stderr.
# See docs/BENCHMARK.md for what the figures mean.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD

for arg in "$@"; do
  case $arg in
    --starts=[1-9]*|--installs=[1-9]*) ;;
    *) echo "usage: $0 [--starts=N] [--installs=N]" >&2; exit 2 ;;
  esac
done

bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target trelvoset_en trelvoset_zh >/dev/null
tools=$top/build/tools
cmake -S tools -B "$tools" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$tools" --target bench minimal minimal_dlls bare_install >/dev/null

bench=$top/build/bench
mkdir -p "$bench/run"
export LC_ALL=en_US.UTF-8
export WINEPREFIX=${TRELVOSET_BENCH_PREFIX:-$bench/wine-en}
export WINEDEBUG=${WINEDEBUG:--all}   # e.g. -all,+timestamp,+progress to trace the progress bar
unset DISPLAY   # a private Xvfb: no window manager, nothing else drawing

echo "bench: under Wine $(wine --version 2>/dev/null), prefix $WINEPREFIX" >&2
"$top/scripts/wine.sh" "$tools/bench.exe" \
  --wizard="$top/build/windows/en/trelvoset.exe" --wizard-zh="$top/build/windows/zh/trelvoset.exe" \
  --minimal="$tools/minimal.exe" --minimal-dlls="$tools/minimal_dlls.exe" --bare="$tools/bare_install.exe" --dir="$bench/run" "$@" \
  | tee "$bench/results.md"
echo "bench: the table is also in build/bench/results.md" >&2
