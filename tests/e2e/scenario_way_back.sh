# The way back into notepad with real keys: however the calculator goes away
# (Escape with "ESC Hide", the hotkey again, hiding after a send), the next
# typed characters land in notepad. With notepad closed before the second
# Enter, the answer is on the clipboard and the answer field says so.

# Wine makes notepad the foreground window again; with no window manager
# nobody hands its X window the keyboard focus: do what one would, without
# moving the pointer.
focus_notepad_keeping_place() {
  xdotool windowfocus --sync "$notepad_window" >/dev/null 2>&1 || true
  sleep 0.3
}

new_run_dir
printf '[Option]\r\nESC Hide=Yes\r\nAfter Send=0\r\n' >"$run_dir/Tarvik.ini"
start_notepad
start_tarvik
focus_notepad
type_keys 'a'

press alt+space
expect_eventually "Alt+Space over notepad brings the calculator" "tarvikwnd" probe foreground
focus_tarvik_keeping_place
press Escape
expect_eventually "Escape hides the calculator" "0" probe visible
expect_eventually "notepad is in front again" "Notepad" probe foreground
focus_notepad_keeping_place
type_keys 'b'
expect_eventually "after Escape the keys land in notepad" "ab" notepad_text

# Before each hotkey a click into notepad, as in the other scenarios: Wine
# with no window manager may still have a focus change of its own pending.
focus_notepad
press alt+space
expect_eventually "the hotkey brings the calculator back" "tarvikwnd" probe foreground
focus_tarvik_keeping_place
press alt+space
expect_eventually "the hotkey again hides it" "0" probe visible
expect_eventually "notepad is in front after the hotkey" "Notepad" probe foreground
focus_notepad_keeping_place
type_keys 'c'
expect_eventually "after the hotkey the keys land in notepad" "abc" notepad_text

# The Alt key released in notepad after the hotkey hid the calculator may
# leave notepad's menu bar armed, as it would on Windows: the click ends that.
focus_notepad
press alt+space
expect_eventually "the hotkey brings the calculator up to send" "tarvikwnd" probe foreground
focus_tarvik_keeping_place
type_keys '1+2'
press Return
press Return
expect_eventually "the answer goes into notepad" "abc3" notepad_text
expect_eventually "After Send 0 hides the calculator" "0" probe visible
expect_eventually "notepad is in front after the send" "Notepad" probe foreground
focus_notepad_keeping_place
type_keys 'd'
expect_eventually "after the send the keys land in notepad" "abc3d" notepad_text

# --- the target closed between the hotkey and the second Enter
focus_notepad
press alt+space
expect_eventually "the hotkey brings the calculator up once more" "tarvikwnd" probe foreground
focus_tarvik_keeping_place
type_keys '6*7'
press Return
expect_eventually "6*7 Enter shows 42" "42" answer_text
stop_notepad
focus_tarvik_keeping_place
press Return
expect_eventually "the failed sending is said" "送れず、クリップボードにコピー済み" answer_text
expect "the answer is on the clipboard" "42" "$(probe clipboard)"
expect "the calculator stays up" "1" "$(probe visible)"
screenshot send-failed-to-clipboard
stop_tarvik
