#include "options/hotkey_rule.h"

#include <gtest/gtest.h>

namespace {

struct hotkey_case {
    const char* name;
    std::int32_t hotkey;
    hotkey_kind kind;
};

class hotkey_rule : public testing::TestWithParam<hotkey_case> {};

TEST_P(hotkey_rule, classifies) { EXPECT_EQ(classify_hotkey(GetParam().hotkey), GetParam().kind); }

INSTANTIATE_TEST_SUITE_P(
    values, hotkey_rule,
    testing::Values(hotkey_case{"cleared", 0x0000, hotkey_kind::none},
                    hotkey_case{"modifiers_without_key", 0x0600, hotkey_kind::none},
                    hotkey_case{"alt_space", 0x0420, hotkey_kind::usable},
                    hotkey_case{"ctrl_shift_k", 0x034B, hotkey_kind::usable},
                    hotkey_case{"ctrl_home_extended", 0x0A24, hotkey_kind::usable},
                    hotkey_case{"f1_alone", 0x0070, hotkey_kind::usable},
                    hotkey_case{"f24_alone", 0x0087, hotkey_kind::usable},
                    hotkey_case{"a_alone", 0x0041, hotkey_kind::needs_modifier},
                    hotkey_case{"shift_a", 0x0141, hotkey_kind::needs_modifier},
                    hotkey_case{"extended_home_alone", 0x0824, hotkey_kind::needs_modifier},
                    hotkey_case{"space_alone", 0x0020, hotkey_kind::needs_modifier}),
    [](const testing::TestParamInfo<hotkey_case>& info) { return info.param.name; });

} // namespace
