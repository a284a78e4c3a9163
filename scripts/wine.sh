#!/usr/bin/env bash
# Runs a Windows program in the project's Wine:  scripts/wine.sh PROGRAM.exe [ARGS...]
#
# The exit code is the program's (125 when the program could not be run at all). Afterwards the
# prefix's wineserver is ended, so no Wine process of this run lingers.
#
# Display: a private Xvfb (1024x768x24) is started for the run when DISPLAY is unset or when
#   TRELVOSET_XVFB=1, and stopped afterwards. Each run gets a display number of its own.
# Prefix: WINEPREFIX when set; otherwise <build tree>/wine/<locale> when PROGRAM lies in a CMake
#   build tree, else ${XDG_CACHE_HOME:-~/.cache}/trelvoset/<locale>. Never ~/.wine. Wine takes
#   its ANSI code page from the locale (LC_ALL/LANG), so each locale gets its own prefix. A
#   missing prefix is made with `WINEARCH=win32 wineboot -i` in a scratch folder and moved into
#   place when complete, so an interrupted first run leaves no half-made prefix. Runs that share
#   a prefix take turns (a lock file beside it).
#   The dialog font of the program's templates, "宋体" (SimSun), is mapped to WenQuanYi Micro Hei.
# Stderr: when TRELVOSET_TRACE names a file, the program's stderr, and with it the Wine debug
#   output of every process it starts, goes to that file (emptied first). A test program reads
#   its children's traces from there (OutputDebugString under WINEDEBUG=+debugstr). After the
#   run, the lines that are not such traces are copied to stderr.
set -uo pipefail

readonly XVFB_SCREEN=1024x768x24
readonly FONT_REPLACEMENT="WenQuanYi Micro Hei"

die() { echo "wine.sh: $*" >&2; exit 125; }

[ $# -ge 1 ] || die "usage: scripts/wine.sh PROGRAM.exe [ARGS...]"
program=$1
shift
# A name without a folder may also be one of Wine's own programs (reg, regedit, winecfg...).
case $program in */*) [ -e "$program" ] || die "no such program: $program" ;; esac

command -v wine >/dev/null || die "wine is missing; run scripts/setup.sh"

export WINEARCH=win32
# No prompts to install Mono or Gecko.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}mscoree,mshtml="
export WINEDEBUG="${WINEDEBUG:-fixme-all}"

locale_name=${LC_ALL:-${LC_CTYPE:-${LANG:-C}}}
locale_name=${locale_name//[^A-Za-z0-9_.-]/_}

default_prefix() {
  local dir=/
  if [ -e "$program" ]; then
    dir=$(cd "$(dirname "$program")" && pwd) || return 1
  fi
  while [ "$dir" != / ]; do
    if [ -f "$dir/CMakeCache.txt" ]; then
      echo "$dir/wine/$locale_name"
      return
    fi
    dir=$(dirname "$dir")
  done
  echo "${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/trelvoset/$locale_name"
}

if [ -z "${WINEPREFIX:-}" ]; then
  WINEPREFIX=$(default_prefix) || die "cannot find a place for the Wine prefix"
fi
case $WINEPREFIX in /*) ;; *) WINEPREFIX=$PWD/$WINEPREFIX ;; esac
export WINEPREFIX

scratch=
xvfb_pid=
wine_pid=
temp_files=()
cleanup() {
  if [ -n "$wine_pid" ]; then
    kill "$wine_pid" 2>/dev/null
  fi
  # Ends every process of the prefix that is still running (the program's own children included)
  # and the server; -w first lets the server save the registry on its own.
  if [ -d "$WINEPREFIX" ] && ! timeout 20 wineserver -w 2>/dev/null; then
    wineserver -k 2>/dev/null
  fi
  if [ -n "$scratch" ]; then
    WINEPREFIX=$scratch wineserver -k 2>/dev/null
    rm -rf "$scratch"
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -f "${temp_files[@]}"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

start_xvfb() {
  command -v Xvfb >/dev/null || die "Xvfb is missing; run scripts/setup.sh"
  local numfile log n
  numfile=$(mktemp) && log=$(mktemp) || die "mktemp failed"
  temp_files+=("$numfile" "$log")
  # -displayfd: Xvfb picks a free display number and writes it once it accepts connections.
  Xvfb -displayfd 3 -screen 0 "$XVFB_SCREEN" -nolisten tcp 3>"$numfile" >"$log" 2>&1 9>&- &
  xvfb_pid=$!
  for ((n = 0; n < 300; n++)); do
    if [ "$(wc -l <"$numfile")" -ge 1 ]; then
      break
    fi
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then
      xvfb_pid=
      cat "$log" >&2
      die "Xvfb did not start"
    fi
    sleep 0.1
  done
  read -r n <"$numfile"
  [[ $n =~ ^[0-9]+$ ]] || die "Xvfb reported no display number"
  export DISPLAY=:$n
}

# Registry text for the font replacements, in the UTF-16 form regedit reads without regard to the
# locale's code page.
font_reg_file() {
  local file=$1
  {
    printf '\xff\xfe'
    printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"宋体"="%s"\r\n"SimSun"="%s"\r\n' \
      "$FONT_REPLACEMENT" "$FONT_REPLACEMENT" | iconv -f UTF-8 -t UTF-16LE
  } >"$file"
}

make_prefix() {
  local log
  scratch=$WINEPREFIX.new.$$
  rm -rf "$scratch"
  log=$(mktemp) || die "mktemp failed"
  temp_files+=("$log")
  echo "wine.sh: creating Wine prefix $WINEPREFIX" >&2
  if ! WINEPREFIX=$scratch wineboot -i >"$log" 2>&1 9>&-; then
    cat "$log" >&2
    die "wineboot failed"
  fi
  font_reg_file "$scratch/drive_c/fonts.reg"
  if ! WINEPREFIX=$scratch wine regedit /S 'C:\fonts.reg' >>"$log" 2>&1 9>&-; then
    cat "$log" >&2
    die "regedit failed"
  fi
  WINEPREFIX=$scratch timeout 120 wineserver -w
  rm -f "$scratch/drive_c/fonts.reg"
  if ! mv -T "$scratch" "$WINEPREFIX" 2>/dev/null; then
    # Another run made it first; use that one.
    rm -rf "$scratch"
    [ -f "$WINEPREFIX/system.reg" ] || die "cannot move the new prefix to $WINEPREFIX"
  fi
  scratch=
}

# Runs that share a prefix take turns: the end of one run ends every process of the prefix. The
# lock is this script's alone (9>&- keeps it from Wine's long-lived processes).
mkdir -p "$(dirname "$WINEPREFIX")" || die "cannot create $(dirname "$WINEPREFIX")"
exec 9>>"$WINEPREFIX.lock" || die "cannot write $WINEPREFIX.lock"
if ! flock -n 9; then
  echo "wine.sh: waiting for another run in $WINEPREFIX" >&2
  flock 9
fi

if [ -z "${DISPLAY:-}" ] || [ "${TRELVOSET_XVFB:-0}" = 1 ]; then
  start_xvfb
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  if [ -e "$WINEPREFIX" ] && [ -n "$(ls -A "$WINEPREFIX" 2>/dev/null)" ]; then
    die "$WINEPREFIX exists but is not a Wine prefix"
  fi
  rmdir "$WINEPREFIX" 2>/dev/null
  make_prefix
fi

# Without a window manager, Wine waits up to two seconds for one to confirm that a window it hid
# is withdrawn. On a private Xvfb there is none, so Wine is told to handle its windows itself
# ("Managed"="N", its own frames and placement); on any other display the window manager's.
x11_unmanaged() {
  awk '/^\[Software\\\\Wine\\\\X11 Driver\]/ { s = 1; next } /^\[/ { s = 0 }
       s && /^"Managed"="N"$/ { f = 1 } END { exit !f }' "$WINEPREFIX/user.reg"
}
if [ -n "$xvfb_pid" ]; then
  x11_unmanaged || WINEDEBUG=-all wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 9>&-
else
  ! x11_unmanaged || WINEDEBUG=-all wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 9>&-
fi

trace=${TRELVOSET_TRACE:-}
if [ -n "$trace" ]; then
  mkdir -p "$(dirname "$trace")" && : >"$trace" || die "cannot write $trace"
  wine "$program" "$@" <&0 2>>"$trace" 9>&- &
else
  wine "$program" "$@" <&0 9>&- &
fi
wine_pid=$!
wait "$wine_pid"
rc=$?
wine_pid=

if [ -n "$trace" ]; then
  # Trace lines of a started program carry its process id (+pid): pid:tid:class:channel:...
  grep -Ev '^([0-9.]+:)?[0-9a-f]{4,8}:[0-9a-f]{4,8}:(trace|warn):' "$trace" >&2
fi
exit "$rc"
