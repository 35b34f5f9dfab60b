#!/bin/sh
# Installs the npm packages a folder's package-lock.json pins into TOOLS_DIR/node_modules, once
# per lock file: the lock is copied as a stamp only after a complete install, so a broken one is
# retried. Test tools and benchmark peers only; the build itself never reaches npm. Exits 77
# (ctest: skipped) only when the packages cannot be had because npm or its registry is unreachable.
#   install-pinned-npm.sh PINNED_DIR TOOLS_DIR
set -eu
pinned=$(cd "$1" && pwd)
mkdir -p "$2"
tools=$(cd "$2" && pwd)
if [ -d "$tools/node_modules" ] && cmp -s "$pinned/package-lock.json" "$tools/installed.lock"; then
  exit 0
fi
if ! command -v npm >/dev/null; then
  echo "install-pinned-npm.sh: npm is not installed (it comes with Node.js); skipped" >&2
  exit 77
fi
if ! timeout 20 npm ping >/dev/null 2>&1; then
  echo "install-pinned-npm.sh: the npm registry cannot be reached; skipped" >&2
  exit 77
fi
cp "$pinned/package.json" "$pinned/package-lock.json" "$tools/"
(cd "$tools" && timeout 300 npm ci --ignore-scripts --no-audit --no-fund >&2)
cp "$pinned/package-lock.json" "$tools/installed.lock"
