#!/usr/bin/env bash
# Installs the Debian 12 packages one purpose needs; skips what is there.
#   scripts/setup.sh [SET...]      default: lib window test
# Sets:
#   lib       build the libraries and the velunta command (compiler, CMake, their own few packages)
#   window    build and show the Qt window
#   headless  show the window without a display (a virtual X server)
#   test      build and run the tests and benchmarks
#   package   build and check the Debian packages, and try them on a clean Debian root
#   fuzz      clang and its libFuzzer runtime, for scripts/fuzz.sh
#   load      wrk and nginx, for the server's load benchmark (server/bench/load.sh)
#   python    build and test the Python package (pybind11, NumPy, pytest, mypy)
#   js        build and test the JavaScript package (Emscripten, Node.js)
# As root it installs with apt-get, as a user through sudo. A user who cannot use sudo is told
# which packages are missing and the one command that installs them, and nothing is done.
set -euo pipefail

declare -A sets=(
  # toml++: calendar files; Boost.Beast and zlib (gzip answers): velunta serve.
  [lib]="g++ cmake ninja-build pkg-config libcli11-dev nlohmann-json3-dev libtomlplusplus-dev libboost-dev zlib1g-dev"
  [window]="qt6-base-dev fonts-ipafont-gothic"
  [headless]="xvfb xauth"
  # ERFA checks the committed equinox table; QuantLib is the benchmarks' speed peer; Chromium
  # looks at the server's page. The command's tests run faketime (the cron idiom on a chosen
  # day), man (the manual page, in the ja_JP.UTF-8 locale too, made below) and zsh (completion).
  [test]="libgtest-dev libgmock-dev libbenchmark-dev libical-dev liberfa-dev libquantlib0-dev xvfb xauth clang-format chromium faketime man-db groff-base locales zsh"
  [package]="dpkg-dev file lintian desktop-file-utils appstream debootstrap"
  [fuzz]="clang libclang-rt-14-dev"
  # server/bench/load.sh: wrk against velunta serve and nginx.
  [load]="wrk nginx"
  # The Python package: pybind11 over Debian's CPython 3.11, NumPy for the vector forms, pytest
  # and mypy for its tests, venv and pip for the wheel's own test in a fresh environment;
  # python-holidays is the speed benchmark's peer; pandas runs the README's example.
  [python]="pybind11-dev python3-pybind11 python3-dev python3-numpy python3-pytest mypy python3-venv python3-pip python3-setuptools python3-wheel python3-holidays python3-pandas"
  # The JavaScript package: Debian's Emscripten (its emcc needs node-acorn) and Node.js 20 from
  # the machine's apt sources, whose package brings npm (Debian's own npm package conflicts with
  # it); npm packs the package, and the tests fetch TypeScript with it.
  [js]="emscripten node-acorn nodejs"
)

wanted=()
for set in "${@:-lib window test}"; do
  for name in $set; do
    if [ -z "${sets[$name]+x}" ]; then
      echo "setup.sh: unknown set '$name'; the sets are: ${!sets[*]}" >&2
      exit 2
    fi
    wanted+=(${sets[$name]})
  done
done

missing=()
for p in $(printf '%s\n' "${wanted[@]}" | sort -u); do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
# The manual page's test renders it in Japanese too: the ja_JP.UTF-8 locale, made from the
# definitions the locales package brings.
locale_missing=false
if [[ " ${wanted[*]} " == *" locales "* ]] && command -v localedef >/dev/null &&
   ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  locale_missing=true
fi
[ ${#missing[@]} -eq 0 ] && ! $locale_missing && exit 0

# Root installs directly; a user through sudo, when sudo lets them (without a password, or with
# one typed at a terminal as a member of the sudo group).
as_root=(env)
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null &&
     { sudo -n true 2>/dev/null || { [ -t 0 ] && id -nG | grep -qwE 'sudo|admin|wheel'; }; }; then
    as_root=(sudo env)
  else
    cat >&2 <<MESSAGE
Velunta needs these Debian packages, which are not installed:
  ${missing[*]}
You cannot install them yourself (this needs root, and sudo is $(command -v sudo >/dev/null && echo "not open to you" || echo "not installed")).
Install them as root with this one command, then run this script again:
  su -c 'apt-get update && apt-get install -y --no-install-recommends ${missing[*]}'
MESSAGE
    exit 1
  fi
fi

[ ${#missing[@]} -eq 0 ] && exec "${as_root[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
log=$(mktemp "${TMPDIR:-/tmp}/velunta-setup.XXXXXX.log")
echo "Installing ${#missing[@]} Debian packages: ${missing[*]}"
if ! { "${as_root[@]}" DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
       "${as_root[@]}" DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o=Dpkg::Use-Pty=0 \
         --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
  echo "setup.sh: installing failed; apt-get's output is in $log" >&2
  tail -n 5 "$log" >&2
  exit 1
fi
rm -f "$log"
if $locale_missing; then
  "${as_root[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
