# Help and the about box, in the release a user downloads: the zip made by
# scripts/package.sh unpacked into a fresh folder. F1 in the main window opens
# Wine's help viewer on Tarvik.chm (its title is the help file's own); the
# tray menu's "Tarvikについて(&A)" opens the about box, whose mail line turns
# blue under the real mouse and back when the mouse leaves; Esc leaves the box
# open, Enter closes it.

# The packaging prints the zip, the installer and the manifests, one a line.
release_zip=$(TARVIK_BUILD="$build" "$root/scripts/package.sh" "$build/e2e-dist" | grep '\.zip$')
run_dir=$(mktemp -d "$build/e2e-run.XXXXXX")
(cd "$run_dir" && unzip -q "$release_zip")
release_dir=$(echo "$run_dir"/Tarvik-*)
expect "the release holds the program, its help and the read-me" \
  "README.txt Tarvik.chm Tarvik.exe" "$(cd "$release_dir" && ls | sort | xargs)"
run_dir=$release_dir
start_tarvik

focus_tarvik
press F1
expect_eventually "F1 opens the help viewer on Tarvik.chm" "yes" help_window_shown
sleep 1
screenshot help-window
close_help_windows

# The about box from the tray menu ("Tarvikについて(&A)" by its access key).
about_box_open() { probe_ok dialog-item 1047; }
about_box_shown() { about_box_open && echo yes || echo no; }
tray_window() { xdotool search --name '^Wine System Tray$' 2>/dev/null | head -1; }
tray_window_exists() { [ -n "$(tray_window)" ]; }
wait_until "Wine's tray window" tray_window_exists
tray=$(tray_window)
if [ -n "$tray" ]; then
  eval "$(xdotool getwindowgeometry --shell "$tray")"
  xdotool mousemove $((X + 10)) $((Y + 10)) click 3; sleep 0.8
  press a
fi
expect_eventually "the tray menu opens the about box" "yes" about_box_shown

# The mail line's colour as the screen shows it: "blue" when any pixel is
# pure blue (0, 0, 255), else "black" when any is black, else "none".
mail_line_colour() {
  local left top right bottom pixels
  read -r left top right bottom <<<"$(probe dialog-item 1047)"
  pixels=$(import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" -depth 8 txt:- 2>/dev/null)
  if grep -q '#0000FF' <<<"$pixels"; then echo blue
  elif grep -q '#000000' <<<"$pixels"; then echo black
  else echo none; fi
}
if about_box_open; then
  read -r left top right bottom <<<"$(probe dialog-item 1047)"
  xdotool mousemove 5 500; sleep 0.5
  expect "the mail line is black with the mouse away" "black" "$(mail_line_colour)"
  xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2)); sleep 0.3
  xdotool mousemove $(((left + right) / 2 + 2)) $(((top + bottom) / 2)); sleep 0.5
  expect_eventually "the mail line turns blue under the mouse" "blue" mail_line_colour
  screenshot about-box-hover
  xdotool mousemove 5 500
  expect_eventually "the mail line turns back when the mouse leaves the box" "black" mail_line_colour
  screenshot about-box
  about=$(xdotool search --name 'Tarvikについて' | head -1)
  xdotool windowfocus --sync "$about" >/dev/null 2>&1 || true
  press Escape
  expect "Esc leaves the about box open" "yes" "$(about_box_shown)"
  press Return
  expect_eventually "Enter closes the about box" "no" about_box_shown
fi

stop_tarvik
