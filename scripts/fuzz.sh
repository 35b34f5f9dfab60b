#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset: clang, ASan, UBSan) and runs each for a short
# fixed time from its seed corpus and kept regressions; fails on any finding.
#   scripts/fuzz.sh [SECONDS]        30 seconds a target by default
#   FUZZ_TARGETS="module" scripts/fuzz.sh 600
# New inputs go to build/fuzz/corpus/<target>/ and findings to build/fuzz/findings/<target>/,
# never into the repository: copy a finding into fuzz/<target>/regressions/ once it is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
read -ra targets <<<"${FUZZ_TARGETS:-date_text number_text module law_calendar calendar_file law_file command server http_framing}"

scripts/setup.sh lib fuzz
cmake --preset fuzz
cmake --build --preset fuzz -j 2

failed=()
for target in "${targets[@]}"; do
  scratch="build/fuzz/corpus/$target"
  findings="build/fuzz/findings/$target"
  mkdir -p "$scratch" "$findings"
  echo "== fuzz_$target for ${seconds}s"
  # The first folder receives new inputs; the repository's folders are only read.
  if ! build/fuzz/fuzz/fuzz_"$target" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -dict="fuzz/$target/$target.dict" -artifact_prefix="$findings/" \
      "$scratch" "fuzz/$target/corpus" "fuzz/$target/regressions"; then
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz.sh: findings in ${failed[*]}; see build/fuzz/findings/" >&2
  exit 1
fi
