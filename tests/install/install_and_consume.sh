#!/usr/bin/env bash
# install_and_consume.sh SOURCE_DIR WORK_DIR GENERATOR VERSION WINDOW(ON|OFF) CXX_COMPILER
# Builds Velunta as shared libraries in WORK_DIR/build, installs it into WORK_DIR/prefix, moves
# that prefix elsewhere (an installed tree must work wherever it lands), and checks it as its
# users would: the SONAMEs, the exported symbols, the installed command run with no
# LD_LIBRARY_PATH, CMake consumers of each component with Qt out of reach, a pkg-config consumer,
# the window and the Python module.
set -euo pipefail
source_dir=$1 work=$2 generator=$3 version=$4 window=$5 compiler=$6
major=${version%%.*}

rm -rf "$work"
mkdir -p "$work"
log="$work/log"
step() { echo "== $*"; }
run() {
  if ! "$@" >>"$log" 2>&1; then
    tail -n 40 "$log"
    echo "FAILED: $*"
    exit 1
  fi
}

step "build shared libraries and install them"
run cmake -S "$source_dir" -B "$work/build" -G "$generator" -DCMAKE_BUILD_TYPE=Release \
  -DBUILD_SHARED_LIBS=ON -DVELUNTA_BUILD_TESTS=OFF -DVELUNTA_BUILD_BENCHMARKS=OFF \
  -DVELUNTA_BUILD_WINDOW="$window" -DVELUNTA_BUILD_CLI=ON -DVELUNTA_WARNINGS_AS_ERRORS=ON \
  -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_INSTALL_PREFIX="$work/prefix" -DVELUNTA_BUILD_JS=OFF
run cmake --build "$work/build" --parallel 2
run cmake --install "$work/build"
mv "$work/prefix" "$work/moved"
prefix="$work/moved"
libdir=$(dirname "$(find "$prefix" -name libvelunta_runtime.so)")

libraries=(runtime holidays calendar)
[ "$window" = ON ] && libraries+=(window)

step "SONAMEs: libvelunta_<lib>.so.$major, file libvelunta_<lib>.so.$version"
for lib in "${libraries[@]}"; do
  file="$libdir/libvelunta_$lib.so.$version"
  soname=$(readelf -d "$file" | sed -n 's/.*Library soname: \[\(.*\)\]/\1/p')
  [ "$soname" = "libvelunta_$lib.so.$major" ] || { echo "FAILED: $file has SONAME '$soname'"; exit 1; }
  [ "$(readlink "$libdir/libvelunta_$lib.so.$major")" = "libvelunta_$lib.so.$version" ] ||
    { echo "FAILED: no link libvelunta_$lib.so.$major"; exit 1; }
done

step "exports: only what the installed headers declare"
headers=$(cat "$prefix"/include/velunta/*.h "$prefix"/include/velunta/*/*.h)
# Q_OBJECT in a header declares Qt's meta-object functions.
grep -qw Q_OBJECT <<<"$headers" && headers+=" metaObject qt_metacall qt_metacast qt_static_metacall"
for lib in "${libraries[@]}"; do
  exported=$(nm -DC --defined-only "$libdir/libvelunta_$lib.so" | awk '$2 == "T" { $1 = $2 = ""; print substr($0, 3) }' |
             grep -E '^(velunta|Mdl_Velunta)::' || true)
  [ -n "$exported" ] || { echo "FAILED: libvelunta_$lib exports no function"; exit 1; }
  while IFS= read -r symbol; do
    # The function's own name: the last identifier before its parameter list.
    name=$(sed -E 's/\[abi:[a-z0-9]+\]//g; s/\(.*//; s/.*:://; s/^~//' <<<"${symbol#non-virtual thunk to }")
    grep -qw -- "$name" <<<"$headers" || { echo "FAILED: libvelunta_$lib exports $symbol, in no installed header"; exit 1; }
  done <<<"$exported"
done
# The module's procedures keep their exact signatures.
module=$(nm -DC --defined-only "$libdir/libvelunta_holidays.so")
string="std::__cxx11::basic_string<char, std::char_traits<char>, std::allocator<char> >"
for signature in \
  "GetHolidayInfo(short const&, short const&, short const&, short&, short&)" \
  "GetHolidayName(short const&, $string&, short&)" \
  "GetVernalEquinoxDay(short const&, short&)" \
  "GetAutumnalEquinoxDay(short const&, short&)" \
  "GetHolidayInfoByText($string const&, short&, short&)" \
  "GetYearHolidays(short const&, short const&, short&, std::vector<$string, std::allocator<$string > >&, std::vector<$string, std::allocator<$string > >&, std::vector<short, std::allocator<short> >&)"; do
  grep -qF " T Mdl_Velunta::$signature" <<<"$module" || { echo "FAILED: Mdl_Velunta::$signature is not exported"; exit 1; }
done

step "the installed command, with no LD_LIBRARY_PATH"
out=$(env -u LD_LIBRARY_PATH "$prefix/bin/velunta" check 2026/05/06)
[[ "$out" == *振替休日* ]] || { echo "FAILED: velunta check 2026/05/06 said '$out'"; exit 1; }
[ "$(env -u LD_LIBRARY_PATH "$prefix/bin/velunta" --version | head -n 1)" = "velunta $version" ] ||
  { echo "FAILED: velunta --version is not $version"; exit 1; }
[ -s "$prefix/share/man/man1/velunta.1.gz" ] || { echo "FAILED: no velunta(1)"; exit 1; }

step "CMake consumers, one component each, with Qt out of reach"
consumer() {  # consumer NAME ARGS...: configure, build and run the consumer project
  local dir="$work/consumer-$1"
  shift
  run cmake -S "$source_dir/tests/install/consumer" -B "$dir" -G "$generator" \
    -DCMAKE_PREFIX_PATH="$prefix" -DVERSION="$version" "$@"
  run cmake --build "$dir"
  run env -u LD_LIBRARY_PATH QT_QPA_PLATFORM=offscreen "$dir/consumer"
}
for component in runtime holidays calendar; do
  consumer "$component" -DCOMPONENT="$component" -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=TRUE
done
consumer all-without-qt -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=TRUE
if [ "$window" = ON ]; then
  consumer window -DCOMPONENT=window
  consumer all
  run env -u LD_LIBRARY_PATH QT_QPA_PLATFORM=offscreen "$work/consumer-all/window_consumer"
  # Asked for by name, the window needs Qt and says so.
  if cmake -S "$source_dir/tests/install/consumer" -B "$work/no-qt" -G "$generator" \
       -DCMAKE_PREFIX_PATH="$prefix" -DCOMPONENT=window -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=TRUE >>"$log" 2>&1; then
    echo "FAILED: the window component was found without Qt"; exit 1
  fi
fi

step "refused: an unknown component, another major version"
for args in "-DCOMPONENT=nothing" "-DVERSION=$((major + 1)).0"; do
  if cmake -S "$source_dir/tests/install/consumer" -B "$work/refused" -G "$generator" \
       -DCMAKE_PREFIX_PATH="$prefix" -DVERSION="$version" $args >>"$log" 2>&1; then
    echo "FAILED: find_package(velunta) accepted $args"; exit 1
  fi
  rm -rf "$work/refused"
done

step "pkg-config consumer"
export PKG_CONFIG_PATH="$libdir/pkgconfig"
[ "$(pkg-config --modversion velunta-calendar)" = "$version" ] || { echo "FAILED: velunta-calendar.pc version"; exit 1; }
# shellcheck disable=SC2046
run g++ -o "$work/pkgconfig-consumer" "$source_dir/tests/install/consumer/main.cpp" \
  -DUSE_HOLIDAYS -DUSE_CALENDAR -DEXPECTED_VERSION="\"$version\"" \
  $(pkg-config --cflags --libs velunta-calendar velunta-holidays) \
  -Wl,-rpath,"$(pkg-config --variable=libdir velunta-calendar)"
run env -u LD_LIBRARY_PATH "$work/pkgconfig-consumer"

# The Python module, where the build made it, finds the shared libraries of the moved prefix.
python_dir=$(find "$prefix" -type d -path '*/dist-packages/velunta' | head -n 1)
if [ -n "$python_dir" ]; then
  step "Python module from the moved prefix"
  out=$(cd / && env -u LD_LIBRARY_PATH PYTHONPATH="$(dirname "$python_dir")" /usr/bin/python3 -c \
    'import velunta; print(velunta.holiday("2026-05-06").name, velunta.__file__)' 2>&1) ||
    { echo "$out"; echo "FAILED: import velunta from $python_dir"; exit 1; }
  [[ "$out" == "振替休日 $python_dir/"* ]] || { echo "FAILED: import velunta said: $out"; exit 1; }
fi

echo "installed tree found, linked and ran"
