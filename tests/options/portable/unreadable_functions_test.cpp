#include "options/unreadable_functions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct report_case {
    const char* name;
    std::vector<std::string> texts;
    std::string report;
};

class unreadable_functions : public testing::TestWithParam<report_case> {};

TEST_P(unreadable_functions, are_named_with_their_keys) {
    EXPECT_EQ(unreadable_functions_report(GetParam().texts), GetParam().report);
}

const std::string long_name(70, 'a');
// Sixty bytes: 59 ASCII bytes, then a double-byte character that would cross the limit.
const std::string double_byte_at_limit = std::string(59, 'b') + "\x82\xa0=1";

INSTANTIATE_TEST_SUITE_P(
    lists, unreadable_functions,
    testing::Values(report_case{"all_read", {"f(x)=x//", "g()=1//"}, ""},
                    report_case{"empty_entries_hold_nothing", {"", "f(x)=x//", ""}, ""},
                    report_case{"bad_ones_by_key", {"f(x)=x//", "f0", "#=1"}, "f1=f0\r\nf2=#=1\r\n"},
                    report_case{"long_text_cut", {long_name}, "f0=" + std::string(60, 'a') + "...\r\n"},
                    report_case{"cut_before_a_double_byte_character",
                                {double_byte_at_limit},
                                "f0=" + std::string(59, 'b') + "...\r\n"},
                    report_case{"long_list_ended",
                                std::vector<std::string>(12, "x"),
                                [] {
                                    std::string lines;
                                    for (int i = 0; i < 10; ++i)
                                        lines += "f" + std::to_string(i) + "=x\r\n";
                                    return lines + "...\r\n";
                                }()}),
    [](const testing::TestParamInfo<report_case>& info) { return info.param.name; });

} // namespace
