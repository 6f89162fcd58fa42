#include "app/expression_editor.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "app/function_keys.h"
#include "app/parenthesis_match.h"
#include "app/expression_editor_rules.h"
#include "calc/half_width_input.h"
#include "resources/resource.h"
#include "ui/program_resources.h"
#include "ui/step_trace.h"

namespace {

framed_edit::look initial_look() {
    return {rgb(255, 255, 255), rgb(0, 0, 0), GetSysColor(COLOR_BTNSHADOW), 0, "HGP創英角ﾎﾟｯﾌﾟ体", 9};
}

// The clipboard's text, empty when there is none or it cannot be opened.
std::wstring clipboard_text(HWND owner) {
    std::wstring text;
    if (!OpenClipboard(owner))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* characters = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = characters;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool is_trail_byte(UINT character) { return character >= 0x40 && character <= 0xFC && character != 0x7F; }

bool is_lead_byte(UINT character) { return character < 0x100 && IsDBCSLeadByteEx(932, static_cast<BYTE>(character)); }

// The ASCII character a double-byte character of code page 932 is typed for
// (１ for 1, × for *), or 0.
char half_width_of(char lead, char trail) {
    const std::string typed = half_width_input(std::string{lead, trail});
    return typed.size() == 1 ? typed.front() : '\0';
}

// Pasted text with full-width digits and operators made ASCII, as typing
// makes them. Only those change: a character is looked at alone, in code
// page 932, and kept as it is unless it stands for an ASCII one.
std::wstring half_width_pasted(const std::wstring& text) {
    constexpr wchar_t minus_sign = 0x2212;
    constexpr wchar_t full_width_hyphen_minus = 0xFF0D;
    std::wstring result;
    result.reserve(text.size());
    for (wchar_t character : text) {
        // The web's minus sign is code page 932's minus too (0x817C, read back
        // as the full-width hyphen-minus), but not every converter knows.
        if (character == minus_sign)
            character = full_width_hyphen_minus;
        char bytes[2];
        BOOL missing = FALSE;
        const int length = WideCharToMultiByte(932, 0, &character, 1, bytes, sizeof bytes, nullptr, &missing);
        const char ascii = length == 2 && !missing ? half_width_of(bytes[0], bytes[1]) : '\0';
        result.push_back(ascii ? static_cast<wchar_t>(ascii) : character);
    }
    return result;
}

// The character of a key without Shift ("A" to "Z" for letters), or 0.
UINT unshifted_character(UINT virtual_key) { return LOWORD(MapVirtualKeyA(virtual_key, MAPVK_VK_TO_CHAR)); }

} // namespace

expression_editor::expression_editor(expression_editor_owner& owner)
    : framed_edit(initial_look()), owner_(owner) {}

bool expression_editor::create(HWND parent) {
    // Long expressions wrap onto further lines; there is no horizontal scrolling.
    constexpr DWORD style = WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL;
    return create_control(0, "", style, 0, 0, 0, 0, parent, nullptr);
}

// Escape, Page Up and Page Down belong to the owner; moving the caret
// sideways means the user is about to edit the committed expression.
void expression_editor::on_key_down(UINT virtual_key, UINT repeat, UINT flags) {
    switch (virtual_key) {
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT: owner_.editor_key_down(virtual_key, repeat, flags); return;
    case VK_HOME:
    case VK_END:
    case VK_LEFT:
    case VK_RIGHT: owner_.caret_moved(); break;
    default: break;
    }
    framed_edit::on_key_down(virtual_key, repeat, flags);
}

// A double-byte character arrives as two messages, its lead byte and then its
// trail byte; the pair is held back until it is whole, so that a full-width
// digit or operator goes in as its ASCII character.
void expression_editor::on_char(UINT character, UINT key_data) {
    trace_step("character typed");
    if (pending_lead_ && is_trail_byte(character)) {
        const char lead = static_cast<char>(std::exchange(pending_lead_, 0));
        if (const char ascii = half_width_of(lead, static_cast<char>(character)))
            type_character(static_cast<unsigned char>(ascii), key_data);
        else
            type_double_byte(static_cast<unsigned char>(lead), character);
        return;
    }
    // A lead byte without its trail byte is no character: it is dropped.
    pending_lead_ = 0;
    if (is_lead_byte(character)) {
        pending_lead_ = character;
        return;
    }
    type_character(character, key_data);
}

void expression_editor::type_character(UINT character, UINT key_data) {
    if (character == '\r') {
        owner_.commit();
        return;
    }
    // Ctrl+Enter gives a line feed, Tab a tab, Escape its own character after
    // the key went to the owner: none may go into the one-line expression.
    if (!reaches_the_edit_control(character))
        return;
    // Editing commands keep a committed expression; Ctrl+V and Ctrl+X decide
    // in the paste and cut they turn into.
    if (is_typed_character(character) && owner_.current_answer_state() == committed)
        start_from_committed_answer(character);

    framed_edit::on_char(character, key_data);

    if (match_parentheses_ && (character == '(' || character == ')'))
        show_match();
}

// Any other double-byte character goes in whole (not every edit control
// joins the two bytes itself), undoably as typing is, and starts a new
// expression after a commit as any character that is no operator does.
void expression_editor::type_double_byte(UINT lead, UINT trail) {
    if (owner_.current_answer_state() == committed)
        start_from_committed_answer(lead);
    const char character[] = {static_cast<char>(lead), static_cast<char>(trail), '\0'};
    SendMessageA(handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(character));
}

LRESULT expression_editor::dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PASTE: on_paste(); return 0;
    case WM_CUT: on_cut(); return 0;
    case WM_IME_CHAR:
        // An input method's character comes whole: lead byte high, trail low.
        if (const char ascii = wparam > 0xFF ? half_width_of(static_cast<char>(wparam >> 8), static_cast<char>(wparam))
                                             : '\0') {
            type_character(static_cast<unsigned char>(ascii), static_cast<UINT>(lparam));
            return 0;
        }
        return framed_edit::dispatch(message, wparam, lparam);
    default: return framed_edit::dispatch(message, wparam, lparam);
    }
}

// Pasting is typing: after a commit it replaces the old expression (or
// continues "ans" when the text starts with an operator). Line breaks and
// tabs copied along stay out; the paste can be undone.
void expression_editor::on_paste() {
    const std::wstring text = half_width_pasted(without_control_characters(clipboard_text(handle())));
    if (text.empty())
        return;
    if (owner_.current_answer_state() == committed)
        start_from_committed_answer(text.front());
    SendMessageW(handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

// Cutting after a commit takes the whole old expression, so that the field is
// empty for the next one, as typing would leave it.
void expression_editor::on_cut() {
    if (owner_.current_answer_state() == committed)
        SendMessageA(handle(), EM_SETSEL, 0, -1);
    framed_edit::dispatch(WM_CUT, 0, 0);
}

// Alt+letter must neither beep nor open a menu.
void expression_editor::on_sys_char(UINT, UINT) {}

void expression_editor::on_sys_key_down(UINT virtual_key, UINT repeat, UINT flags) {
    // The standard processing first, so that Alt+F4 still closes the window.
    framed_edit::on_sys_key_down(virtual_key, repeat, flags);
    if (virtual_key == VK_MENU)
        return;
    const UINT character = unshifted_character(virtual_key);
    if (character == 0)
        return;
    if (character == 'X')
        wrap_selection_in_parentheses();
    else if (character == 'Z')
        jump_to_partner();
    else
        insert_function_template(character);
}

void expression_editor::on_command(UINT notify_code, UINT id, HWND control) {
    switch (id) {
    case IDM_EXPRESSION_UNDO: SendMessageA(handle(), WM_UNDO, 0, 0); break;
    case IDM_EXPRESSION_CUT: SendMessageA(handle(), WM_CUT, 0, 0); break;
    case IDM_EXPRESSION_COPY: SendMessageA(handle(), WM_COPY, 0, 0); break;
    case IDM_EXPRESSION_PASTE: SendMessageA(handle(), WM_PASTE, 0, 0); break;
    case IDM_EXPRESSION_VARIABLES: owner_.show_variables(); break;
    default: framed_edit::on_command(notify_code, id, control); break;
    }
}

void expression_editor::on_context_menu(HWND, int x, int y) {
    const popup_menu menu(IDR_EXPRESSION_MENU);
    if (!menu.items())
        return;
    // From the keyboard the position is (-1, -1): open at the caret instead
    // of the screen's corner.
    if (x == -1 && y == -1) {
        POINT caret{};
        GetCaretPos(&caret);
        ClientToScreen(handle(), &caret);
        x = caret.x;
        y = caret.y;
    }
    menu.track(handle(), x, y);
}

// An operator continues the previous answer; anything else starts a new
// expression. The main window sees the change and leaves the committed state.
void expression_editor::start_from_committed_answer(UINT character) {
    SendMessageA(handle(), EM_SETSEL, 0, -1);
    if (owner_.continues_answer(character)) {
        replace_selection("ans");
        set_caret(3);
    } else {
        replace_selection("");
    }
}

// The typed parenthesis sits just before the caret.
void expression_editor::show_match() {
    const int typed = selection_start() - 1;
    const int partner = control_text().find_match(typed);
    if (partner < 0)
        return;
    emphasise_units(typed, 1);
    emphasise_units(partner, 1);
}

void expression_editor::wrap_selection_in_parentheses() {
    replace_selection("()");
    set_caret(selection_end() - 1);
}

// Alt+Z on the partner brings the caret back, so the key toggles.
void expression_editor::jump_to_partner() {
    const int partner = control_text().find_match(selection_start());
    if (partner >= 0)
        set_caret(partner);
}

void expression_editor::insert_function_template(UINT key_character) {
    const function_key_table keys = owner_.function_keys();
    const function_template* call = call_for_key(keys, static_cast<std::int32_t>(key_character));
    if (!call)
        return;
    replace_selection(call->text.c_str());
    if (call->caret_back != 0)
        set_caret(selection_end() - call->caret_back);
}

void expression_editor::emphasise(int index, int count) {
    if (!handle() || index < 0 || count <= 0)
        return;
    const unit_text text = control_text();
    if (text.counts_bytes) {
        emphasise_units(index, count);
        return;
    }
    const auto characters_in = [&](int bytes) {
        bytes = std::min(bytes, static_cast<int>(text.bytes.size()));
        return bytes <= 0 ? 0 : MultiByteToWideChar(932, 0, text.bytes.data(), bytes, nullptr, 0);
    };
    const int start = characters_in(index);
    emphasise_units(start, characters_in(index + count) - start);
}

void expression_editor::emphasise_units(int index, int count) {
    if (!handle() || index < 0 || count <= 0)
        return;
    const unit_text text = control_text();
    if (index >= text.size())
        return;
    count = std::min(count, text.size() - index);

    const LRESULT position = SendMessageA(handle(), EM_POSFROMCHAR, index, 0);
    if (position == -1)
        return;
    const int x = static_cast<short>(LOWORD(position));
    const int y = static_cast<short>(HIWORD(position));

    // Pending repaints would wipe the emphasis at once; let them happen first.
    UpdateWindow(handle());
    HDC dc = GetDC(handle());
    if (!dc)
        return;
    HGDIOBJ old_font = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(handle(), WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    if (text.counts_bytes)
        TextOutA(dc, x + 1, y, text.bytes.c_str() + index, count);
    else
        TextOutW(dc, x + 1, y, text.wide.c_str() + index, count);
    SelectObject(dc, old_font);
    ReleaseDC(handle(), dc);
}

// Not undoable: the undo buffer only ever holds what the user typed.
void expression_editor::replace_selection(const char* text) {
    SendMessageA(handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
}

void expression_editor::set_caret(int position) { SendMessageA(handle(), EM_SETSEL, position, position); }

int expression_editor::selection_start() const {
    DWORD start = 0;
    SendMessageA(handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

int expression_editor::selection_end() const {
    DWORD end = 0;
    SendMessageA(handle(), EM_GETSEL, 0, reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end);
}

int expression_editor::unit_text::size() const {
    return static_cast<int>(counts_bytes ? bytes.size() : wide.size());
}

int expression_editor::unit_text::find_match(int index) const {
    return counts_bytes ? ::find_match(bytes, index) : ::find_match(wide, index);
}

// Which units the control counts in shows in its own idea of the text's
// length: the start of its last line plus that line's length.
expression_editor::unit_text expression_editor::control_text() const {
    unit_text text;
    get_window_text(text.bytes);
    const int wide_length = GetWindowTextLengthW(handle());
    if (wide_length > 0) {
        std::vector<wchar_t> buffer(static_cast<std::size_t>(wide_length) + 1);
        const int copied = GetWindowTextW(handle(), buffer.data(), wide_length + 1);
        text.wide.assign(buffer.data(), static_cast<std::size_t>(std::max(copied, 0)));
    }
    const auto last_line = SendMessageA(handle(), EM_GETLINECOUNT, 0, 0) - 1;
    const auto last_start = SendMessageA(handle(), EM_LINEINDEX, std::max<LRESULT>(last_line, 0), 0);
    const auto length = last_start + SendMessageA(handle(), EM_LINELENGTH, last_start, 0);
    text.counts_bytes = length == static_cast<LRESULT>(text.bytes.size());
    return text;
}
