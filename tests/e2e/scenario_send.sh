# Sending answers into Wine's notepad: the hotkey with real key events brings
# the calculator up at notepad's caret, Enter twice types the answer there;
# "Send Exp" and "After Send" from Tarvik.ini; the hotkey hides the calculator
# in front; the tray icon (Wine's own tray window at the top left) shows the
# calculator on a click and opens the Japanese menu on a right click.

# The calculator's left edge is at notepad's caret on its first text line, and
# its bottom edge on the caret's top (or, near the screen's top, it sits at y 0
# covering the line), not where it was started (700, 600).
tarvik_bottom_near_notepad_caret() {
  local left top right bottom
  read -r left top right bottom <<<"$(probe rect)"
  eval "$(xdotool getwindowgeometry --shell "$notepad_window")"
  [ "$left" -ge "$X" ] && [ "$left" -le $((X + 200)) ] &&
    { [ "$top" -eq 0 ] || { [ "$bottom" -ge "$Y" ] && [ "$bottom" -le $((Y + 120)) ]; }; }
}

# --- defaults: the answer alone, notepad activated after sending
new_run_dir
printf '[Option]\r\nBegin Show=No\r\nLeft=700\r\nTop=600\r\nRight=950\r\nBottom=680\r\n' >"$run_dir/Tarvik.ini"
start_notepad
(cd "$run_dir" && exec wine "$run_dir/Tarvik.exe" </dev/null >/dev/null 2>&1) &
wait_until "Tarvik's window" probe_ok rect
expect "Begin Show=No starts hidden" "0" "$(probe visible)"

focus_notepad
type_keys 'x '
press alt+space
expect_eventually "Alt+Space over notepad shows the calculator" "1" probe visible
expect_eventually "the calculator is in front" "tarvikwnd" probe foreground
expect "the calculator sits at notepad's caret" "yes" "$(tarvik_bottom_near_notepad_caret && echo yes || echo no)"
screenshot send-at-caret

focus_tarvik_keeping_place
type_keys '1+2'
press Return
expect_eventually "1+2 Enter shows 3" "3" answer_text
press Return
expect_eventually "the second Enter types the answer into notepad" "x 3" notepad_text
expect_eventually "After Send 1 activates notepad" "Notepad" probe foreground
expect "the calculator stays visible" "1" "$(probe visible)"
screenshot send-answer-in-notepad

press alt+space
expect_eventually "the hotkey brings the calculator back" "tarvikwnd" probe foreground
press alt+space
expect_eventually "the hotkey with the calculator in front hides it" "0" probe visible

# --- the tray icon in Wine's own tray window at the top left
tray=$(xdotool search --name '^Wine System Tray$' | head -1)
if [ -n "$tray" ]; then
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  xdotool mousemove $((X + 10)) $((Y + 10)) click 1; sleep 0.6
  expect_eventually "a click on the tray icon shows the calculator" "1" probe visible
  xdotool mousemove $((X + 10)) $((Y + 10)) click 3; sleep 0.8
  screenshot tray-menu
  press Escape
else
  expect "Wine's tray window exists" "yes" "no"
fi

stop_tarvik
stop_notepad

# --- Send Exp on, After Send 0: the expression goes along, the calculator hides
new_run_dir
printf '[Option]\r\nSend Exp=Yes\r\nAfter Send=0\r\n' >"$run_dir/Tarvik.ini"
start_notepad
start_tarvik
focus_notepad
press alt+space
expect_eventually "Alt+Space over notepad brings the calculator" "tarvikwnd" probe foreground
focus_tarvik_keeping_place
type_keys '1+2'
press Return
press Return
expect_eventually "Send Exp types the expression and the answer" "1+2=3" notepad_text
expect_eventually "After Send 0 hides the calculator" "0" probe visible
screenshot send-expression-in-notepad
stop_tarvik
stop_notepad
