#!/usr/bin/env bash
# Prepares, once, the Wine that runs the 32-bit product here: Wine 10 from Debian 13 in its
# WoW64 mode (32-bit Windows code inside the 64-bit loader, so no 32-bit Linux code is
# needed), in a private Debian 13 root outside the work tree. A second run over a ready root
# returns at once. Needs root (debootstrap, chroot).
#
#   prepare-root.sh            the WoW64 Wine
#   prepare-root.sh emulated   also the 32-bit Wine of the old kind and qemu-i386, for a
#                              machine whose CPU runs no 32-bit code (scripts/wow64/emulated-session)
#   SETUP_WOW64_ROOT           where the root lives (default /var/cache/setup-wow64/trixie)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/settings.sh"
root=$SETUP_WOW64_ROOT
ready=$(wow64_ready_mark)

in_root() { # runs a script in the root as root, with /proc and /dev
  # shellcheck disable=SC2016
  unshare -m bash -c '
    set -euo pipefail
    mount -t proc proc "$1/proc"
    mount --rbind /dev "$1/dev"
    chroot "$1" /bin/bash -c "$2"
  ' _ "$root" "$1"
}

if [ -f "$ready" ] && [ "${1:-}" = emulated ] && [ ! -f "$(emulated_ready_mark)" ]; then
  [ "$(id -u)" -eq 0 ] || { echo "preparing the emulated 32-bit Wine needs root" >&2; exit 1; }
  echo "Adding the 32-bit Wine and qemu-i386 to $root (once, about a minute)"
  # Debian 13's QEMU: the one of Debian 12 hangs under this Wine.
  in_root "
    set -euo pipefail
    export DEBIAN_FRONTEND=noninteractive LC_ALL=C
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends wine32:i386 qemu-user >/dev/null
    apt-get clean
"
  touch "$(emulated_ready_mark)"
  exit 0
fi
[ -f "$ready" ] && exit 0
[ "$(id -u)" -eq 0 ] || { echo "preparing the WoW64 Wine root needs root" >&2; exit 1; }

if ! command -v debootstrap >/dev/null; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi

# The Debian mirror this machine already uses (never a host written into the project).
mirror() {
  local uri
  uri=$(awk '/^URIs:/ { u = $2 } /^Suites:/ && / bookworm( |$)/ { print u; exit }' \
    /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
  [ -n "$uri" ] || uri=$(awk '$1 == "deb" && $3 == "bookworm" { print $2; exit }' \
    /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null || true)
  echo "$uri"
}
url=$(mirror)
[ -n "$url" ] || { echo "no Debian mirror found in the apt sources" >&2; exit 1; }

echo "Preparing the WoW64 Wine root in $root (once, about a minute)"
mkdir -p "$(dirname "$root")"
if [ ! -x "$root/usr/bin/apt-get" ]; then
  rm -rf "$root"
  debootstrap --variant=minbase trixie "$root" "$url" >"$root.log" 2>&1 ||
    { tail -20 "$root.log" >&2; exit 1; }
fi
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true

in_root "
  set -euo pipefail
  export DEBIAN_FRONTEND=noninteractive LC_ALL=C
  dpkg --add-architecture i386
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends wine64 libwine fonts-wine locales fonts-wqy-zenhei >/dev/null
  sed -i \"s/^# *\\(zh_CN.UTF-8 UTF-8\\)/\\1/; s/^# *\\(en_US.UTF-8 UTF-8\\)/\\1/\" /etc/locale.gen
  locale-gen >/dev/null
  # Debian ships the amd64 Wine with an empty i386-windows folder; the 32-bit Windows DLLs
  # come from libwine:i386 of exactly the same version.
  version=\$(dpkg-query -W -f=\"\\\${Version}\" libwine)
  work=\$(mktemp -d)
  cd \"\$work\"
  apt-get download -qq -o APT::Sandbox::User=root libwine:i386=\"\$version\"
  dpkg-deb -x libwine_*_i386.deb unpacked
  cp -a unpacked/usr/lib/i386-linux-gnu/wine/i386-windows/. /usr/lib/x86_64-linux-gnu/wine/i386-windows/
  cd /
  rm -rf \"\$work\"
  apt-get clean
"

touch "$ready"
echo "WoW64 Wine root ready: $("$here/wine" --version 2>/dev/null || echo '?')"
[ "${1:-}" != emulated ] || exec "$0" emulated
