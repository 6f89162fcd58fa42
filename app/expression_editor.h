#pragma once
#include <windows.h>

#include <string>

#include "app/expression_editor_owner.h"
#include "ui/framed_edit.h"

// The field where the user types an expression. On top of a plain multi-line
// edit control it continues a committed answer with an operator ("ans" goes in
// front) or starts afresh with any other character, hands Enter, Escape, Page
// Up and Page Down to its owner, inserts function-call templates on Alt+key,
// puts "()" around nothing on Alt+X, jumps between partner parentheses on
// Alt+Z, and briefly shows the partner of a typed parenthesis in bold.
// Full-width digits and operators, the minus sign, × and ÷, typed or pasted,
// go in as their ASCII characters, so the text shown is the text evaluated.
//
// Text that the editor itself puts in (Alt+X, templates, "ans", emptying) is
// never undoable: undo only takes back what the user typed or pasted.
class expression_editor : public framed_edit {
public:
    explicit expression_editor(expression_editor_owner& owner);

    // A child of parent with no control id, at zero size until laid out;
    // created hidden.
    bool create(HWND parent);

    // Draws count characters from index once more, one pixel to the right, so
    // they look bold until the control next repaints. index and count are
    // byte offsets into the code page 932 text, as an engine error gives them.
    // Out-of-range parts are ignored.
    void emphasise(int index, int count);

    // Whether a typed "(" or ")" shows its partner.
    bool match_parentheses() const { return match_parentheses_; }
    void set_match_parentheses(bool on) { match_parentheses_ = on; }

    // Paste and cut (from the keyboard, the context menu or Shift+Insert)
    // are handled here: they decide what happens to a committed expression.
    LRESULT dispatch(UINT message, WPARAM wparam, LPARAM lparam) override;

protected:
    void on_char(UINT character, UINT key_data) override;
    void on_command(UINT notify_code, UINT id, HWND control) override;
    void on_context_menu(HWND target, int x, int y) override;
    void on_key_down(UINT virtual_key, UINT repeat, UINT flags) override;
    void on_sys_char(UINT character, UINT key_data) override;
    void on_sys_key_down(UINT virtual_key, UINT repeat, UINT flags) override;

private:
    void type_character(UINT character, UINT key_data);
    void type_double_byte(UINT lead, UINT trail);
    void on_paste();
    void on_cut();
    void start_from_committed_answer(UINT character);
    void show_match();
    void wrap_selection_in_parentheses();
    void jump_to_partner();
    void insert_function_template(UINT key_character);

    void replace_selection(const char* text);
    void set_caret(int position);
    int selection_start() const;
    int selection_end() const;
    // The text in the control's own units: the units of its caret and
    // selection positions, bytes in some edit controls, UTF-16 in others.
    struct unit_text {
        std::string bytes;
        std::wstring wide;
        bool counts_bytes = true;
        int size() const;
        int find_match(int index) const;
    };
    unit_text control_text() const;
    void emphasise_units(int index, int count);

    expression_editor_owner& owner_;
    bool match_parentheses_ = true;
    // The lead byte of a double-byte character whose trail byte is to come.
    UINT pending_lead_ = 0;
};
