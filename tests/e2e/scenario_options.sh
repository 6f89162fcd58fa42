# The options sheet from the main window's menu, with real clicks and keys:
# the precision set on "表示" shows at once and reaches Tarvik.ini; 16 is
# refused with a message and the sheet stays on its page; a new hotkey on
# "転送" calls the calculator and Alt+Space no longer does. Pages are switched
# by clicking their tabs (Wine's modal sheet loop does not switch on Ctrl+Tab).

# The tabs "関数", "表示", "転送", "書式" are equally wide: a click at the
# middle of tab N, measured from the tab strip's left edge.
click_tab() {
  local left top right bottom
  read -r left top right bottom <<<"$(probe tabs)"
  xdotool mousemove $((left + 29 + 53 * $1)) $((top + 9)) click 1
  sleep 0.8
}
click_ok() { click_sheet_ok; }
# The calculator's X window geometry. A search can fail while Wine destroys a
# window it walks over, so it is retried.
calculator_geometry() {
  local id
  for _ in $(seq 20); do
    id=$(tarvik_window)
    [ -n "$id" ] && xdotool getwindowgeometry --shell "$id" 2>/dev/null && return 0
    sleep 0.25
  done
  return 1
}
# As focus_tarvik, with the retried search.
focus_calculator() {
  eval "$(calculator_geometry)"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + 10))
  xdotool windowfocus --sync "$(tarvik_window)" >/dev/null 2>&1 || true
  sleep 0.3
}
open_options_from_menu() {
  focus_calculator
  xdotool mousemove $((X + 8)) $((Y + 30)) click 3; sleep 0.6
  press o
  wait_until "the options sheet" probe_ok page
}
# Wine's own tray window sits at the top left; the icon is its first cell.
open_options_from_tray() {
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  xdotool mousemove $((X + 10)) $((Y + 10)) click 3; sleep 0.8
  press o
}
sheet_page() { probe page; }
sheet_open() { probe_ok page && echo open || echo closed; }
# Wine leaves the X window of a closed dialog on the screen until it next
# talks to the X server, and with no window manager nothing makes it: move the
# pointer until only the calculator's window is left, so that later clicks and
# window searches reach the calculator (and the dialogs still open, given
# as a count).
closed_dialogs_gone() {
  local still_open=${1:-0}
  for i in $(seq 20); do
    [ "$(xdotool search --onlyvisible --name '^Tarvik' 2>/dev/null | wc -l)" -le $((1 + still_open)) ] && return 0
    xdotool mousemove $((600 + i)) 600; sleep 0.25
  done
  echo "  (a closed dialog is still on the X screen)"
}
close_check() {
  expect_eventually "$1" "closed" sheet_open
  closed_dialogs_gone
}
message_open() { probe_ok message && echo open || echo closed; }

new_run_dir
start_tarvik

open_options_from_menu
expect "the sheet opens on the functions page" "関数" "$(sheet_page)"
click_tab 1
expect "a click on the tab shows 表示" "表示" "$(sheet_page)"
screenshot options-display
press alt+p
type_keys 3
click_ok
close_check "OK closes the sheet"
focus_calculator
type_keys '1/3'
press Return
expect_eventually "1/3 shows three digits at once" "0.333" answer_text
expect "Tarvik.ini holds the precision" "Precision=3" "$(tr -d '\r' <"$run_dir/Tarvik.ini" | grep '^Precision=')"

open_options_from_menu
click_tab 1
press alt+p
type_keys 16
click_tab 2
expect_eventually "16 is refused with the message" "0以上15以下の数字を入力してください。" probe message
screenshot options-refused
expect "the sheet stays on 表示" "表示" "$(sheet_page)"
press Return
expect_eventually "Enter closes the message" "closed" message_open
closed_dialogs_gone 1
expect "the sheet is still open on 表示" "表示" "$(sheet_page)"
press Escape
close_check "Escape cancels the sheet"
expect "the refused value never reached the file" "Precision=3" "$(tr -d '\r' <"$run_dir/Tarvik.ini" | grep '^Precision=')"

open_options_from_menu
click_tab 2
expect "a click on the tab shows 転送" "転送" "$(sheet_page)"
press alt+h
press ctrl+shift+k
screenshot options-transfer
click_ok
close_check "OK closes the sheet"
focus_calculator
press ctrl+shift+k
expect_eventually "the new hotkey hides the calculator in front" "0" probe visible
press ctrl+shift+k
expect_eventually "the new hotkey calls the calculator" "1" probe visible
focus_tarvik_keeping_place
press alt+space
press Escape
expect "Alt+Space no longer hides it" "1" "$(probe visible)"
expect "Tarvik.ini holds the new hotkey" "Hotkey=843" "$(tr -d '\r' <"$run_dir/Tarvik.ini" | grep '^Hotkey=')"

# The tray menu opens the same sheet; asked again while it is open, it only
# brings that sheet to the front.
tray=$(xdotool search --name '^Wine System Tray$' | head -1)
if [ -n "$tray" ]; then
  open_options_from_tray
  expect_eventually "the tray menu opens the sheet" "関数" sheet_page
  open_options_from_tray
  sleep 1
  expect "a second request keeps one sheet" "1" "$(xdotool search --onlyvisible --name 'オプション' | wc -l)"
  click_tab 1
  expect "the sheet still answers" "表示" "$(sheet_page)"
  press Escape
  close_check "Escape cancels the sheet"
else
  expect "Wine's tray window exists" "yes" "no"
fi

probe close >/dev/null
wait_until "Tarvik to end" bash -c "! kill -0 $tarvik_pid 2>/dev/null"
