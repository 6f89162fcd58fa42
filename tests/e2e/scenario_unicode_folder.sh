# A folder named in characters outside the ANSI code page (Latin, Korean and
# an emoji), and a Japanese one: settings, history and variables are saved
# there and read back, and F1 opens the help file beside the program.
for folder_name in 'Zoë_도구_😀' '計算ツール'; do
  new_run_dir
  folder="$run_dir/$folder_name"
  mkdir "$folder"
  mv "$run_dir/Tarvik.exe" "$run_dir/Tarvik.chm" "$folder/"
  run_dir=$folder
  start_tarvik
  focus_tarvik
  for expression in 'w=6' '1+2'; do
    type_keys "$expression"
    press Return
  done
  expect_eventually "two calculations committed" "3" answer_text
  press ctrl+h
  expect_eventually "the answer form is hexadecimal" "0x3" answer_text
  press F1
  expect_eventually "F1 opens the help in $folder_name" "yes" help_window_shown
  close_help_windows
  stop_tarvik
  expect "the files are in $folder_name" "Tarvik.ini history.txt var.txt" "$(ls "$folder" | grep -Ev 'exe|chm' | sort | xargs)"

  start_tarvik
  focus_tarvik
  press Next
  wait_until "the history list after a restart" probe_ok list
  expect "the history survives" $'1+2 = 3\nw=6 = 6' "$(probe list)"
  press Escape
  wait_until "the list to close" list_closed
  press Prior
  wait_until "the variable list" probe_ok list
  expect "the variables survive" $'ans = 0\nw = 6' "$(probe list)"
  press Escape
  wait_until "the list to close" list_closed
  focus_tarvik
  type_keys '10'
  press Return
  expect_eventually "the answer form survives" "0xA" answer_text
  stop_tarvik
done
