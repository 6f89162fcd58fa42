# The history and variable lists with real keys, and both surviving a restart
# byte for byte in history.txt and var.txt.
new_run_dir
start_tarvik
focus_tarvik

for expression in 'x=5' '2+3' '7*6'; do
  type_keys "$expression"
  press Return
done
expect_eventually "three calculations committed" "42" answer_text

press Next
wait_until "the history list" probe_ok list
expect "the history list shows newest first" $'7*6 = 42\n2+3 = 5\nx=5 = 5' "$(probe list)"
screenshot history-list
press Down Down Return
expect_eventually "picking the second entry brings its expression back" "2+3" editor_text
expect "and its stored answer" "5" "$(answer_text)"
press Return
expect_eventually "Enter evaluates the picked entry again" "5" answer_text

press Prior
wait_until "the variable list" probe_ok list
expect "the variable list shows every variable in name order" $'ans = 5\nx = 5' "$(probe list)"
screenshot variable-list
press ctrl+h
expect_eventually "Ctrl+H switches the answer form while the list has the focus" "0x5" answer_text
press ctrl+d
expect_eventually "and Ctrl+D back" "5" answer_text
press Escape
wait_until "the list to close" list_closed

stop_tarvik
expect "history.txt holds every entry, oldest first, CR LF" \
  "$(printf 'x=5 = 5\r\n2+3 = 5\r\n7*6 = 42\r\n2+3 = 5\r\n' | od -c)" "$(od -c <"$run_dir/history.txt")"
expect "var.txt holds the variables in name order" \
  "$(printf 'ans = 5\r\nx = 5\r\n' | od -c)" "$(od -c <"$run_dir/var.txt")"

start_tarvik
focus_tarvik
press Next
wait_until "the history list after a restart" probe_ok list
expect "the history survives a restart" $'2+3 = 5\n7*6 = 42\n2+3 = 5\nx=5 = 5' "$(probe list)"
press Escape
type_keys 'ans+x'
press Return
expect_eventually "after a restart ans is 0 and x is still 5" "5" answer_text
stop_tarvik
