# A deletion from the history list while the calculator is clicked and typed
# into: the question keeps the whole calculator waiting, only the chosen entry
# goes, one popup stays, and the list and history.txt agree.
new_run_dir
start_tarvik
focus_tarvik

for expression in '3+0' '5'; do
  type_keys "$expression"
  press Return
done
expect_eventually "two calculations committed" "5" answer_text

press Next
wait_until "the history list" probe_ok list
# The list's context menu (Shift+F10), 削除(&D).
press Down Down shift+F10 d
question_up() { [ "$(probe foreground)" == "#32770" ]; }
wait_until "the deletion question" question_up
screenshot deletion-question

# Click into the calculator's editor and type there, as the user would.
read -r left top right bottom <<<"$(probe rect)"
xdotool mousemove $((left + 60)) $((top + 12)) click 1
sleep 0.4
type_keys '7'
press Return Prior
screenshot deletion-question-after-typing
expect "the calculator took none of it" "5" "$(editor_text)"
expect "one popup at most" "1" "$(probe popups)"

# Answer Yes (Y) with the pointer on the question, should it still be up.
if question_up; then
  read -r left top right bottom <<<"$(probe rect)"
  for id in $(xdotool search --name '^Tarvik$'); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    [ "$X" -ne "$left" ] && xdotool mousemove $((X + WIDTH / 2)) $((Y + 10)) && sleep 0.3
  done
  press y
fi
question_gone() { ! question_up; }
wait_until "the question to go" question_gone
expect_eventually "only the chosen entry is gone" "5 = 5" probe list
expect "still one popup" "1" "$(probe popups)"
screenshot deletion-done
press Escape
wait_until "the list to close" list_closed
stop_tarvik
expect "history.txt agrees with the list" "$(printf '5 = 5\r\n' | od -c)" "$(od -c <"$run_dir/history.txt")"
