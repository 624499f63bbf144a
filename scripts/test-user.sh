#!/usr/bin/env bash
# Sourced by test.sh: the Windows tests run as an unprivileged user, so that Wine honours
# file attributes and permissions (a read-only file stays read-only) as on a user's machine.
# As root, this creates the user when missing (also inside the WoW64 Wine's root) and lets
# it reach the work tree; exports SETUP_WINE_USER for the Wine scripts.
#
#   SETUP_TEST_USER   the user's name (default setuptest)

test_user_prepare() { # work tree
  [ "$(id -u)" -eq 0 ] || return 0 # not root: the tests run as the caller
  local user=${SETUP_TEST_USER:-setuptest} top=$1
  if ! id -u "$user" >/dev/null 2>&1; then
    useradd --system --create-home --home-dir "/var/lib/$user" --shell /usr/sbin/nologin "$user"
  fi
  local root=$SETUP_WOW64_ROOT
  if [ -d "$root/etc" ]; then
    grep -q "^$user:" "$root/etc/passwd" || getent passwd "$user" >>"$root/etc/passwd"
    grep -q "^$(id -gn "$user"):" "$root/etc/group" || getent group "$(id -g "$user")" >>"$root/etc/group"
    local home
    home=$(getent passwd "$user" | cut -d: -f6)
    mkdir -p "$root$home"
    chown "$(id -u "$user"):$(id -g "$user")" "$root$home"
  fi
  # Every folder above the work tree must let the user pass.
  local dir=$top
  while [ "$dir" != / ]; do
    runuser -u "$user" -- test -x "$dir" 2>/dev/null || chmod o+x "$dir"
    dir=$(dirname "$dir")
  done
  export SETUP_WINE_USER=$user
}

# A folder that the test user owns (a Wine prefix must belong to the user running Wine).
test_user_own() { # folder
  mkdir -p "$1"
  [ -n "${SETUP_WINE_USER:-}" ] && chown -R "$SETUP_WINE_USER:" "$1"
  return 0
}
