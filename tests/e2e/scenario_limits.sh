# Expressions beyond the bounds of one evaluation, with live preview on: a
# chain of 3,000 user functions (deeper than any stack allows) and a fan-out
# of calls (more work than an evaluation may do) are evaluated as each key is
# typed, the closing ")" included, and on Enter show their messages in the
# answer field; the calculator goes on working.
new_run_dir
{
  printf '[Option]\r\nShow NC Ans=Yes\r\n[User Function]\r\nSize=3003\r\n'
  for i in $(seq 0 2998); do printf 'f%d=c%d(x)=c%d(x)+1\r\n' "$i" "$i" $((i + 1)); done
  printf 'f2999=c2999(x)=x\r\n'
  calls=$(printf 'w1(x)+%.0s' $(seq 3000)); printf 'f3000=w0(x)=%s0\r\n' "$calls"
  calls=$(printf 'w2(x)+%.0s' $(seq 3000)); printf 'f3001=w1(x)=%s0\r\n' "$calls"
  printf 'f3002=w2(x)=x\r\n'
} >"$run_dir/Tarvik.ini"
start_tarvik
focus_tarvik

type_keys 'c2800(1)+1'
expect_eventually "live preview of a chain within the bound" "201" answer_text
press Escape
type_keys 'c0(1)'
press Return
expect_eventually "a chain of 3,000 functions shows the depth message" \
  "ユーザー関数の呼び出しの入れ子が 256 段を超えました。" answer_text
screenshot limits-depth
press Escape
type_keys 'w0(2)'
press Return
expect_eventually "a fan-out of calls shows the work message" \
  "計算量が上限を超えたため、計算を打ち切りました。" answer_text
press Escape
type_keys '1+2'
press Return
expect_eventually "the calculator goes on working" "3" answer_text
expect "one process, still running" "1" "$(tarvik_process_count)"
stop_tarvik
