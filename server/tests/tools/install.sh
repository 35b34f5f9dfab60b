#!/bin/sh
# Installs the pinned test tools (package-lock.json) into DIR/node_modules, once per lock file.
# Exits 77, which ctest reads as "skipped", only when the npm registry cannot be reached.
#   install.sh DIR
set -eu
here=$(cd "$(dirname "$0")" && pwd)
dir=$1
mkdir -p "$dir"
if [ -d "$dir/node_modules" ] && cmp -s "$here/package-lock.json" "$dir/package-lock.json"; then
  exit 0
fi
if ! command -v npm >/dev/null; then
  echo "install.sh: npm is not installed (apt-get install npm)" >&2
  exit 77
fi
if ! timeout 20 npm ping >/dev/null 2>&1; then
  echo "install.sh: the npm registry cannot be reached; the browser tests are skipped" >&2
  exit 77
fi
cp "$here/package.json" "$here/package-lock.json" "$dir/"
cd "$dir"
timeout 300 npm ci --ignore-scripts --no-audit --no-fund
