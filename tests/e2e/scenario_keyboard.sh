# From a first start with no Tarvik.ini: typing, Enter, continuing with ans,
# switching the answer form, an error, Escape, the menu, a second copy, exit.
new_run_dir
start_tarvik
focus_tarvik
screenshot first-start

type_keys '1+2'
press Return
expect_eventually "1+2 Enter shows 3" "3" answer_text

type_keys '*2'
expect "an operator after a committed answer continues with ans" "ans*2" "$(editor_text)"
press Return
expect_eventually "ans*2 shows 6" "6" answer_text

press ctrl+h
expect_eventually "Ctrl+H shows hexadecimal" "0x6" answer_text
expect "Ctrl+H does not touch the editor" "ans*2" "$(editor_text)"
press ctrl+d

press Escape
expect "Escape empties the editor" "" "$(editor_text)"

type_keys '1/0'
press Return
expect_eventually "an error shows its message" "除算が 0 で行われています。" answer_text
screenshot error-state

# The main menu opens on a right click on the grip strip.
eval "$(xdotool getwindowgeometry --shell "$(tarvik_window)")"
xdotool mousemove $((X + 8)) $((Y + 30)) click 3; sleep 0.6
screenshot main-menu
press Escape

# A second copy shows the first and ends.
(cd "$run_dir" && wine "$run_dir/Tarvik.exe" </dev/null >/dev/null 2>&1)
expect "a second start leaves one process" "1" "$(tarvik_process_count)"
expect "a second start leaves one window" "1" "$(probe count)"

stop_tarvik
expect "Tarvik.ini is written at exit" "yes" "$([ -f "$run_dir/Tarvik.ini" ] && echo yes || echo no)"
