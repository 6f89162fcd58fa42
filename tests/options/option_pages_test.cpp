// The options sheet with its display and transfer pages, driven while it runs
// modally: what the user types and clicks reaches the settings record only
// through a confirmed sheet, and refused numbers never reach it.
#include "options/options_sheet.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "support/sheet_script.h"
#include "support/sjis.h"
#include "ui/application.h"

namespace {

constexpr int FUNCTIONS_PAGE = 0;
constexpr int DISPLAY_PAGE = 1;
constexpr int TRANSFER_PAGE = 2;

// What the script saw while the sheet ran.
struct observations {
    std::vector<std::string> messages; // texts of the message boxes, UTF-8
    std::vector<int> page_indexes;     // the sheet's current page
    std::vector<int> focused_ids;      // the control with the focus
};

sheet_step observe(observations& seen) {
    return [&seen](HWND sheet) {
        seen.page_indexes.push_back(current_page_index(sheet));
        seen.focused_ids.push_back(GetDlgCtrlID(GetFocus()));
    };
}

sheet_step observe_page(observations& seen) {
    return [&seen](HWND sheet) { seen.page_indexes.push_back(current_page_index(sheet)); };
}

struct page_case {
    const char* name;
    std::function<void(settings&)> before; // the record the sheet opens on
    std::function<std::vector<sheet_step>(observations&, std::vector<std::string>&)> steps;
    std::function<void(settings&)> expected; // the record expected after the run
    bool confirmed;
    std::vector<const char*> messages; // expected message texts, UTF-8
    std::vector<int> page_indexes;
    std::vector<int> focused_ids;
};

class option_pages : public ::testing::TestWithParam<page_case> {
protected:
    application app{GetModuleHandleA(nullptr), "", SW_SHOWNORMAL};
};

TEST_P(option_pages, edit_the_record_only_when_confirmed) {
    const page_case& c = GetParam();
    settings record;
    options_sheet sheet(record);
    if (c.before)
        c.before(sheet.current_settings());
    settings expected = sheet.current_settings();
    c.expected(expected);

    observations seen;
    std::vector<std::string> boxes;
    INT_PTR result = 0;
    {
        sheet_script script(c.steps(seen, boxes));
        result = sheet.run(nullptr);
        EXPECT_TRUE(script.all_steps_ran());
        EXPECT_FALSE(script.cancelled_for_hanging());
    }
    EXPECT_EQ(c.confirmed, result > 0);
    EXPECT_TRUE(expected == sheet.current_settings());

    std::vector<std::string> expected_messages;
    for (const char* text : c.messages)
        expected_messages.push_back(sjis(text));
    EXPECT_EQ(expected_messages, boxes);
    EXPECT_EQ(c.page_indexes, seen.page_indexes);
    EXPECT_EQ(c.focused_ids, seen.focused_ids);
}

const char* const precision_message = "0以上15以下の数字を入力してください。";
const char* const exponent_message = "2以上15以下の数字を入力してください。";

std::string case_name(const ::testing::TestParamInfo<page_case>& row) { return row.param.name; }

using steps = std::vector<sheet_step>;
using seen_t = observations;
using boxes_t = std::vector<std::string>;

INSTANTIATE_TEST_SUITE_P(
    display, option_pages,
    ::testing::Values(
        page_case{"precision_16_is_refused_on_a_tab_switch_and_the_edit_gets_the_focus",
                  {},
                  [](seen_t& seen, boxes_t& boxes) {
                      return steps{show_page(DISPLAY_PAGE),
                                   set_item_text(IDC_DISPLAY_PRECISION, "16"),
                                   show_page(TRANSFER_PAGE),
                                   answer_message_box(boxes),
                                   observe(seen),
                                   press_cancel};
                  },
                  [](settings&) {},
                  false,
                  {precision_message},
                  {DISPLAY_PAGE},
                  {IDC_DISPLAY_PRECISION}},
        page_case{"precision_16_is_refused_on_ok_and_accepted_once_corrected",
                  {},
                  [](seen_t& seen, boxes_t& boxes) {
                      return steps{show_page(DISPLAY_PAGE),
                                   set_item_text(IDC_DISPLAY_PRECISION, "16"),
                                   press_ok,
                                   answer_message_box(boxes),
                                   observe(seen),
                                   set_item_text(IDC_DISPLAY_PRECISION, "3"),
                                   press_ok};
                  },
                  [](settings& s) { s.precision = 3; },
                  true,
                  {precision_message},
                  {DISPLAY_PAGE},
                  {IDC_DISPLAY_PRECISION}},
        page_case{"a_number_beyond_32_bits_is_refused_not_wrapped",
                  {},
                  [](seen_t&, boxes_t& boxes) {
                      return steps{show_page(DISPLAY_PAGE),
                                   set_item_text(IDC_DISPLAY_PRECISION, "4294967299"), press_ok,
                                   answer_message_box(boxes), press_cancel};
                  },
                  [](settings&) {},
                  false,
                  {precision_message},
                  {},
                  {}},
        page_case{
            "an_emptied_precision_stores_0",
            {},
            [](seen_t&, boxes_t&) {
                return steps{show_page(DISPLAY_PAGE), set_item_text(IDC_DISPLAY_PRECISION, ""), press_ok};
            },
            [](settings& s) { s.precision = 0; },
            true,
            {},
            {},
            {}},
        page_case{"an_emptied_exponent_is_refused_and_its_edit_gets_the_focus",
                  {},
                  [](seen_t& seen, boxes_t& boxes) {
                      return steps{show_page(DISPLAY_PAGE),
                                   set_item_text(IDC_DISPLAY_EXPONENT, ""),
                                   press_ok,
                                   answer_message_box(boxes),
                                   observe(seen),
                                   press_cancel};
                  },
                  [](settings&) {},
                  false,
                  {exponent_message},
                  {DISPLAY_PAGE},
                  {IDC_DISPLAY_EXPONENT}},
        page_case{"exponent_1_is_refused",
                  {},
                  [](seen_t&, boxes_t& boxes) {
                      return steps{show_page(DISPLAY_PAGE), set_item_text(IDC_DISPLAY_EXPONENT, "1"),
                                   press_ok, answer_message_box(boxes), press_cancel};
                  },
                  [](settings&) {},
                  false,
                  {exponent_message},
                  {},
                  {}},
        page_case{
            "exponent_2_is_accepted",
            {},
            [](seen_t&, boxes_t&) {
                return steps{show_page(DISPLAY_PAGE), set_item_text(IDC_DISPLAY_EXPONENT, "2"), press_ok};
            },
            [](settings& s) { s.exp_translate = 2; },
            true,
            {},
            {},
            {}},
        page_case{
            "exponent_15_is_accepted",
            {},
            [](seen_t&, boxes_t&) {
                return steps{show_page(DISPLAY_PAGE), set_item_text(IDC_DISPLAY_EXPONENT, "15"), press_ok};
            },
            [](settings& s) { s.exp_translate = 15; },
            true,
            {},
            {},
            {}},
        page_case{"cancel_after_a_radio_change_leaves_the_answer_mode",
                  {},
                  [](seen_t&, boxes_t&) {
                      return steps{show_page(DISPLAY_PAGE), click(IDC_DISPLAY_HEX), press_cancel};
                  },
                  [](settings&) {},
                  false,
                  {},
                  {},
                  {}},
        page_case{"radios_and_switches_reach_the_record_on_ok",
                  {},
                  [](seen_t&, boxes_t&) {
                      return steps{show_page(DISPLAY_PAGE),
                                   click(IDC_DISPLAY_HEX),
                                   click(IDC_DISPLAY_GRAD),
                                   click(IDC_DISPLAY_ESC_HIDE),
                                   click(IDC_DISPLAY_BEGIN_SHOW),
                                   click(IDC_DISPLAY_COMMA),
                                   press_ok};
                  },
                  [](settings& s) {
                      s.answer_mode = 4;
                      s.angle_mode = 2;
                      s.esc_hide = true;
                      s.begin_show = false;
                      s.comma = true;
                  },
                  true,
                  {},
                  {},
                  {}},
        page_case{"ok_without_visiting_the_page_leaves_its_fields",
                  [](settings& s) {
                      s.precision = 7;
                      s.exp_translate = 4;
                      s.answer_mode = 3;
                  },
                  [](seen_t& seen, boxes_t&) {
                      return steps{observe_page(seen), press_ok};
                  },
                  [](settings&) {},
                  true,
                  {},
                  {FUNCTIONS_PAGE},
                  {}},
        page_case{"an_out_of_range_answer_mode_stays_as_it_was",
                  [](settings& s) { s.answer_mode = 9; },
                  [](seen_t&, boxes_t&) {
                      return steps{show_page(DISPLAY_PAGE), press_ok};
                  },
                  [](settings&) {},
                  true,
                  {},
                  {},
                  {}}),
    case_name);

INSTANTIATE_TEST_SUITE_P(
    transfer, option_pages,
    ::testing::Values(
        page_case{"the_default_button_restores_alt_space",
                  [](settings& s) { s.hotkey = 0; },
                  [](seen_t&, boxes_t&) {
                      return steps{show_page(TRANSFER_PAGE), click(IDC_TRANSFER_DEFAULT_HOTKEY), press_ok};
                  },
                  [](settings& s) { s.hotkey = 1056; },
                  true,
                  {},
                  {},
                  {}},
        page_case{
            "a_cleared_hotkey_stores_0",
            {},
            [](seen_t&, boxes_t&) {
                return steps{show_page(TRANSFER_PAGE), set_hotkey_control(IDC_TRANSFER_HOTKEY, 0), press_ok};
            },
            [](settings& s) { s.hotkey = 0; },
            true,
            {},
            {},
            {}},
        page_case{"another_combination_is_stored_in_the_control_form",
                  {},
                  [](seen_t&, boxes_t&) {
                      return steps{show_page(TRANSFER_PAGE),
                                   set_hotkey_control(IDC_TRANSFER_HOTKEY,
                                                      MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_SHIFT)),
                                   press_ok};
                  },
                  [](settings& s) { s.hotkey = 0x34B; },
                  true,
                  {},
                  {},
                  {}},
        page_case{"a_key_without_ctrl_or_alt_is_refused_and_a_function_key_alone_accepted",
                  {},
                  [](seen_t& seen, boxes_t& boxes) {
                      return steps{show_page(TRANSFER_PAGE),
                                   set_hotkey_control(IDC_TRANSFER_HOTKEY, MAKEWORD('A', HOTKEYF_SHIFT)),
                                   press_ok,
                                   answer_message_box(boxes),
                                   observe(seen),
                                   set_hotkey_control(IDC_TRANSFER_HOTKEY, VK_F5),
                                   press_ok};
                  },
                  [](settings& s) { s.hotkey = VK_F5; },
                  true,
                  {"ホットキーには Ctrl か Alt を組み合わせてください。F1～F24 は単独でも使えます。"},
                  {TRANSFER_PAGE},
                  {IDC_TRANSFER_HOTKEY}},
        page_case{"nothing_after_sending_stores_2_and_the_switches_follow_their_boxes",
                  {},
                  [](seen_t&, boxes_t&) {
                      return steps{show_page(TRANSFER_PAGE),         click(IDC_TRANSFER_STAY),
                                   click(IDC_TRANSFER_WHERE_IT_WAS), click(IDC_TRANSFER_SEND_ANS),
                                   click(IDC_TRANSFER_SEND_EXP),     press_ok};
                  },
                  [](settings& s) {
                      s.after_send = 2;
                      s.show_position = 2;
                      s.send_ans = false;
                      s.send_exp = true;
                  },
                  true,
                  {},
                  {},
                  {}},
        page_case{"cancel_keeps_the_hotkey",
                  {},
                  [](seen_t&, boxes_t&) {
                      return steps{show_page(TRANSFER_PAGE), set_hotkey_control(IDC_TRANSFER_HOTKEY, 0),
                                   press_cancel};
                  },
                  [](settings&) {},
                  false,
                  {},
                  {},
                  {}}),
    case_name);

// A fresh record shows on the transfer page as the defaults describe it.
TEST(transfer_page_defaults, show_alt_space_the_caret_sending_and_activation) {
    application app{GetModuleHandleA(nullptr), "", SW_SHOWNORMAL};
    settings record;
    options_sheet sheet(record);
    LRESULT hotkey = -1;
    std::vector<UINT> checks;
    {
        sheet_script script({show_page(TRANSFER_PAGE),
                             [&](HWND s) {
                                 HWND page = current_page(s);
                                 hotkey = SendDlgItemMessageA(page, IDC_TRANSFER_HOTKEY, HKM_GETHOTKEY, 0, 0);
                                 for (int id : {IDC_TRANSFER_AT_CARET, IDC_TRANSFER_SEND_ANS,
                                                IDC_TRANSFER_SEND_EXP, IDC_TRANSFER_ACTIVATE})
                                     checks.push_back(IsDlgButtonChecked(page, id));
                             },
                             press_cancel});
        sheet.run(nullptr);
    }
    EXPECT_EQ(0x420, hotkey);
    EXPECT_EQ((std::vector<UINT>{BST_CHECKED, BST_CHECKED, BST_UNCHECKED, BST_CHECKED}), checks);
}

TEST(options_sheet_reference, is_the_sheet_that_lives) {
    EXPECT_EQ(nullptr, options_sheet::current());
    {
        settings record;
        options_sheet sheet(record);
        EXPECT_EQ(&sheet, options_sheet::current());
    }
    EXPECT_EQ(nullptr, options_sheet::current());
}

} // namespace
