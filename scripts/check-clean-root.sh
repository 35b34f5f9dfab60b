#!/usr/bin/env bash
# Proves the Debian packages on a clean machine: debootstraps a minimal Debian 12 root under
# build/, installs build/packages/*.deb there with apt-get (which brings their dependencies from
# Debian) and uses them as a new user would: the command, its manual page and completion, the
# Python module (with the python3 and NumPy its package brings), a CMake and a pkg-config consumer
# built with only g++, cmake and pkg-config besides (no Qt development files), and the window
# under a virtual X server until it is mapped. The root and its mounts are removed whatever
# happens. Needs root (debootstrap, chroot, mount).
#   scripts/check-clean-root.sh          (scripts/package.sh first, when build/packages/ is empty)
set -euo pipefail
cd "$(dirname "$0")/.."
started=$(date +%s)

if [ "$(id -u)" -ne 0 ]; then
  echo "check-clean-root.sh: needs root (debootstrap, chroot and mount); run it as root or with sudo" >&2
  exit 1
fi
scripts/setup.sh package
compgen -G 'build/packages/*.deb' >/dev/null || scripts/package.sh

root=$PWD/build/clean-root
log=$PWD/build/clean-root.log
: >"$log"

# The Debian mirror this machine's apt uses.
mirror=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null |
         grep -v security | head -n 1 || true)
[ -n "$mirror" ] || mirror=$(awk '$1 == "deb" && $0 !~ /security/ { print $2; exit }' /etc/apt/sources.list 2>/dev/null || true)
mirror=${mirror:-http://deb.debian.org/debian}

mounts=(proc sys dev/shm)
cleanup() {
  local m
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    m=$root/${mounts[i]}
    mountpoint -q "$m" 2>/dev/null && { umount "$m" || umount -l "$m"; }
  done
  # Never delete through a mount that is still there.
  if grep -q " $root/" /proc/mounts; then
    echo "check-clean-root.sh: $root still has mounts; not removed" >&2
  else
    rm -rf "$root"
  fi
}
trap cleanup EXIT
cleanup

echo "== debootstrap --variant=minbase bookworm from $mirror"
debootstrap --variant=minbase bookworm "$root" "$mirror" >>"$log" 2>&1 ||
  { tail -n 20 "$log"; echo "debootstrap failed; its output is in $log" >&2; exit 1; }
mount -t proc proc "$root/proc"
mount -t sysfs sys "$root/sys"
mount -t tmpfs shm "$root/dev/shm"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# This machine's own apt settings (a proxy, a mirror's quirks): those files no package owns.
for conf in /etc/apt/apt.conf.d/*; do
  dpkg -S "$conf" >/dev/null 2>&1 || cp "$conf" "$root/etc/apt/apt.conf.d/"
done
mkdir -p "$root/tmp/debs" "$root/tmp/consumer"
cp build/packages/*.deb "$root/tmp/debs/"
cp tests/install/consumer/CMakeLists.txt tests/install/consumer/main.cpp "$root/tmp/consumer/"
version=$(dpkg-deb -f build/packages/velunta_*.deb Version)

echo "== inside the clean root"
chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 HOME=/root \
  VERSION="$version" /bin/bash -s <<'INSIDE' 2>&1 | tee -a "$log"
set -euo pipefail
apt() { DEBIAN_FRONTEND=noninteractive apt-get -qq -o=Dpkg::Use-Pty=0 "$@" >>/tmp/apt.log 2>&1 || { tail -n 20 /tmp/apt.log; exit 1; }; }
apt update
# Every package but the window's development files, which would bring Qt's: the consumers below
# must build without them. That one is only checked for installability.
debs=$(ls /tmp/debs/*.deb | grep -v window-dev)
apt install -y --no-install-recommends $debs
apt install -y --simulate /tmp/debs/libvelunta-window-dev_*.deb
# What the checks themselves use: the manual reader, compilers, and X tools for the window.
apt install -y --no-install-recommends man-db bash-completion g++ cmake pkg-config make \
  xvfb xauth x11-utils
echo "installed: $(dpkg-query -W -f='${Package} ' 'libvelunta*' velunta velunta-data velunta-window python3-velunta)"

out=$(velunta check 2026/05/06)
[[ "$out" == *振替休日* ]] || { echo "FAILED: velunta check 2026/05/06 said: $out"; exit 1; }
echo "ok: velunta check 2026/05/06 -> $out (status 0)"

# velunta-data: the installed law answers through --law, and the named calendars are found.
out=$(velunta --law /usr/share/velunta/law.toml -V)
[[ "$out" == *"law: /usr/share/velunta/law.toml, version "* ]] || { echo "FAILED: velunta --law ... -V said: $out"; exit 1; }
status=0; velunta business is 2026/12/31 --calendar banks >/dev/null || status=$?
[ "$status" -eq 1 ] || { echo "FAILED: 2026/12/31 is a business day of the installed banks calendar"; exit 1; }
echo "ok: velunta-data's law.toml answers with --law, --calendar banks closes 2026/12/31"

# python3-velunta: the root had no Python; apt brought python3 and NumPy for its dependencies.
for dep in python3 python3-numpy; do
  apt-mark showauto "$dep" | grep -qx "$dep" || { echo "FAILED: $dep was not brought by apt as a dependency"; exit 1; }
done
out=$(python3 -c "import velunta; print(velunta.holiday('2026-05-06'))")
[[ "$out" == *振替休日* ]] || { echo "FAILED: velunta.holiday('2026-05-06') said: $out"; exit 1; }
echo "ok: python3 -c \"import velunta; print(velunta.holiday('2026-05-06'))\" -> $out"
out=$(python3 -c "import numpy, velunta
days = numpy.arange('2026-05-01', '2026-05-08', dtype='datetime64[D]')
print(''.join('1' if b else '0' for b in velunta.is_holiday(days)))")
[ "$out" = 0011110 ] || { echo "FAILED: velunta.is_holiday over 2026-05-01..07 said: $out, not 0011110"; exit 1; }
echo "ok: velunta.is_holiday over a NumPy array of 2026-05-01..07 -> $out"

man -P cat velunta 2>/dev/null | grep -q 'velunta check' || { echo "FAILED: man velunta"; exit 1; }
echo "ok: man velunta"

completion=/usr/share/bash-completion/completions/velunta
if [ -f "$completion" ]; then
  words=$(bash -c 'source /usr/share/bash-completion/bash_completion; source '"$completion"'
    COMP_WORDS=(velunta ch); COMP_CWORD=1; COMP_LINE="velunta ch"; COMP_POINT=10
    $(complete -p velunta | sed -E "s/.*-F ([^ ]+).*/\1/") velunta ch velunta; echo "${COMPREPLY[*]}"')
  [[ " $words " == *" check "* ]] || { echo "FAILED: bash completion of 'velunta ch' gave: $words"; exit 1; }
  echo "ok: bash completion of 'velunta ch' -> $words"
else
  echo "skipped: no bash completion installed"
fi

if dpkg-query -W qt6-base-dev >/dev/null 2>&1; then echo "FAILED: Qt development files are installed"; exit 1; fi
for component in calendar holidays; do
  cmake -S /tmp/consumer -B /tmp/build-$component -DCOMPONENT=$component -DVERSION="$VERSION" >/tmp/cmake.log 2>&1 &&
    cmake --build /tmp/build-$component >>/tmp/cmake.log 2>&1 && /tmp/build-$component/consumer >/dev/null ||
    { cat /tmp/cmake.log; echo "FAILED: find_package(velunta COMPONENTS $component)"; exit 1; }
  echo "ok: find_package(velunta $VERSION COMPONENTS $component) without Qt: built and ran"
done
g++ -o /tmp/pkgconfig-consumer /tmp/consumer/main.cpp -DUSE_HOLIDAYS -DUSE_CALENDAR \
  -DEXPECTED_VERSION="\"$VERSION\"" $(pkg-config --cflags --libs velunta-calendar velunta-holidays)
/tmp/pkgconfig-consumer >/dev/null
echo "ok: g++ app.cpp \$(pkg-config --cflags --libs velunta-calendar velunta-holidays): built and ran"

# The window counts as shown once X reports one of its top-level windows viewable.
xvfb-run -a bash -c '
  velunta-window & pid=$!
  for _ in $(seq 100); do
    for id in $(xwininfo -root -children 2>/dev/null | awk "/\"velunta-window\"/ { print \$1 }"); do
      if xwininfo -id "$id" | grep -q "Map State: IsViewable"; then
        echo "ok: velunta-window mapped: $(xwininfo -id "$id" | grep -E "Width|Height" | tr -s " " | tr "\n" " ")"
        kill $pid; exit 0
      fi
    done
    sleep 0.1
  done
  kill $pid; echo "FAILED: velunta-window was not mapped within 10 s"; exit 1'
INSIDE
echo "clean-root check passed in $(($(date +%s) - started)) s (log: $log)"
