# Sourced by the scripts in tools/: starts a virtual X server of our own when
# no display is given, and stops it when the calling script exits.
#
#   quendral_ensure_display [WIDTHxHEIGHT]
quendral_ensure_display() {
  local size=${1:-1920x1080}
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X${n}-lock" ] && continue
    Xvfb ":${n}" -screen 0 "${size}x24" +extension GLX -nolisten tcp >/dev/null 2>&1 &
    QUENDRAL_XVFB_PID=$!
    local tries
    for tries in $(seq 1 50); do
      if DISPLAY=":${n}" xdpyinfo >/dev/null 2>&1; then
        export DISPLAY=":${n}"
        trap 'kill "$QUENDRAL_XVFB_PID" 2>/dev/null; wait "$QUENDRAL_XVFB_PID" 2>/dev/null' EXIT
        return 0
      fi
      kill -0 "$QUENDRAL_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$QUENDRAL_XVFB_PID" 2>/dev/null
  done
  echo "could not start a virtual X server" >&2
  return 1
}
