#pragma once
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "app/data_files.h"
#include "calc/calculator_session.h"
#include "app/focus_return.h"
#include "app/calculator_accessible.h"
#include "app/list_popup.h"
#include "app/list_popup_owner.h"
#include "app/grip_icon.h"
#include "app/tray_icon.h"
#include "options/options_sheet.h"
#include "options/settings.h"
#include "app/answer_display.h"
#include "ui/accessibility.h"
#include "ui/colour.h"
#include "app/expression_editor.h"
#include "app/expression_editor_owner.h"
#include "ui/window.h"

// The calculator window: a captionless strip with the expression editor above
// the answer display and a grip on the left. It holds the settings and the
// calculator session, hands the editor's text to the session while the user
// types and on Enter, shows what the session answers, and carries the
// commands of its menus.
class main_window : public window,
                    public expression_editor_owner,
                    public answer_display_owner,
                    public frame_shade_source,
                    public list_popup_owner {
public:
    // Settings, history and variables live in settings_folder(): the
    // program's directory, or the current folder when it cannot be found.
    main_window();
    // The same files in another directory (ending in a backslash).
    explicit main_window(std::string files_directory);
    ~main_window() override;

    // Creates the hidden window; its creation loads and applies the settings,
    // all that its first paint needs.
    bool create(HWND owner);
    // The rest of the start, once the window is up (or created hidden): loads
    // the history and the variables, adds the tray icon and registers the
    // hotkey, in this order, so a failed hotkey is reported last.
    void finish_start();
    // The live settings, which the window owns and saves; the application
    // reads the start-up choices from them.
    const settings& current_settings() const { return settings_; }

    // expression_editor_owner
    answer_state current_answer_state() const override { return session_.state(); }
    void caret_moved() override { session_.caret_moved(); }
    bool continues_answer(unsigned character) const override { return session_.continues_answer(character); }
    void commit() override;
    void editor_key_down(UINT virtual_key, UINT repeat, UINT flags) override;
    void show_variables() override;
    function_key_table function_keys() const override {
        return resolve_function_keys(settings_.shortcut_keys, settings_.user_function_texts);
    }

    // answer_display_owner: keys pressed in the answer display.
    void display_key_down(UINT virtual_key, UINT repeat, UINT flags) override;
    // frame_shade_source: the controls shade their frames from the background.
    colour_value frame_shade_base() const override { return back_colour_; }

    // list_popup_owner: the popup drops down from the editor.
    HWND list_owner_window() const override { return handle(); }
    HWND list_anchor() const override { return editor_.handle(); }
    std::string list_font_face() const override { return editor_.font_face(); }
    int list_font_size() const override { return editor_.font_size(); }
    int list_dpi() const override { return dpi_; }
    HBRUSH list_colours(HDC dc) override { return editor_.ctl_colour(dc); }
    colour_value list_scroll_bar_colour() const override { return back_colour_; }
    std::vector<std::string> list_rows(list_kind kind) const override { return session_.list_rows(kind); }
    void insert_list_entry(list_kind kind, std::size_t index) override;
    bool delete_list_entries(HWND owner, list_kind kind, std::size_t index, bool all) override;

    LRESULT dispatch(UINT message, WPARAM wparam, LPARAM lparam) override;

protected:
    void on_activate(UINT state, HWND other, bool minimized) override;
    void on_command(UINT notify_code, UINT id, HWND control) override;
    bool on_create(CREATESTRUCTA* creation) override;
    HBRUSH on_ctl_color_edit(HDC dc, HWND control) override;
    HBRUSH on_ctl_color_static(HDC dc, HWND control) override;
    void on_destroy() override;
    void on_dpi_changed(int dpi, RECT* suggested) override;
    void on_get_min_max_info(MINMAXINFO* info) override;
    LRESULT on_get_object(DWORD flags, LONG object_id) override;
    void on_help(HELPINFO* help) override;
    void on_hot_key(int id, UINT modifiers, UINT virtual_key) override;
    void on_key_down(UINT virtual_key, UINT repeat, UINT flags) override;
    void on_l_button_down(UINT key_flags, int x, int y) override;
    int on_nc_hit_test(int x, int y) override;
    void on_nc_paint(HRGN update_region) override;
    void on_nc_r_button_down(UINT hit_test, int x, int y) override;
    void on_nc_r_button_up(UINT hit_test, int x, int y) override;
    void on_paint() override;
    bool on_query_end_session() override;
    void on_end_session(bool ending) override;
    void on_show_window(bool shown, UINT status) override;
    void on_size(UINT type, UINT width, UINT height) override;
    void on_sys_color_change() override;
    void on_timer(UINT_PTR id, TIMERPROC callback) override;
    void on_setting_change(UINT action, const char* section) override;

private:
    void show_history();
    // Re-reads every setting into the session and the controls and
    // registers the hotkey again.
    void apply_settings();

    // Evaluation and display.
    std::string expression() const;
    void show(const shown_answer& shown);
    void evaluate_live();
    void change_answer_form(int mode);
    void change_angle_mode(int mode);
    void handle_command(UINT id);
    void replace_expression(const char* text);

    // Parts of apply_settings (main_window_settings.cpp).
    session_settings calculation_settings() const;
    void apply_window_settings();
    void apply_editor_settings();
    void apply_answer_look(answer_look look);
    void apply_answer_settings();
    void apply_colours();
    void refresh_look();
    void load_icon();
    void apply_topmost();
    void fit_height();
    void redraw_all();

    void flip_topmost();
    void flip_tray();
    void show_and_focus();
    void open_main_menu(int x, int y);
    bool confirm(HWND owner, UINT question);
    void move_to_stored_rectangle();

    // The DPI of the window's monitor (main_window_dpi.cpp): every pixel size
    // and font of the window follows it.
    dpi_scale scale() const { return dpi_scale{dpi_}; }
    int frame_width() const;
    void take_dpi(int dpi);
    void follow_monitor_dpi();
    void name_for_screen_readers();

    // Work of the desktop integration (main_window_desktop.cpp): the tray
    // icon, the global hotkey, sending the answer, the options sheet, the
    // about box, help and the list popup.
    void add_tray_icon();
    void remove_tray_icon();
    void register_hotkey();
    void unregister_hotkey();
    void on_tray_message(WPARAM wparam, LPARAM lparam);
    void on_taskbar_created();
    void send_answer();
    bool run_options_sheet();
    void show_about_box();
    void open_help();
    void open_list_popup(list_kind kind);
    void note_activation(UINT state, HWND other);

    expression_editor editor_;
    answer_display answer_;
    list_popup popup_;
    calculator_session session_;
    // The record of the values the program works with; the options sheet
    // edits it.
    settings settings_;
    options_sheet options_{settings_};
    data_files files_;
    // The colours and frame styles shown: the settings', or a high-contrast
    // theme's in their place.
    settings look_;
    HWND send_target_ = nullptr;
    // The application the hotkey came from, which the keyboard goes back to.
    focus_return way_back_;
    // Set when the window is shown; its next activation closes the editor's
    // input method.
    bool input_method_to_close_ = false;
    bool hotkey_registered_ = true;
    colour_value back_colour_ = 0;
    colour_value frame_colour_ = 0;
    int frame_style_ = 0;
    grip_icon icon_;
    int dpi_ = DESIGN_DPI;
    calculator_accessible accessible_{*this, dpi_};
    accessibility_provider accessibility_{accessible_};
};
