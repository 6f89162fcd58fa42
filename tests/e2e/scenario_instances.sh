# Four copies started at the same moment from one folder: one keeps running,
# with one window and one tray icon, and the folder's files keep their
# contents through its exit.
new_run_dir
printf '1+2 = 3\r\n' >"$run_dir/history.txt"
printf 'q = 7\r\n' >"$run_dir/var.txt"
for _ in 1 2 3 4; do
  (cd "$run_dir" && exec wine "$run_dir/Tarvik.exe" </dev/null >/dev/null 2>&1) &
done
wait_until "Tarvik's window" probe_ok visible
instances_one_left() { [ "$(tarvik_process_count)" -le 1 ]; }
wait_until "the later copies to end" instances_one_left
expect "four starts at once leave one process" "1" "$(tarvik_process_count)"
expect "four starts at once leave one window" "1" "$(probe count)"
instances_tray_width() {
  local tray; tray=$(xdotool search --name '^Wine System Tray$' 2>/dev/null | head -1)
  [ -n "$tray" ] && xdotool getwindowgeometry --shell "$tray" | sed -n 's/^WIDTH=//p'
}
wait_until "Wine's tray window" instances_tray_width >/dev/null
tray_width_of_four=$(instances_tray_width)

focus_tarvik
type_keys 'q*2'
press Return
expect_eventually "the running copy has the folder's variables" "14" answer_text
stop_tarvik
expect "the history kept its entry and gained the new one" "1+2 = 3|q*2 = 14" \
  "$(tr -d '\r' <"$run_dir/history.txt" | sort | paste -sd '|')"
expect "the variables are intact" "yes" "$(grep -q '^q = 7' "$run_dir/var.txt" && echo yes || echo no)"
expect "no temporary file is left" "" "$(cd "$run_dir" && ls -- *.tmp 2>/dev/null)"

# The tray of a single start, for comparison.
start_tarvik
wait_until "Wine's tray window" instances_tray_width >/dev/null
expect "four starts at once leave one tray icon" "$(instances_tray_width)" "$tray_width_of_four"
stop_tarvik
