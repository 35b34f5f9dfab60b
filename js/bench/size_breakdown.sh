#!/bin/sh
# What takes the package's bytes: links the module once more from the objects of an existing
# Emscripten build, with the same flags plus --profiling-funcs (function names kept) and the
# binary in its own file, then sums its code by function group.
#   size_breakdown.sh WASM_BUILD_DIR OUTPUT_DIR [TOP]
# WASM_BUILD_DIR is the inner Emscripten build (<build>/js/wasm); it is only read.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
wasm_build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
link=$(ninja -C "$wasm_build" -t commands js/velunta_wasm.js | tail -n 1)
case $link in
  *" -o js/velunta_wasm.js "*) ;;
  *) echo "size_breakdown.sh: no link command for js/velunta_wasm.js in $wasm_build" >&2; exit 1 ;;
esac
named=$(printf '%s\n' "$link" |
  sed -e "s| -o js/velunta_wasm.js | --profiling-funcs -o $out/velunta_named.js |" \
    -e "s/-sSINGLE_FILE=1/-sSINGLE_FILE=0/")
(cd "$wasm_build" && NODE_PATH=/usr/share/nodejs sh -c "$named")
node "$here/wasm_functions.mjs" "$out/velunta_named.wasm" "${3:-15}"
