# Sourced: makes sure an X display is there for Wine's windows. With none set,
# starts Xvfb on a free display number and stops it when the shell exits.
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
  done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  TARVIK_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  trap 'kill $TARVIK_XVFB_PID 2>/dev/null || true' EXIT
fi
