#!/usr/bin/env bash
# Builds every libFuzzer target with clang (AddressSanitizer and UndefinedBehaviorSanitizer) and
# runs each for TESK_FUZZ_SECONDS (default 10), several at once, then reports per target the
# executions, the coverage reached and the findings. A crash, leak, timeout, out-of-memory or
# sanitizer report fails the run.
#
#   scripts/fuzz.sh [target...]        all targets of fuzz/ when none is named
#
#   TESK_FUZZ_SECONDS  seconds per target (default 10)
#   TESK_FUZZ_CPUS     the cores to use, as taskset takes them ("0-2", "4,6,7"); each core runs
#                      its share of the targets one after another (default: every core)
#   TESK_FUZZ_JOBS     how many targets run at once when no cores are named (default: nproc)
#   FUZZ_BUILD_DIR     the build (default build/fuzz); corpora grow in <build>/corpus/<target>,
#                      findings land in <build>/findings/<target>, logs in <build>/logs
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${FUZZ_BUILD_DIR:-build/fuzz}
# Absolute, because the targets that read their input as a file in the working folder change
# into a folder of their own on the first input, and libFuzzer reads the seeds one by one.
case $BUILD_DIR in /*) ;; *) BUILD_DIR=$PWD/$BUILD_DIR ;; esac
SECONDS_EACH=${TESK_FUZZ_SECONDS:-10}
JOBS=${JOBS:-$(nproc)}

if ! ls fuzz/*.cpp >/dev/null 2>&1; then
  echo "fuzz: no targets"
  exit 0
fi

# The cores: an explicit list pins one runner to each; otherwise TESK_FUZZ_JOBS unpinned runners.
CPUS=()
if [ -n "${TESK_FUZZ_CPUS:-}" ]; then
  IFS=, read -ra aParts <<<"$TESK_FUZZ_CPUS"
  for aPart in "${aParts[@]}"; do
    if [[ $aPart == *-* ]]; then
      for ((c = ${aPart%-*}; c <= ${aPart#*-}; c++)); do CPUS+=("$c"); done
    else
      CPUS+=("$aPart")
    fi
  done
  RUNNERS=${#CPUS[@]}
else
  RUNNERS=${TESK_FUZZ_JOBS:-$(nproc)}
fi

TARGETS=("$@")
if [ ${#TARGETS[@]} -eq 0 ]; then
  for src in fuzz/*.cpp; do TARGETS+=("$(basename "$src" .cpp)"); done
fi
for name in "${TARGETS[@]}"; do
  [ -f "fuzz/$name.cpp" ] || { echo "fuzz: no target $name" >&2; exit 2; }
done

CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTESK_FUZZ=ON -DTESK_TESTS=OFF -DTESK_BENCH=OFF >/dev/null
cmake --build "$BUILD_DIR" -j "$JOBS" --target "${TARGETS[@]/#/fuzz_}"

mkdir -p "$BUILD_DIR/logs"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

# One target: its corpus (the seeds kept beside the targets, then whatever earlier runs found),
# its dictionary when the format has magic words, its own folder for findings.
run_target() {
  local name=$1 cpu=$2
  local corpus="$BUILD_DIR/corpus/$name" findings="$BUILD_DIR/findings/$name"
  mkdir -p "$corpus" "$findings"
  rm -f "$findings"/* "$BUILD_DIR/logs/$name.status"
  [ -d "fuzz/corpus/$name" ] && cp -n fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null || true
  local args=(-max_total_time="$SECONDS_EACH" -rss_limit_mb=2048 -timeout=30 -print_final_stats=1
    -artifact_prefix="$findings/")
  [ -f "fuzz/dict/$name.dict" ] && args+=(-dict="$PWD/fuzz/dict/$name.dict")
  local pin=()
  [ -n "$cpu" ] && command -v taskset >/dev/null && pin=(taskset -c "$cpu")
  local status=0
  "${pin[@]}" "$BUILD_DIR/fuzz/fuzz_$name" "${args[@]}" "$corpus" >"$BUILD_DIR/logs/$name.log" 2>&1 ||
    status=$?
  echo "$status" >"$BUILD_DIR/logs/$name.status"
}

# Runner r takes targets r, r + RUNNERS, ... one after another.
echo "fuzz: ${#TARGETS[@]} targets, ${SECONDS_EACH}s each, $RUNNERS at once${CPUS:+ on cores ${CPUS[*]}}"
pids=()
for ((r = 0; r < RUNNERS && r < ${#TARGETS[@]}; r++)); do
  (
    for ((i = r; i < ${#TARGETS[@]}; i += RUNNERS)); do
      run_target "${TARGETS[$i]}" "${CPUS[$r]:-}"
    done
  ) &
  pids+=($!)
done
for pid in "${pids[@]}"; do wait "$pid"; done

status=0
printf '%-22s %12s %8s %8s %8s  %s\n' target executions cov ft corpus findings
for name in "${TARGETS[@]}"; do
  log="$BUILD_DIR/logs/$name.log"
  execs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$' || true)
  last=$(grep -E '^#[0-9]+.*cov: ' "$log" | tail -n 1 || true)
  cov=$(grep -o 'cov: [0-9]*' <<<"$last" | grep -o '[0-9]*$' || true)
  ft=$(grep -o 'ft: [0-9]*' <<<"$last" | grep -o '[0-9]*$' || true)
  corp=$(grep -o 'corp: [0-9]*' <<<"$last" | grep -o '[0-9]*$' || true)
  found=$(ls "$BUILD_DIR/findings/$name" 2>/dev/null | tr '\n' ' ')
  run_status=$(cat "$BUILD_DIR/logs/$name.status" 2>/dev/null || echo 1)
  [ "$run_status" != 0 ] && [ -z "$found" ] && found="exit status $run_status"
  printf '%-22s %12s %8s %8s %8s  %s\n' "$name" "${execs:--}" "${cov:--}" "${ft:--}" "${corp:--}" "${found:-none}"
  if [ "$run_status" != 0 ] || [ -n "$(ls "$BUILD_DIR/findings/$name" 2>/dev/null)" ]; then
    status=1
  fi
done
for name in "${TARGETS[@]}"; do
  if [ "$(cat "$BUILD_DIR/logs/$name.status" 2>/dev/null || echo 1)" != 0 ]; then
    echo "fuzz: $name FAILED ($BUILD_DIR/logs/$name.log)" >&2
    grep -E 'ERROR|runtime error|SUMMARY|^    #[0-9]' "$BUILD_DIR/logs/$name.log" | head -n 30 >&2 || true
  fi
done
exit $status
