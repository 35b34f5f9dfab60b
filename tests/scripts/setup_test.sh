#!/usr/bin/env bash
# setup_test.sh SETUP_SCRIPT WORK_DIR
# Runs scripts/setup.sh among stand-ins for dpkg-query, id, sudo and apt-get, in each case a user
# meets: root, a user with and without a usable sudo, sudo not installed, nothing missing, a
# failing apt-get, an unknown set. Checks the exit status, what was installed and how, and what
# the user is told.
set -uo pipefail
setup=$1 work=$2
rm -rf "$work"
mkdir -p "$work/bin"
for tool in bash env sort grep mktemp tail rm cat dirname; do
  ln -s "$(command -v "$tool")" "$work/bin/$tool"
done
# dpkg-query -W -f=... NAME: installed when NAME is in $INSTALLED.
cat >"$work/bin/dpkg-query" <<'STUB'
#!/bin/bash
[[ " $INSTALLED " == *" ${!#} "* ]] && printf 'install ok installed'
STUB
# id -u / id -nG from $FAKE_UID and $FAKE_GROUPS.
cat >"$work/bin/id" <<'STUB'
#!/bin/bash
[ "$1" = -u ] && echo "$FAKE_UID" || echo "$FAKE_GROUPS"
STUB
# sudo: -n true succeeds only for $FAKE_SUDO = nopasswd; otherwise runs the command, noting it.
cat >"$work/bin/sudo.stub" <<'STUB'
#!/bin/bash
[ "$1" = -n ] && { [ "$FAKE_SUDO" = nopasswd ]; exit; }
echo "sudo $1" >>"$CALLS"
exec "$@"
STUB
# apt-get: notes its arguments and the DEBIAN_FRONTEND it sees; an install fails when $APT_FAILS
# is set.
cat >"$work/bin/apt-get" <<'STUB'
#!/bin/bash
echo "apt-get DEBIAN_FRONTEND=${DEBIAN_FRONTEND:-} $*" >>"$CALLS"
echo "Setting up something ... (dpkg chatter)"
[ -z "${APT_FAILS:-}" ] || [ "$1" != install ] || { echo "E: Unable to locate package $APT_FAILS"; exit 100; }
STUB
chmod +x "$work/bin/"*

failures=0
# case NAME EXPECTED_STATUS EXPECTED_CALLS_PATTERN EXPECTED_OUTPUT_PATTERN VAR=VALUE... -- SETS...
check() {
  local name=$1 status=$2 calls_pattern=$3 output_pattern=$4
  shift 4
  local vars=() sets=()
  while [ "$1" != -- ]; do vars+=("$1"); shift; done
  shift
  sets=("$@")
  rm -f "$work/bin/sudo" "$work/calls"
  [[ " ${vars[*]} " == *" FAKE_SUDO=absent "* ]] || cp "$work/bin/sudo.stub" "$work/bin/sudo"
  local output actual
  output=$(env -i PATH="$work/bin" TMPDIR="$work" CALLS="$work/calls" FAKE_UID=1000 \
    FAKE_GROUPS=user INSTALLED= "${vars[@]}" "$work/bin/bash" "$setup" "${sets[@]}" 2>&1 </dev/null)
  actual=$?
  local calls
  calls=$(cat "$work/calls" 2>/dev/null | tr '\n' '|')
  if [ "$actual" != "$status" ] || ! [[ "$calls" =~ ^$calls_pattern$ ]] ||
     ! [[ "$output" =~ $output_pattern ]]; then
    echo "FAILED: $name: status $actual (want $status), calls '$calls', output:"
    echo "$output" | sed 's/^/    /'
    failures=$((failures + 1))
  else
    echo "ok: $name"
  fi
}

update='apt-get DEBIAN_FRONTEND=noninteractive update -qq'
install='apt-get DEBIAN_FRONTEND=noninteractive install -y -qq -o=Dpkg::Use-Pty=0 --no-install-recommends xauth xvfb'
check "root installs quietly with apt-get" 0 "$update\|$install\|" \
  '^Installing 2 Debian packages: xauth xvfb$' FAKE_UID=0 -- headless
check "a user with sudo installs through sudo env" 0 "sudo env\|$update\|sudo env\|$install\|" \
  '^Installing 2 Debian packages: xauth xvfb$' FAKE_SUDO=nopasswd -- headless
check "a user without sudo rights is told what to run" 1 "" \
  "xauth xvfb.*su -c 'apt-get update && apt-get install -y --no-install-recommends xauth xvfb'" \
  FAKE_SUDO=refuses -- headless
check "a user without sudo installed is told what to run" 1 "" "sudo is not installed.*su -c" \
  FAKE_SUDO=absent -- headless
check "nothing missing: nothing done" 0 "" '^$' "INSTALLED=xvfb xauth" FAKE_UID=0 -- headless
check "the default sets take every purpose but packaging" 0 "$update\|apt-get.* g\+\+ .*libgtest-dev.*qt6-base-dev xauth xvfb[^|]*\|" \
  'Installing' FAKE_UID=0 --
check "a failing apt-get: its output is kept and shown" 1 "$update\|$install\|" \
  'installing failed; apt-get.s output is in .*velunta-setup.*E: Unable to locate package xvfb' \
  FAKE_UID=0 APT_FAILS=xvfb -- headless
check "an unknown set is refused" 2 "" "unknown set 'desktop'; the sets are" FAKE_UID=0 -- desktop

echo "$((8 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
