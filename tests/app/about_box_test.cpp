// The about box run modally from the program's resources, driven by steps that
// a thread timer runs once the box is up and idle: the mail line's hover cycle
// with a moved cursor and synthesised mouse moves and timer ticks, the keys
// that close it and the one that does not, and the click that opens the link.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "app/about_box.h"
#include "ui/program_resources.h"
#include "ui/ui_fixture.h"

namespace {

using step = std::function<void(HWND box)>;

// Runs one step per tick while the box is up; gives up with WM_CLOSE when
// the steps are done but the box still runs.
struct step_runner {
    static inline std::vector<step> steps;
    static inline size_t next = 0;
    static inline HWND box = nullptr;
    static inline bool gave_up = false;

    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        if (!box || !IsWindowVisible(box))
            return; // not up yet (or gone): nothing to look at
        if (next < steps.size())
            steps[next++](box);
        else if (!gave_up) {
            gave_up = true;
            PostMessageA(box, WM_CLOSE, 0, 0);
        }
    }
};

class scripted_about_box : public about_box {
public:
    using about_box::about_box;
    bool hovering_at_start = true;

    bool on_init_dialog(HWND focus, LPARAM init_param) override {
        bool result = about_box::on_init_dialog(focus, init_param);
        hovering_at_start = mail().hovering();
        step_runner::box = handle();
        return result;
    }
};

// Runs the box through the steps; returns what run() returned.
INT_PTR run_steps(scripted_about_box& box, std::vector<step> steps) {
    step_runner::steps = std::move(steps);
    step_runner::next = 0;
    step_runner::box = nullptr;
    step_runner::gave_up = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 30, step_runner::tick);
    INT_PTR result = box.run(nullptr);
    KillTimer(nullptr, timer);
    step_runner::box = nullptr;
    return result;
}

HWND mail_line_of(HWND box) { return GetDlgItem(box, IDC_ABOUT_MAIL); }

void put_cursor_on_mail_line(HWND box) {
    RECT line;
    GetWindowRect(mail_line_of(box), &line);
    SetCursorPos((line.left + line.right) / 2, (line.top + line.bottom) / 2);
}

// Far from the box: the mouse has left the dialog altogether.
void put_cursor_outside(HWND box) {
    RECT area;
    GetWindowRect(box, &area);
    SetCursorPos(area.right + 40 < GetSystemMetrics(SM_CXSCREEN) ? area.right + 40 : 0, 0);
}

void move_mouse_over_line(HWND box) { SendMessageA(mail_line_of(box), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3)); }
void tick_hover_timer(HWND box) { SendMessageA(mail_line_of(box), WM_TIMER, mail_line::hover_timer, 0); }

// Counts the pixels of the colour in the line as it is painted now.
int pixels_of(HWND box, COLORREF colour) {
    HWND line = mail_line_of(box);
    RedrawWindow(line, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT client;
    GetClientRect(line, &client);
    HDC dc = GetDC(line);
    int count = 0;
    for (int y = client.top; y < client.bottom; ++y)
        for (int x = client.left; x < client.right; ++x)
            count += GetPixel(dc, x, y) == colour;
    ReleaseDC(line, dc);
    return count;
}

constexpr COLORREF blue = RGB(0, 0, 255);
constexpr COLORREF black = RGB(0, 0, 0);

std::string text_of(HWND window) {
    char text[100] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

using about_box_test = ui_test;

TEST_F(about_box_test, mail_line_lights_up_under_the_mouse_and_goes_back_when_it_leaves) {
    struct seen {
        bool hovering;
        int blue_pixels;
        int black_pixels;
    };
    std::vector<seen> states;
    bool hand_cursor = false;
    scripted_about_box box;
    auto note = [&](HWND b) {
        states.push_back({box.mail().hovering(), pixels_of(b, blue), pixels_of(b, black)});
    };
    INT_PTR result = run_steps(
        box, {
                 [&](HWND b) {
                     put_cursor_outside(b);
                     note(b);
                 },
                 [&](HWND b) {
                     put_cursor_on_mail_line(b);
                     move_mouse_over_line(b);
                     note(b);
                     SendMessageA(mail_line_of(b), WM_SETCURSOR, reinterpret_cast<WPARAM>(mail_line_of(b)),
                                  MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
                     hand_cursor = GetCursor() ==
                                   LoadCursorA(program_instance(), MAKEINTRESOURCEA(IDC_LINK_HAND));
                 },
                 [&](HWND b) {
                     tick_hover_timer(b);
                     note(b);
                 }, // still over it
                 [&](HWND b) {
                     put_cursor_outside(b);
                     tick_hover_timer(b);
                     note(b);
                 },
                 [](HWND b) { PostMessageA(b, WM_CLOSE, 0, 0); },
             });

    EXPECT_EQ(0, result);
    EXPECT_FALSE(step_runner::gave_up);
    ASSERT_EQ(4u, states.size());
    const char* moments[] = {"at the start", "mouse on the line", "a tick with the mouse on it",
                             "a tick after the mouse left the dialog"};
    const bool lit[] = {false, true, true, false};
    for (size_t i = 0; i < states.size(); ++i) {
        SCOPED_TRACE(moments[i]);
        EXPECT_EQ(lit[i], states[i].hovering);
        EXPECT_EQ(lit[i], states[i].blue_pixels > 0);
        EXPECT_EQ(!lit[i], states[i].black_pixels > 0);
    }
    EXPECT_TRUE(hand_cursor);
}

TEST_F(about_box_test, escape_leaves_it_open_enter_closes_it_and_it_reopens_in_normal_colours) {
    bool open_after_escape = false;
    scripted_about_box first;
    INT_PTR result = run_steps(
        first, {
                   [](HWND b) {
                       put_cursor_on_mail_line(b);
                       move_mouse_over_line(b);
                   },
                   [](HWND b) { PostMessageA(GetDlgItem(b, IDOK), WM_KEYDOWN, VK_ESCAPE, 0x00010001); },
                   [&](HWND b) {
                       open_after_escape = IsWindowVisible(b) != FALSE;
                       PostMessageA(GetDlgItem(b, IDOK), WM_KEYDOWN, VK_RETURN, 0x001C0001);
                   },
               });
    EXPECT_TRUE(open_after_escape);
    EXPECT_EQ(0, result);
    EXPECT_FALSE(step_runner::gave_up) << "Enter did not close the box";

    // Closed while lit; opened again with the mouse elsewhere, nothing has
    // moved over the line, so it must not be lit.
    SetCursorPos(0, 0);
    int blue_pixels = -1;
    scripted_about_box second;
    run_steps(second, {
                          [&](HWND b) { blue_pixels = pixels_of(b, blue); },
                          [](HWND b) { PostMessageA(b, WM_CLOSE, 0, 0); },
                      });
    EXPECT_FALSE(second.hovering_at_start);
    EXPECT_EQ(0, blue_pixels);
}

TEST_F(about_box_test, a_click_on_the_mail_line_hands_the_mailto_link_to_the_opener) {
    std::vector<std::pair<HWND, std::string>> opened;
    HWND line = nullptr;
    std::string shown;
    scripted_about_box box([&](HWND owner, const std::string& link) { opened.emplace_back(owner, link); });
    run_steps(box, {
                       [&](HWND b) {
                           line = mail_line_of(b);
                           shown = text_of(line);
                           SendMessageA(line, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
                           SendMessageA(line, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
                       },
                       [](HWND b) { PostMessageA(b, WM_CLOSE, 0, 0); },
                   });
    std::string address = load_text(IDS_ABOUT_MAIL_ADDRESS);
    ASSERT_NE(std::string::npos, address.find("@example."));
    EXPECT_EQ("Mail: " + address, shown);
    ASSERT_EQ(1u, opened.size());
    EXPECT_EQ(line, opened[0].first);
    EXPECT_EQ("mailto:" + address, opened[0].second);
}

// The version the box names is the version resource's.
TEST_F(about_box_test, version_line_matches_the_version_resource) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    std::vector<char> info(GetFileVersionInfoSizeA(path, &ignored));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, static_cast<DWORD>(info.size()), info.data()));
    char* version = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\041104B0\\ProductVersion",
                               reinterpret_cast<void**>(&version), &length));

    std::vector<std::string> texts;
    scripted_about_box box;
    run_steps(box, {
                       [&](HWND b) {
                           for (HWND item = GetWindow(b, GW_CHILD); item; item = GetWindow(item, GW_HWNDNEXT))
                               texts.push_back(text_of(item));
                           PostMessageA(b, WM_CLOSE, 0, 0);
                       },
                   });
    EXPECT_NE(std::find(texts.begin(), texts.end(), std::string("Tarvik Version ") + version), texts.end());
}

} // namespace
