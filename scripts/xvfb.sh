# Sourced: start_xvfb gives this shell a virtual 24-bit X display when it has none.
start_xvfb() {
  if [ -n "${DISPLAY:-}" ]; then
    return 0
  fi
  local n
  for n in $(seq 91 120); do
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then
      Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
      TESK_XVFB_PID=$!
      export DISPLAY=":$n"
      trap 'kill $TESK_XVFB_PID 2>/dev/null || true' EXIT
      local i
      for i in $(seq 1 50); do
        [ -e "/tmp/.X11-unix/X${n}" ] && return 0
        sleep 0.1
      done
      echo "xvfb: display :$n did not come up" >&2
      return 1
    fi
  done
  echo "xvfb: no free display number" >&2
  return 1
}
