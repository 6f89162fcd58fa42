# Full-width digits and operators, typed with real key events (xdotool types
# Unicode characters), and the web's minus sign and × pasted with Ctrl+V: the
# editor shows their ASCII forms, evaluates them and sends the answer.
new_run_dir
printf '[Option]\r\nSend Exp=Yes\r\n' >"$run_dir/Tarvik.ini"
start_notepad
start_tarvik
focus_notepad
press alt+space
expect_eventually "Alt+Space over notepad brings the calculator" "tarvikwnd" probe foreground
focus_tarvik_keeping_place
# Under Wine on Xvfb the first key that xdotool types outside ASCII after the
# start never arrives (notepad's first one does); one goes first, and away.
type_keys 'ｘ'
press BackSpace
type_keys '１２３＋４'
expect "typed full-width characters show half-width" "123+4" "$(editor_text)"
press Return
expect_eventually "１２３＋４ shows 127" "127" answer_text
screenshot full-width-typed
press Return
expect_eventually "the answer goes to notepad as typed" "123+4=127" notepad_text

probe set-clipboard '3×4−1'
focus_notepad
press alt+space
expect_eventually "the hotkey brings the calculator back" "tarvikwnd" probe foreground
focus_tarvik_keeping_place
press ctrl+v
expect "a pasted × and minus sign show as * and -" "3*4-1" "$(editor_text)"
press Return
expect_eventually "3×4−1 shows 11" "11" answer_text
screenshot full-width-pasted
stop_tarvik
stop_notepad
