#!/usr/bin/env bash
# Installs what is missing, builds the game (the build generates its assets) and runs it.
# With no display it runs under a virtual one (and closes after a few seconds), which is stopped
# when the game ends.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

BUILD_DIR=${BUILD_DIR:-build/release}
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESK_TESTS=OFF -DTESK_BENCH=OFF
cmake --build "$BUILD_DIR" -j "$(nproc)"

if [ -z "${DISPLAY:-}" ]; then
  source scripts/xvfb.sh
  start_xvfb
  export TESK_RUN_SECONDS=${TESK_RUN_SECONDS:-3}
fi
# Not exec: the shell stays to stop the virtual display when the game has ended.
"$BUILD_DIR/game" "$@"
