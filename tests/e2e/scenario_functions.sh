# A user function registered on the options sheet's "関数" page with real keys:
# hyp(a,b)=sqrt(a*a+b*b) bound to Alt+H works in the editor at once, is kept
# in Tarvik.ini, works again after a restart, and is deleted through the page.

functions_click_ok() { click_sheet_ok; }
functions_open_options() {
  focus_tarvik
  eval "$(xdotool getwindowgeometry --shell "$(tarvik_window)")"
  xdotool mousemove $((X + 8)) $((Y + 30)) click 3; sleep 0.6
  press o
  wait_until "the options sheet" probe_ok page
}
# With no window manager the keys go to the window under the pointer: point
# at the message box, the "Tarvik" window made last (X gives Wine's windows
# rising ids), and give it the focus.
functions_focus_message_box() {
  local id; id=$(xdotool search --onlyvisible --name '^Tarvik$' 2>/dev/null | sort -n | tail -1)
  [ -n "$id" ] || return 1
  eval "$(xdotool getwindowgeometry --shell "$id")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + 10))
  xdotool windowfocus --sync "$id" >/dev/null 2>&1 || true
  sleep 0.3
}
functions_dialog_open() { xdotool search --onlyvisible --name '^関数の設定$' >/dev/null 2>&1; }
functions_message_open() { probe_ok message && echo open || echo closed; }
functions_sheet_open() { probe_ok page && echo open || echo closed; }
functions_ini_line() { tr -d '\r' <"$run_dir/Tarvik.ini" 2>/dev/null | grep "^$1=" || true; }
# Alt+H inserts the call template with the caret after "("; the arguments
# are typed around the comma.
functions_use_hyp() {
  focus_tarvik
  press Escape
  press alt+h
  expect_eventually "$1: Alt+H inserts the call template" "hyp(,)" editor_text
  type_keys 3
  press Right
  type_keys 4
  press Return
  expect_eventually "$1: hyp(3,4) shows 5" "5" answer_text
}

new_run_dir
start_tarvik

functions_open_options
expect "the sheet opens on the functions page" "関数" "$(probe page)"
press alt+r
wait_until "the user function dialog" functions_dialog_open
type_keys 'hyp'
press Tab
type_keys 'a,b'
press Tab
type_keys 'sqrt(a*a+b*b)'
press Tab Tab
type_keys 'h'
screenshot functions-dialog
press Return
sleep 0.8
screenshot functions-page
functions_click_ok
expect_eventually "OK closes the sheet" "closed" functions_sheet_open

functions_use_hyp "at once"
expect_eventually "Tarvik.ini holds the definition" "f0=hyp(a,b)=sqrt(a*a+b*b)//" functions_ini_line f0
expect_eventually "Tarvik.ini holds the shortcut" "k0=-2147483648,72" functions_ini_line k0

stop_tarvik
start_tarvik
functions_use_hyp "after a restart"

functions_open_options
press alt+f
type_keys 'h'
press alt+k
expect_eventually "delete asks first" "ユーザ関数を削除してよろしいですか？" probe message
screenshot functions-delete
functions_focus_message_box
press Return
expect_eventually "Enter answers yes" "closed" functions_message_open
functions_click_ok
expect_eventually "OK closes the sheet" "closed" functions_sheet_open
# The file is written once the sheet has returned.
expect_eventually "the definition is gone from Tarvik.ini" "Size=0" functions_ini_line Size
expect_eventually "the shortcut is gone from Tarvik.ini" "KeySize=0" functions_ini_line KeySize

stop_tarvik
