#!/usr/bin/env bash
# Installs every Debian package that building, running and testing trelvoset needs.
# Idempotent: when everything is there it only checks and returns within a second.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ googletest            # native build and unit tests
  mingw-w64 g++-mingw-w64-i686-posix binutils-mingw-w64-i686   # Windows cross build
  wine wine32 wine64                          # the Windows stand-in (32-bit prefix)
  xvfb xauth x11-utils xdotool imagemagick    # virtual display, input, screenshots
  locales fonts-wqy-microhei                  # code page 936 and a CJK font
)

sudo_() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  sudo_ dpkg --add-architecture i386
  need_update=1
fi
for p in "${PACKAGES[@]}"; do
  q=$p; [ "$p" = wine32 ] && q=wine32:i386
  dpkg-query -W -f='${Status}' "$q" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
  echo "setup: installing ${missing[*]:-(package lists only)}" >&2
  sudo_ apt-get update -qq
  [ ${#missing[@]} -gt 0 ] && DEBIAN_FRONTEND=noninteractive sudo_ apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine takes its ANSI code page from the locale: zh_CN.UTF-8 gives 936, en_US.UTF-8 gives 1252.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8' || ! locale -a 2>/dev/null | grep -qix 'en_US.utf8'; then
  echo "setup: generating zh_CN.UTF-8 and en_US.UTF-8 locales" >&2
  sudo_ sed -i -E 's/^# *(zh_CN.UTF-8 UTF-8|en_US.UTF-8 UTF-8)/\1/' /etc/locale.gen
  sudo_ locale-gen >/dev/null
fi
