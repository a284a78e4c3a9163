#!/usr/bin/env bash
# Sets up the machine, builds both programs and runs the wizard: the English build by default,
# the Chinese one with --zh.
#
# With a display ($DISPLAY) the wizard opens there, in a Wine prefix of the project's own. Without
# one it is started on a virtual display, its first page is saved as a screenshot and the path is
# printed. The wizard looks for its driver package, the folder "win2k", in its current directory:
# it runs from the folder of the program.
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
cmake --build --preset windows >/dev/null

exe=$top/build/windows/$lang/trelvoset.exe
export WINEPREFIX=${TRELVOSET_PREFIX:-$HOME/.cache/trelvoset/wine-$lang}
if [ "$lang" = zh ]; then export LC_ALL=zh_CN.UTF-8; else export LC_ALL=en_US.UTF-8; fi
cd "$(dirname "$exe")"

if [ -n "${DISPLAY:-}" ]; then
  exec "$top/scripts/wine.sh" "$exe"
fi

# No display: a virtual one, the first page, a screenshot.
shots=$top/build/screenshots
mkdir -p "$shots"
exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null)
xvfb_pid=$!
read -r display <&3
export DISPLAY=:$display
cleanup() {
  [ -n "${wizard_pid:-}" ] && kill "$wizard_pid" 2>/dev/null
  wineserver -k 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

"$top/scripts/wine.sh" "$exe" >/dev/null 2>&1 &
wizard_pid=$!
if [ "$lang" = zh ]; then caption='选择操作系统'; else caption='Select OS'; fi
for _ in $(seq 1 120); do
  xdotool search --name "^$caption\$" >/dev/null 2>&1 && break
  sleep 1
done
if ! xdotool search --name "^$caption\$" >/dev/null 2>&1; then
  echo "run: the wizard did not show its first page" >&2
  exit 1
fi
sleep 1
shot=$shots/select-os-$lang.png
import -window root -crop 1024x768+0+0 "$shot"
echo "No display: the wizard ran on a virtual display ($DISPLAY)."
echo "Its first page, \"$caption\", is in $shot"
