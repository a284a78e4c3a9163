#!/usr/bin/env bash
# Installs every Debian package that building, running and testing trelvoset needs.
# Idempotent: when everything is there it only checks and returns within a second.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ googletest            # native build and unit tests
  mingw-w64 g++-mingw-w64-i686-posix binutils-mingw-w64-i686   # Windows cross build
  wine wine32 wine32-preloader wine64         # the Windows stand-in (32-bit prefix)
  xvfb xauth x11-utils xdotool imagemagick    # virtual display, input, screenshots
  locales fonts-wqy-microhei                  # code page 936 and a CJK font
  fonts-wine                                  # Wine's Marlett: the title-bar buttons
)

sudo_() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  sudo_ dpkg --add-architecture i386
  need_update=1
fi
for p in "${PACKAGES[@]}"; do
  q=$p; case $p in wine32|wine32-preloader) q=$p:i386 ;; esac
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

# Wine's 32-bit loader is an i386 ELF program. Some kernels are built or booted without IA-32
# emulation (dmesg: "32-bit emulation disabled"); there every 32-bit process fails with
# "Exec format error", and Wine's WoW64 mode cannot help either, since such a kernel has no 32-bit
# code segment at all. Let the kernel hand 32-bit programs to qemu's user-mode emulator instead.
# It must be qemu 8 or later: older ones leave the trap number out of the signal context, so Wine
# cannot tell a page fault (a stack guard page) from other faults and the programs crash. Debian 12
# ships 7.2, so the statically linked qemu-i386 of Debian 13 is taken from its package. With
# wine-preloader in place a 32-bit Windows program then starts in about half a second.
QEMU=/var/cache/trelvoset/qemu-i386
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  if [ ! -x "$QEMU" ]; then
    echo "setup: fetching a static qemu-i386 (Debian 13's qemu-user)" >&2
    tmp=$(mktemp -d)
    mkdir -p "$tmp/lists/partial"
    echo 'deb http://deb.debian.org/debian trixie main' > "$tmp/sources.list"
    apt_opts=(-o Dir::Etc::sourcelist="$tmp/sources.list" -o Dir::Etc::sourceparts=- -o Dir::State::Lists="$tmp/lists")
    apt-get "${apt_opts[@]}" update -qq
    (cd "$tmp" && apt-get "${apt_opts[@]}" download qemu-user:amd64 2>/dev/null)
    dpkg-deb -x "$tmp"/qemu-user_*.deb "$tmp/root"
    sudo_ install -D -m 755 "$tmp/root/usr/bin/qemu-i386" "$QEMU"
    rm -rf "$tmp"
  fi
  if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
    sudo_ mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  fi
  if [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && ! grep -q "interpreter $QEMU\$" /proc/sys/fs/binfmt_misc/qemu-i386; then
    echo -1 | sudo_ tee /proc/sys/fs/binfmt_misc/qemu-i386 >/dev/null
  fi
  if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    echo "setup: registering qemu-i386 for 32-bit programs (this kernel runs none itself)" >&2
    printf '%s' ":qemu-i386:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:$QEMU:F" \
      | sudo_ tee /proc/sys/fs/binfmt_misc/register >/dev/null
  fi
  /usr/lib/wine/wine --version >/dev/null 2>&1 || { echo "setup: 32-bit Wine cannot run on this machine" >&2; exit 1; }
fi
