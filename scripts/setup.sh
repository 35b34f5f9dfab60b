#!/usr/bin/env bash
# Installs the Debian 12 packages the project builds, tests and runs with; skips what is there.
#   scripts/setup.sh        the packages of every build
#   scripts/setup.sh fuzz   and clang with libFuzzer for the fuzz preset
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev fonts-ipafont-gothic xvfb xauth
  liberfa-dev
  libical-dev nlohmann-json3-dev libcli11-dev
  libboost-dev
  # The server's browser test, and its load benchmark (server/bench/load.sh) against nginx.
  chromium wrk nginx
)
# scripts/setup.sh fuzz: also clang and its libFuzzer runtime, for scripts/fuzz.sh.
if [ "${1:-}" = fuzz ]; then packages+=(clang libclang-rt-14-dev); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
