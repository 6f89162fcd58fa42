# Files a user made by hand in another editor: history.txt in UTF-16 with
# CR-only line ends, var.txt in UTF-8 with a BOM and no line end after its
# last line, Tarvik.ini in UTF-8 with a BOM. Every entry loads, and all of it
# survives a restart in the program's own form (Shift-JIS, CR LF).
new_run_dir
python3 - "$run_dir" <<'PY'
import sys
d = sys.argv[1]
open(d + "/history.txt", "wb").write(b"\xff\xfe" + "1+1 = 2\r2*3 = 6\r単価 = 5".encode("utf-16-le"))
open(d + "/var.txt", "wb").write(b"\xef\xbb\xbf" + "first = 1\r\n単価 = 5\r\nlast = 7".encode("utf-8"))
open(d + "/Tarvik.ini", "wb").write(b"\xef\xbb\xbf[Option]\r\nAnswer Mode=4\r\n")
PY
start_tarvik
focus_tarvik
type_keys '10'
press Return
expect_eventually "Tarvik.ini's first section is read" "0xA" answer_text
press Next
wait_until "the history list" probe_ok list
history_rows() { probe list | tr '\n' '|'; }
expect "every history entry loads" "10 = 0xA|単価 = 5|2*3 = 6|1+1 = 2|" "$(history_rows)"
press Escape
wait_until "the list to close" list_closed
press Prior
wait_until "the variable list" probe_ok list
expect "every variable loads" "ans = 10|first = 1|last = 7|単価 = 5|" "$(history_rows)"
press Escape
wait_until "the list to close" list_closed
stop_tarvik

expect "history.txt is written back in Shift-JIS with CR LF" \
  "$(printf '1+1 = 2\r\n2*3 = 6\r\n単価 = 5\r\n10 = 0xA\r\n' | iconv -f UTF-8 -t CP932 | od -c)" "$(od -c <"$run_dir/history.txt")"
expect "var.txt keeps every variable" "first = 1|last = 7|単価 = 5|" \
  "$(grep -av '^ans' "$run_dir/var.txt" | iconv -f CP932 -t UTF-8 | tr -d '\r' | tr '\n' '|')"
expect "Tarvik.ini holds one [Option] section, first" "1 [Option]" \
  "$(grep -ac '^\[Option\]' "$run_dir/Tarvik.ini") $(head -1 "$run_dir/Tarvik.ini" | tr -d '\r')"

start_tarvik
focus_tarvik
press Next
wait_until "the history list after a restart" probe_ok list
expect "the history survives a restart" "10 = 0xA|単価 = 5|2*3 = 6|1+1 = 2|" "$(history_rows)"
press Escape
stop_tarvik
