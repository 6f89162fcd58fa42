# Sourced by the end-to-end tests: start Tarvik.exe under Wine on an X display,
# type into it with real key events (xdotool), read its window from outside
# with tarvik-probe.exe, and take screenshots.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build="${TARVIK_BUILD:-$root/build/windows}"
tarvik_exe="$build/Tarvik.exe"
probe_exe="$build/tests/tarvik-probe.exe"
shots="$root/shots/e2e"
mkdir -p "$shots"

# TARVIK_E2E_PREFIX: another prefix (the installer test starts from a fresh one).
source "$root/scripts/wine-env.sh" "${TARVIK_E2E_PREFIX:-$build/e2e-prefix}"
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
source "$root/scripts/xvfb.sh"
if wineserver -p </dev/null >/dev/null 2>&1; then wine wineboot </dev/null >/dev/null 2>&1 || true; fi

e2e_passed=0
e2e_failed=0
run_dir=""

# A fresh folder with its own copy of the program and its help file:
# Tarvik.ini, history.txt and var.txt are kept beside the program.
new_run_dir() {
  run_dir=$(mktemp -d "$build/e2e-run.XXXXXX")
  cp "$tarvik_exe" "$run_dir/"
  if [ -f "$build/Tarvik.chm" ]; then cp "$build/Tarvik.chm" "$run_dir/"; fi
}

# Wine's help viewer on Tarvik.chm, whose title is the help file's own.
help_window_shown() { xdotool search --name 'Tarvik ヘルプ' >/dev/null 2>&1 && echo yes || echo no; }
close_help_windows() {
  for w in $(xdotool search --name 'Tarvik ヘルプ' 2>/dev/null); do xdotool windowclose "$w" 2>/dev/null || true; done
  sleep 0.5
}

start_tarvik() {
  (cd "$run_dir" && exec wine "$run_dir/Tarvik.exe" </dev/null >/dev/null 2>&1) &
  tarvik_pid=$!
  wait_until "Tarvik's window" probe_ok visible
}

# Only this build's copies count: other checkouts may run their own tests on
# the same machine at the same time.
tarvik_pattern="^$build/e2e-run[^ ]*/Tarvik\\.exe"
tarvik_process_count() { pgrep -fc "$tarvik_pattern" || true; }

# probe ARGS...: runs tarvik-probe.exe; its output (CR removed) goes to stdout.
probe() {
  local out; out=$(mktemp)
  wine "$probe_exe" "$@" >"$out" 2>/dev/null </dev/null
  local status=$?
  tr -d '\r' <"$out"; rm -f "$out"
  return $status
}
probe_ok() { probe "$@" >/dev/null; }
list_closed() { ! probe_ok list; }

# wait_until DESCRIPTION COMMAND...: retries for up to 15 seconds.
wait_until() {
  local what=$1; shift
  for _ in $(seq 60); do "$@" && return 0; sleep 0.25; done
  echo "timed out waiting for $what" >&2
  return 1
}

tarvik_window() { xdotool search --name '^Tarvik$' 2>/dev/null | head -1; }

# With no window manager on Xvfb, X keyboard focus follows the pointer or an
# explicit focus request: park the pointer over the calculator and ask for it.
focus_tarvik() {
  local id; id=$(tarvik_window)
  [ -n "$id" ] || return 1
  eval "$(xdotool getwindowgeometry --shell "$id")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + 10))
  xdotool windowfocus --sync "$id" >/dev/null 2>&1 || true
  sleep 0.3
}

# After the hotkey Wine makes the calculator the foreground window, but with no
# window manager nobody hands it the X keyboard focus: do what a window manager
# would, without moving the pointer onto it (that would not change anything a
# user sees, but keeps the pointer where the user left it).
focus_tarvik_keeping_place() {
  local id; id=$(tarvik_window)
  [ -n "$id" ] || return 1
  xdotool windowfocus --sync "$id" >/dev/null 2>&1 || true
  sleep 0.3
}

type_keys() { xdotool type --delay 60 "$1"; sleep 0.4; }
press() { xdotool key --delay 80 "$@"; sleep 0.4; }

editor_text() { probe text 0; }
answer_text() { probe text 1; }

# expect NAME EXPECTED ACTUAL
expect() {
  if [ "$2" == "$3" ]; then
    echo "  ok   $1"; e2e_passed=$((e2e_passed + 1))
  else
    echo "  FAIL $1: expected '$2', got '$3'"; e2e_failed=$((e2e_failed + 1))
  fi
}

# expect_eventually NAME EXPECTED COMMAND...: the command's output reaches the value within a few seconds.
expect_eventually() {
  local name=$1 expected=$2; shift 2
  local actual=""
  for _ in $(seq 20); do
    actual=$("$@")
    [ "$actual" == "$expected" ] && break
    sleep 0.25
  done
  expect "$name" "$expected" "$actual"
}

# The options sheet's OK button, found by its id wherever the pages' width
# puts it.
click_sheet_ok() {
  local left top right bottom
  read -r left top right bottom <<<"$(probe item-rect "Tarvik オプション" 1)"
  [ -n "$bottom" ] || return 1
  xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)) click 1
  sleep 0.8
}

# Wine's notepad as the application the calculator is called from.
start_notepad() {
  (cd "$run_dir" && exec wine notepad </dev/null >/dev/null 2>&1) &
  notepad_pid=$!
  wait_until "notepad" probe_ok edit-text Notepad
  notepad_window=$(xdotool search --sync --class notepad | tail -1)
}
notepad_text() { probe edit-text Notepad; }
# A click into notepad's text, away from where the calculator may be, makes it
# the foreground window as it would for a user (there is no window manager to
# ask for activation).
focus_notepad() {
  eval "$(xdotool getwindowgeometry --shell "$notepad_window")"
  xdotool mousemove $((X + WIDTH - 60)) $((Y + HEIGHT - 60)) click 1
  xdotool windowfocus --sync "$notepad_window" >/dev/null 2>&1 || true
  xdotool key ctrl+End
  sleep 0.5
}
stop_notepad() {
  xdotool search --class notepad 2>/dev/null | while read -r w; do xdotool windowclose "$w" 2>/dev/null; done
  # Only the notepads of this prefix: other checkouts may test side by side.
  local p
  for p in $(pgrep -f 'notepad\.exe'); do
    grep -qz "^WINEPREFIX=$WINEPREFIX\$" "/proc/$p/environ" 2>/dev/null && kill "$p" 2>/dev/null
  done
  kill "$notepad_pid" 2>/dev/null || true
  wait_until "notepad to end" bash -c '! xdotool search --class notepad >/dev/null 2>&1'
  sleep 0.5
}
screenshot() { import -window root "$shots/$1.png"; echo "  shot $shots/$1.png"; }

stop_tarvik() {
  probe close >/dev/null 2>&1 || true
  wait_until "Tarvik to end" bash -c "! pgrep -f '$tarvik_pattern' >/dev/null"
}

finish() {
  pkill -f "$tarvik_pattern" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  echo "e2e: $e2e_passed passed, $e2e_failed failed"
  [ "$e2e_failed" -eq 0 ]
}
