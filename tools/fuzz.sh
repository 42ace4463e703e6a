#!/usr/bin/env bash
# Runs the libFuzzer targets (tests/fuzz, clang build in build-fuzz) and keeps what they find.
#
#   tools/fuzz.sh [SECONDS] [OUT] [TARGET...]
#     Each target (default: all) for SECONDS (default 60) from its seed corpus
#     tests/data/fuzz/<target>/. New inputs go to OUT/<target>/ (default
#     ${TMPDIR:-/tmp}/kestle-fuzz, outside the repo); a crash, leak or undefined behaviour is
#     reported and its input copied into the seed corpus as a regression case.
#   tools/fuzz.sh --smoke SECONDS
#     Every target over its seed corpus, then SECONDS of fresh inputs; nothing is kept. ./check
#     runs this.
# Exits non-zero if a target failed.
set -uo pipefail
cd "$(dirname "$0")/.."
. tools/setup.sh

smoke=0
if [ "${1:-}" = "--smoke" ]; then
  smoke=1
  shift
fi
seconds=${1:-60}
out=${2:-${TMPDIR:-/tmp}/kestle-fuzz}
shift 2 2>/dev/null || shift $#
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in tests/fuzz/fuzz_*.cpp; do
    name=$(basename "$source" .cpp)
    targets+=("${name#fuzz_}")
  done
fi

ks_build "${KS_FUZZ_BUILD[@]}" >/dev/null || exit 1
export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"

# fuzz_one TARGET: runs one target; prints its result line (and what it found).
fuzz_one() {
  local target=$1 seeds found log status stats crash
  seeds=tests/data/fuzz/$target
  if [ $smoke -eq 1 ]; then
    found=$(mktemp -d)
  else
    found=$out/$target
  fi
  mkdir -p "$found/crashes"
  log=$found/fuzz.log
  # The first folder receives new inputs; the seeds are only read.
  nice build-fuzz/tests/fuzz/fuzz_"$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$found/crashes/" "$found" "$seeds" >"$log" 2>&1
  status=$?
  stats=$(sed -n 's/^#\([0-9]*\).*DONE *cov: \([0-9]*\) ft: \([0-9]*\).*/\1 runs, cov \2, ft \3/p' "$log")
  if [ $status -eq 0 ]; then
    echo "fuzz $target: passed (${stats:-no statistics})"
  else
    status=1
    echo "fuzz $target: FAILED"
    grep -E -A12 "^==[0-9]+==ERROR|runtime error|deadly signal" "$log" | head -40
    for crash in "$found"/crashes/*; do
      [ -f "$crash" ] || continue
      echo "  input: $crash"
      if [ $smoke -eq 0 ]; then
        cp "$crash" "$seeds/regression-$(sha1sum "$crash" | cut -c1-12)"
        echo "  copied into $seeds as a regression case"
      fi
    done
  fi
  [ $smoke -eq 1 ] && rm -rf "$found"
  return $status
}

# A smoke run's targets run side by side, their reports printed in order.
failed=0
if [ $smoke -eq 1 ]; then
  reports=$(mktemp -d)
  for target in "${targets[@]}"; do
    fuzz_one "$target" >"$reports/$target" 2>&1 &
  done
  for target in "${targets[@]}"; do
    wait -n || failed=1
  done
  for target in "${targets[@]}"; do
    cat "$reports/$target"
  done
  rm -rf "$reports"
else
  for target in "${targets[@]}"; do
    fuzz_one "$target" || failed=1
  done
fi
exit $failed
