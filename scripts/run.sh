#!/usr/bin/env bash
# Sets up the machine, builds both programs and runs the wizard: the English build by default,
# the Chinese one with --zh.
#
# With a display ($DISPLAY) the wizard opens there, in a Wine prefix of the project's own
# (TRELVOSET_PREFIX, default ~/.cache/trelvoset/wine-<lang>). The wizard looks for its driver
# package, the folder "win2k", in its current directory: it runs from the folder of the program.
#
# Without a display it walks one complete installation on a virtual display, page by page, as a
# user would (tools/walkthrough.cpp drives the wizard by window messages from outside): "Select
# OS", "Detail Setting", its About box, "Select Port", "Create Port", Install, the completion
# message. The driver package is a placeholder one (text files named like the real package's).
# It screenshots every page into build/screenshots/<lang>/ and prints what the spooler and the
# registry hold afterwards. This walk has a Wine prefix of its own, build/walkthrough/wine-<lang>
# (TRELVOSET_WALK_PREFIX), whose printers and drivers it replaces; no other prefix is touched.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD

lang=en
case "${1:-}" in
  ""|--en) ;;
  --zh) lang=zh ;;
  *) echo "usage: $0 [--en|--zh]" >&2; exit 2 ;;
esac

bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target trelvoset_en trelvoset_zh >/dev/null

exe=$top/build/windows/$lang/trelvoset.exe
if [ "$lang" = zh ]; then export LC_ALL=zh_CN.UTF-8; else export LC_ALL=en_US.UTF-8; fi

if [ -n "${DISPLAY:-}" ]; then
  export WINEPREFIX=${TRELVOSET_PREFIX:-$HOME/.cache/trelvoset/wine-$lang}
  cd "$(dirname "$exe")"
  exec "$top/scripts/wine.sh" "$exe"
fi

# ---------------------------------------------------------------------------------------------
# No display: the walk-through.

# Wine draws the buttons of title bars with its font Marlett (Debian's fonts-wine, which
# scripts/setup.sh installs). Wine 8 here does not read the fonts of its own data folder, so the
# file is put into the prefix's Fonts.
marlett=/usr/share/wine/fonts/marlett.ttf

tools=$top/build/tools
cmake -S tools -B "$tools" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$tools" --target walkthrough >/dev/null

walk=$top/build/walkthrough
export WINEPREFIX=${TRELVOSET_WALK_PREFIX:-$walk/wine-$lang}
export WINEDEBUG=-all
startdir=$walk/$lang
shots=$top/build/screenshots/$lang
rm -rf "$shots" "$startdir"
mkdir -p "$shots" "$startdir"

# A prefix is made on its first use; make it before the walk, so that Marlett can go in first.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$top/scripts/wine.sh" cmd /c exit >/dev/null
fi
if [ -f "$marlett" ] && [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
  cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"
fi

echo "No display: walking through one installation with $(realpath --relative-to="$top" "$exe") on a virtual display."
echo "Wine prefix: $WINEPREFIX"
status=0
"$top/scripts/wine.sh" "$tools/walkthrough.exe" --wizard="$exe" --lang="$lang" --dir="$startdir" \
  --shots="$shots" || status=$?

pngs=()
for bmp in "$shots"/*.bmp; do
  [ -e "$bmp" ] || continue
  convert "$bmp" "${bmp%.bmp}.png"
  rm -f "$bmp"
  pngs+=("${bmp%.bmp}.png")
done
echo
if [ ${#pngs[@]} -gt 0 ]; then
  echo "Screenshots of the pages, in the order shown:"
  printf '  %s\n' "${pngs[@]}"
fi
if [ "$status" -ne 0 ]; then
  echo "run: the walk-through stopped early (exit code $status)" >&2
fi
exit "$status"
