#!/usr/bin/env bash
# Builds the wheel from the checkout, installs it into a fresh virtual environment (NumPy, pytest
# and mypy from Debian's site packages: no index is reached) and runs the Python tests there, from
# a folder outside the checkout, so that only the installed copy can be imported.
#   check_wheel.sh CHECKOUT BUILD_DIR [VELUNTA_COMMAND]
set -euo pipefail
checkout="$1"
build="$2"
python=/usr/bin/python3
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
start=$SECONDS

rm -rf "$build/dist"
VELUNTA_WHEEL_BUILD_DIR="$build" "$python" -m pip wheel --no-build-isolation --no-deps \
  --no-index -w "$build/dist" "$checkout/python"
"$python" -m venv --system-site-packages "$work/venv"
"$work/venv/bin/python" -m pip install --no-index "$build"/dist/velunta-*.whl

cp -r "$checkout/python/tests" "$work/tests"
cd "$work"
unset PYTHONPATH
"$work/venv/bin/python" -c '
import sys, velunta
assert velunta.__file__.startswith(sys.argv[1]), velunta.__file__
print("imported", velunta.__file__)' "$work/venv/"
VELUNTA_CALENDARS="$checkout/calendar/data/calendars" \
  VELUNTA_LAW_FILE="$checkout/calendar/data/law.toml" VELUNTA_COMMAND="${3:-}" \
  "$work/venv/bin/python" -m pytest -q -p no:cacheprovider "$work/tests"
echo "wheel built, installed and tested in $((SECONDS - start)) s"
