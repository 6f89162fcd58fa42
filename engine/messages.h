#pragma once
// Every message text of the engine, in one place. The source is UTF-8; the
// engine is compiled with -fexec-charset=CP932, so these become the program's
// Shift-JIS bytes. Include this header only from engine .cpp files.

namespace cal::messages {

// Tokens and literals
inline constexpr const char* empty_expression = "式が空です。";
inline constexpr const char* unrecognised_prefix = "文字 '";
inline constexpr const char* unrecognised_suffix = "' は認識できません。";
inline constexpr const char* number_out_of_range = "数字が有効範囲から外れています。";
inline constexpr const char* radix_no_digit_prefix = "'0";
inline constexpr const char* radix_no_digit_suffix = "' の後には少なくとも1つの数字が必要です。";
inline constexpr const char* bad_digit_prefix = "文字 '";
inline constexpr const char* bad_binary_suffix = "' は適切な2進数文字ではありません。";
inline constexpr const char* bad_octal_suffix = "' は適切な8進数文字ではありません。";
inline constexpr const char* bad_hex_suffix = "' は適切な16進数文字ではありません。";
inline constexpr const char* bad_angle_time = "適切な角度または時間表現ではありません。";
inline constexpr const char* undefined_variable_prefix = "変数 '";
inline constexpr const char* undefined_variable_suffix = "' は定義されていません。";

// Parsing and evaluation
inline constexpr const char* undefined_function_prefix = "関数 '";
inline constexpr const char* undefined_function_suffix = "' は定義されていません。";
inline constexpr const char* missing_paren = "対応する括弧がありません。";
inline constexpr const char* argument_count_prefix = "引数が ";
inline constexpr const char* argument_count_suffix = "つ必要です。";
inline constexpr const char* operator_after_paren = "右括弧の後に演算子が必要です";
inline constexpr const char* no_left_paren = "対応する左括弧が見つかりません。";
inline constexpr const char* no_right_paren = "対応する右括弧が見つかりません。";
inline constexpr const char* no_assignment_value = "代入文の右辺値が存在しません。";
inline constexpr const char* assignment_not_variable = "代入文の左辺が変数ではありません。";
inline constexpr const char* bad_syntax = "不正な構文です。";
inline constexpr const char* division_by_zero = "除算が 0 で行われています。";
inline constexpr const char* remainder_by_zero = "剰余演算が 0 で行われています。";
inline constexpr const char* result_out_of_range = "結果が有効範囲から外れました。";

// User-function definitions and calls
inline constexpr const char* definition_without_equals = "関数定義に '=' がありません。";
inline constexpr const char* definition_bad_character = "認識できない文字が使われています";
inline constexpr const char* bad_function_name_prefix = "'";
inline constexpr const char* bad_function_name_suffix = "' は関数名として利用できません。";
inline constexpr const char* bad_parameter_prefix = "'";
inline constexpr const char* bad_parameter_suffix = "' は引数名として利用できません。";
inline constexpr const char* bad_definition = "不正な関数定義です。";
inline constexpr const char* user_function_error_prefix = "ユーザー関数の計算中にエラーが発生しました。(";
inline constexpr const char* user_function_error_separator = ": ";
inline constexpr const char* user_function_error_position = "[";
inline constexpr const char* user_function_error_suffix = "文字目])";

// The bounds of one evaluation
inline constexpr const char* call_depth_prefix = "ユーザー関数の呼び出しの入れ子が ";
inline constexpr const char* call_depth_suffix = " 段を超えました。";
inline constexpr const char* work_budget_exceeded = "計算量が上限を超えたため、計算を打ち切りました。";

} // namespace cal::messages
