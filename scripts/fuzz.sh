#!/usr/bin/env bash
# Builds every libFuzzer target with clang and runs each for TESK_FUZZ_SECONDS (default 10).
# A crash, leak or sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${FUZZ_BUILD_DIR:-build/fuzz}
SECONDS_EACH=${TESK_FUZZ_SECONDS:-10}
JOBS=${JOBS:-$(nproc)}

if ! ls fuzz/*.cpp >/dev/null 2>&1; then
  echo "fuzz: no targets"
  exit 0
fi

CC=clang CXX=clang++ cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTESK_FUZZ=ON -DTESK_TESTS=OFF -DTESK_BENCH=OFF >/dev/null
# Only the fuzz targets (and the libraries they link): the game and the tools are not fuzzed.
targets=()
for src in fuzz/*.cpp; do targets+=("fuzz_$(basename "$src" .cpp)"); done
cmake --build "$BUILD_DIR" -j "$JOBS" --target "${targets[@]}"

status=0
for src in fuzz/*.cpp; do
  name=$(basename "$src" .cpp)
  corpus="$BUILD_DIR/corpus/$name"
  mkdir -p "$corpus"
  # Seeds kept beside the target, if any.
  [ -d "fuzz/corpus/$name" ] && cp -n fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null || true
  echo "fuzz: $name for ${SECONDS_EACH}s"
  if ! "$BUILD_DIR/fuzz/fuzz_$name" -max_total_time="$SECONDS_EACH" -rss_limit_mb=2048 \
       -artifact_prefix="$BUILD_DIR/" "$corpus" >"$BUILD_DIR/$name.log" 2>&1; then
    echo "fuzz: $name FAILED" >&2
    tail -n 40 "$BUILD_DIR/$name.log" >&2
    status=1
  fi
done
exit $status
