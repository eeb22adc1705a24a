#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
# With CI=true (as .ci/run sets it) the build uses AddressSanitizer and
# UndefinedBehaviorSanitizer and every fuzz target runs for a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

BUILD_DIR=${BUILD_DIR:-build/test}
JOBS=${JOBS:-$(nproc)}
SANITIZE=${TESK_SANITIZE:-}
if [ -z "$SANITIZE" ]; then
  if [ "${CI:-}" = "true" ]; then SANITIZE=ON; else SANITIZE=OFF; fi
fi

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESK_SANITIZE="$SANITIZE"
cmake --build "$BUILD_DIR" -j "$JOBS"

# Tests that open windows or GL contexts get a virtual display of their own.
source scripts/xvfb.sh
start_xvfb

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
# With a display, SDL would have libdbus autolaunch a session bus, which keeps an allocation
# the leak checker reports; nothing here needs the bus.
export DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-disabled:}

status=0
if [ "${CI:-}" = "true" ] || [ "${TESK_FUZZ_SECONDS:-0}" != "0" ]; then
  TESK_FUZZ_SECONDS=${TESK_FUZZ_SECONDS:-5} bash scripts/fuzz.sh || status=$?
fi

(cd "$BUILD_DIR" && ctest --output-on-failure -j "$JOBS") || status=$?
exit $status
