# Nothing lost when the process is killed: a commit, an assignment, a
# deletion and an answer form chosen from the keyboard are in their files a
# second later, and a restart after kill -9 finds them all.
new_run_dir
start_tarvik
focus_tarvik

for expression in 'gone=4' 'small=1e-5' '1+2'; do
  type_keys "$expression"
  press Return
done
expect_eventually "three calculations committed" "3" answer_text

press Prior
wait_until "the variable list" probe_ok list
press Down Down shift+F10 d
question_up() { [ "$(probe foreground)" == "#32770" ]; }
wait_until "the deletion question" question_up
press y
variable_rows() { probe list | tr '\n' ' '; }
expect_eventually "the variable is deleted" "ans = 3 small = 0.00001 " variable_rows
press Escape
wait_until "the list to close" list_closed
press ctrl+h
expect_eventually "the answer form is hexadecimal" "0x3" answer_text

sleep 1
for pid in $(pgrep -f "^$run_dir/Tarvik\\.exe"); do kill -9 "$pid"; done
wait_until "the killed Tarvik to end" bash -c "! pgrep -f '^$run_dir/Tarvik\\.exe' >/dev/null"
sleep 1

start_tarvik
focus_tarvik
press Next
wait_until "the history list after the kill" probe_ok list
expect "the history survives the kill" "1+2 = 3" "$(probe list | head -1)"
press Escape
wait_until "the list to close" list_closed
expect "the assignment survives exactly" "small = 1e-05" "$(grep -a '^small' "$run_dir/var.txt" | tr -d '\r')"
expect "the deletion survives" "0" "$(grep -c '^gone' "$run_dir/var.txt")"
expect "the answer form survives" "Answer Mode=4" "$(grep -a '^Answer Mode' "$run_dir/Tarvik.ini" | tr -d '\r')"
focus_tarvik
type_keys '10'
press Return
expect_eventually "and is in force" "0xA" answer_text
stop_tarvik
