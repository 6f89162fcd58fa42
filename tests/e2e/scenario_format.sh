# The format page with real clicks: the answer window's background takes a
# basic colour from the colour dialog at once, keeps it after a restart, and
# goes back to the system colour with "自動設定(&T)". Screenshots of the page
# for each window and of the colour dialog.

sheet_title="Tarvik オプション"
colour_title="色の設定"

# rect_centre "LEFT TOP RIGHT BOTTOM" -> "X Y"
rect_centre() { local l t r b; read -r l t r b <<<"$1"; echo "$(((l + r) / 2)) $(((t + b) / 2))"; }
# click_item TITLE ID: a left click in the middle of the control.
click_item() {
  wait_until "control $2 of $1" probe_ok item-rect "$1" "$2" || return 1
  local x y; read -r x y <<<"$(rect_centre "$(probe item-rect "$1" "$2")")"
  xdotool mousemove "$x" "$y" click 1
  sleep 0.6
}
closed() { ! probe_ok item-rect "$1" "$2"; }
# click_to_close TITLE ID: clicks the button until its window is gone. With no
# window manager, the first click on the sheet after its colour dialog closed
# can go to making the sheet active again.
click_to_close() {
  for _ in 1 2 3; do
    click_item "$1" "$2"
    wait_until "$1 to close" closed "$1" "$2" 2>/dev/null && return 0
  done
  echo "$1 did not close" >&2
  return 1
}
# The colour of one screen pixel as "R,G,B".
pixel_at() {
  import -window root "$run_dir/screen.png"
  convert "$run_dir/screen.png" -format "%[fx:int(255*p{$1,$2}.r+.5)],%[fx:int(255*p{$1,$2}.g+.5)],%[fx:int(255*p{$1,$2}.b+.5)]" info:
}
# A point of the answer window away from its right-aligned text.
answer_background() {
  local l t r b; read -r l t r b <<<"$(probe child-rect 1)"
  pixel_at $((l + 6)) $(((t + b) / 2))
}

# The main window's menu from a right click on its grip, "オプション(&O)", then
# the fourth page.
sheet_shown() {
  for _ in $(seq 12); do probe_ok item-rect "$sheet_title" 1 && return 0; sleep 0.25; done
  return 1
}
open_format_page() {
  local l t r b attempt; read -r l t r b <<<"$(probe rect)"
  # A Wine server that has just started (after another scenario restarted
  # it) can drop the first keys: ask again until the sheet is there.
  for attempt in 1 2 3; do
    focus_tarvik
    xdotool mousemove $((l + 8)) $(((t + b) / 2)) click 3
    sleep 0.6
    press o
    sheet_shown && break
    press Escape
  done
  wait_until "the options sheet" probe_ok item-rect "$sheet_title" 1 || return 1
  # With no window manager nobody gives the new window the keyboard.
  local id; id=$(xdotool search --name "^$sheet_title\$" 2>/dev/null | head -1)
  xdotool windowfocus --sync "$id" >/dev/null 2>&1 || true
  sleep 0.3
  # The fourth tab, "書式": clicked along the tab strip until its page shows.
  local tl tt tr tb x
  read -r tl tt tr tb <<<"$(probe item-rect "$sheet_title" 12320)"
  for x in $(seq $((tl + 140)) 15 $((tl + 300))); do
    xdotool mousemove "$x" $((tt + 10)) click 1
    sleep 0.4
    probe_ok item-rect "$sheet_title" 1034 && return 0
  done
  echo "no format page" >&2
  return 1
}
# choose_window N: the window list by a click, then N steps down from the top.
choose_window() {
  click_item "$sheet_title" 1034
  press Home
  for _ in $(seq "$1"); do press Down; done
  press Return
}

new_run_dir
start_tarvik
focus_tarvik
system_face=$(answer_background)

open_format_page
screenshot format-page-main-window
choose_window 1
screenshot format-page-editor
choose_window 2
screenshot format-page-answer-window
click_item "$sheet_title" 1000
wait_until "the colour dialog" probe_ok item-rect "$colour_title" 720
screenshot colour-dialog
# The basic colours are 8 across and 6 down; the third of the third row is
# pure green.
read -r l t r b <<<"$(probe item-rect "$colour_title" 720)"
xdotool mousemove $((l + (r - l) * 5 / 16)) $((t + (b - t) * 5 / 12)) click 1
sleep 0.5
click_to_close "$colour_title" 1
click_to_close "$sheet_title" 1
expect_eventually "OK, OK paints the answer window green at once" "0,255,0" answer_background
expect "the colour is saved" "1" "$(grep -c '^Ans Back Color=65280' "$run_dir/Tarvik.ini")"

stop_tarvik
start_tarvik
focus_tarvik
expect_eventually "the colour survives a restart" "0,255,0" answer_background

open_format_page
choose_window 2
click_item "$sheet_title" 1000
click_to_close "$colour_title" 1046
click_to_close "$sheet_title" 1
expect_eventually "自動設定 brings the system colour back" "$system_face" answer_background
expect "automatic is saved as -1" "1" "$(grep -c '^Ans Back Color=-1' "$run_dir/Tarvik.ini")"
stop_tarvik
