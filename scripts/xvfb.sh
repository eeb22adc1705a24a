# Sourced: start_xvfb gives this shell a virtual 24-bit X display when it has none, and stops it
# when the shell exits (stop_xvfb stops it sooner). The server picks a free display number
# itself (-displayfd), so a number held by a server we cannot see (another mount namespace, a
# removed lock file) is never a reason to fail.
start_xvfb() {
  if [ -n "${DISPLAY:-}" ]; then
    return 0
  fi
  local aDir
  aDir=$(mktemp -d "${TMPDIR:-/tmp}/tesk-xvfb.XXXXXX") || return 1
  : >"$aDir/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$aDir/display" >"$aDir/log" 2>&1 &
  TESK_XVFB_PID=$!
  TESK_XVFB_DIR=$aDir
  trap 'stop_xvfb' EXIT
  # Xvfb writes the number once it accepts connections; a loaded machine may take a while.
  local aWait=${TESK_XVFB_WAIT_SECONDS:-30}
  local i aNumber
  for i in $(seq 1 $((aWait * 10))); do
    # The number is whole once its line has ended.
    aNumber=
    if [ "$(wc -l <"$aDir/display")" -ge 1 ]; then aNumber=$(head -n1 "$aDir/display" | tr -dc '0-9'); fi
    if [ -n "$aNumber" ]; then
      export DISPLAY=":$aNumber"
      return 0
    fi
    if ! kill -0 "$TESK_XVFB_PID" 2>/dev/null; then
      echo "xvfb: Xvfb exited before it offered a display; it said:" >&2
      sed 's/^/  /' "$aDir/log" >&2
      stop_xvfb
      return 1
    fi
    sleep 0.1
  done
  echo "xvfb: Xvfb offered no display within ${aWait}s; it said:" >&2
  sed 's/^/  /' "$aDir/log" >&2
  stop_xvfb
  return 1
}

stop_xvfb() {
  if [ -n "${TESK_XVFB_PID:-}" ]; then
    kill "$TESK_XVFB_PID" 2>/dev/null || true
    wait "$TESK_XVFB_PID" 2>/dev/null || true
    TESK_XVFB_PID=
    unset DISPLAY
  fi
  if [ -n "${TESK_XVFB_DIR:-}" ]; then
    rm -rf "$TESK_XVFB_DIR"
    TESK_XVFB_DIR=
  fi
}
