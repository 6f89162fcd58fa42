# What the options refuse or protect, with real keys: a hand-edited function
# the engine cannot read is named once at start and survives a confirmed
# sheet; the user function dialog refuses "f(x)" as a name; Alt+letters typed
# into the hotkey field stay there instead of pressing the page's buttons; a
# hotkey without Ctrl or Alt is refused; the tray menu opens no modal window
# inside the open sheet.

guards_title="Tarvik オプション"
guards_ini_line() { tr -d '\r' <"$run_dir/Tarvik.ini" 2>/dev/null | grep "^$1=" || true; }
guards_message_line() { probe message | sed -n "${1}p"; }
guards_message_open() { probe_ok message && echo open || echo closed; }
guards_sheet_open() { probe_ok page && echo open || echo closed; }
guards_dialog_open() { xdotool search --onlyvisible --name '^関数の設定$' >/dev/null 2>&1 && echo open || echo closed; }
# Keys go to the window under the pointer and given the focus: the newest
# window named TITLE (X gives Wine's windows rising ids).
guards_focus() {
  local id; id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | sort -n | tail -1)
  [ -n "$id" ] || return 1
  eval "$(xdotool getwindowgeometry --shell "$id")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + 10))
  xdotool windowfocus --sync "$id" >/dev/null 2>&1 || true
  sleep 0.3
}
guards_answer_message() {
  guards_focus '^Tarvik$'
  press Return
  expect_eventually "$1" "closed" guards_message_open
}
guards_click_item() {
  local l t r b; read -r l t r b <<<"$(probe item-rect "$guards_title" "$1")"
  xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
  sleep 0.6
}
guards_open_options() {
  focus_tarvik
  eval "$(xdotool getwindowgeometry --shell "$(tarvik_window)")"
  xdotool mousemove $((X + 8)) $((Y + 30)) click 3; sleep 0.6
  press o
  wait_until "the options sheet" probe_ok page
}
guards_show_transfer_page() {
  local left top right bottom
  read -r left top right bottom <<<"$(probe tabs)"
  xdotool mousemove $((left + 29 + 53 * 2)) $((top + 9)) click 1
  sleep 0.8
}

new_run_dir
printf '[User Function]\r\nSize=1\r\nf0=bad(x=//\r\nKeySize=1\r\nk0=-2147483648,66\r\n' >"$run_dir/Tarvik.ini"
start_tarvik
expect_eventually "an unreadable function is named at start" \
  "Tarvik.ini の次のユーザ関数は読み取れないため使用しません。ファイルにはそのまま残します。" guards_message_line 1
expect "the message names the entry as stored" "f0=bad(x=//" "$(guards_message_line 3)"
screenshot guards-unreadable
guards_answer_message "Enter closes the start message"

# "f(x)" as a name would read back as f with the parameter x.
guards_open_options
press alt+r
expect_eventually "the user function dialog opens" "open" guards_dialog_open
type_keys 'f(x)'
press Tab
type_keys 'y'
press Tab
type_keys 'y*2'
press Return
expect_eventually "a name with its own parameter list is refused" \
  "関数名には名前だけを、前後に空白を付けずに入力してください" probe message
screenshot guards-name-refused
guards_answer_message "Enter closes the refusal"
guards_focus '^関数の設定$'
press Escape
expect_eventually "Escape cancels the dialog" "closed" guards_dialog_open

# Alt+S is the page's "初期設定(&S)" and Alt+T its first check box; typed into
# the field they are the hotkey.
guards_show_transfer_page
expect "the transfer page is shown" "転送" "$(probe page)"
guards_click_item 1017
press alt+s
expect "Alt+S in the field is Alt+S" "$((0x400 + 0x53))" "$(probe item-state 1017)"
press alt+t
expect "Alt+T in the field is Alt+T" "$((0x400 + 0x54))" "$(probe item-state 1017)"
expect "Alt+T leaves the send check box as it was" "1" "$(probe item-state 1016)"
screenshot guards-hotkey-field

# "A" alone would be taken from every application.
press a
expect "the field holds A alone" "$((0x41))" "$(probe item-state 1017)"
click_sheet_ok
expect_eventually "a hotkey without Ctrl or Alt is refused" \
  "ホットキーには Ctrl か Alt を組み合わせてください。F1～F24 は単独でも使えます。" probe message
guards_answer_message "Enter closes the hotkey refusal"
expect "the sheet stays open" "open" "$(guards_sheet_open)"
expect "the sheet stays on 転送" "転送" "$(probe page)"

# The tray menu's about box while the sheet is open brings the sheet forward.
tray=$(xdotool search --name '^Wine System Tray$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$tray")"
xdotool mousemove $((X + 10)) $((Y + 10)) click 3; sleep 0.8
press a
sleep 0.8
expect "the tray menu opens no about box inside the sheet" "1" "$(probe modal-count)"

guards_click_item 1017
press alt+s
click_sheet_ok
expect_eventually "OK closes the sheet" "closed" guards_sheet_open
expect_eventually "the hotkey is stored as typed" "Hotkey=$((0x453))" guards_ini_line Hotkey
expect "the unreadable function survives with its text" "f0=bad(x=//" "$(guards_ini_line f0)"
expect "and with its key" "k0=-2147483648,66" "$(guards_ini_line k0)"

stop_tarvik
