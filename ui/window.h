#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

// One object per window handle. dispatch() unpacks each message of the
// cracking table and calls the virtual handler named after it; a handler that
// is not overridden packs its arguments back and hands the message to the
// previous window procedure (the system default one for windows of our own
// classes, the control's own for subclassed controls).
//
// The object owns neither its window nor anything else: destroying one does
// not destroy the other. Owners create the object, then its window, and keep
// the object alive until the window is gone.
class window {
public:
    window() = default;
    // An object that goes before its window leaves the registry (and gives a
    // subclassed control its own procedure back), so later messages of the
    // window find no object instead of a destroyed one.
    virtual ~window();

    window(const window&) = delete;
    window& operator=(const window&) = delete;

    // The message cracker: the table in window_dispatch.cpp.
    virtual LRESULT dispatch(UINT message, WPARAM wparam, LPARAM lparam);

    // Creates a window of the class with this object as creation parameter;
    // the object is attached at WM_NCCREATE. False when the system refuses.
    virtual bool create(DWORD ex_style, const char* class_name, const char* title, DWORD style, int x, int y,
                        int width, int height, HWND parent, HMENU menu_or_id);

    // A system "Edit" or "ListBox" control subclassed onto this object.
    // False when the control cannot be created; nothing is attached then.
    bool create_edit_control(DWORD ex_style, const char* title, DWORD style, int x, int y, int width,
                             int height, HWND parent, HMENU menu_or_id);
    bool create_list_box_control(DWORD ex_style, const char* title, DWORD style, int x, int y, int width,
                                 int height, HWND parent, HMENU menu_or_id);
    // An existing control (a dialog item, say) subclassed onto this object;
    // false when there is no control.
    bool subclass_control(HWND control);

    // The whole window text; a failed or empty read empties the text.
    int get_window_text(std::string& text) const;

    HWND handle() const { return handle_; }
    WNDPROC previous_procedure() const { return previous_procedure_; }

    // Used by the window procedures when a window is attached and when it
    // receives its final message; a detached object has no handle.
    void attach(HWND handle) { handle_ = handle; }
    void detach() { handle_ = nullptr; }

protected:
    // Handlers, one per message, called by dispatch() only: protected, so
    // that the rest of the program sends messages instead of calling them.
    // Coordinates of mouse and position messages arrive sign-extended, so
    // positions left of or above the origin (other monitors, captured mouse,
    // the keyboard's (-1, -1) context menu) stay negative.
    //
    // What a handler's result becomes, where Win32 would lead one to expect
    // something else:
    // - on_create: true gives 1 and false 0; the system refuses creation only
    //   on -1, so on_create cannot refuse it (either result lets it go on).
    //   A window that cannot work without something fails in its create().
    // - on_init_dialog: true lets the system give the focus to the first
    //   control, false means the handler has set the focus itself.
    // - on_erase_background: true says the background is erased.
    // - on_set_cursor: true stops the parent from setting a cursor too.
    // - on_query_end_session: true lets the session end.
    // - on_window_pos_changing: the result goes back as 1 or 0, which the
    //   system ignores; changes are made in the WINDOWPOS record.
    // - on_mouse_activate and on_nc_hit_test: the MA_ and HT values as they are.
    // A handler that throws gives the message its default processing: see
    // exception_guard.h.
    virtual void on_activate(UINT state, HWND other, bool minimized);
    virtual void on_activate_app(bool active, DWORD thread_id);
    virtual void on_char(UINT character, UINT key_data);
    virtual void on_close();
    virtual void on_command(UINT notify_code, UINT id, HWND control);
    virtual void on_context_menu(HWND target, int x, int y);
    virtual bool on_create(CREATESTRUCTA* creation);
    virtual HBRUSH on_ctl_color_edit(HDC dc, HWND control);
    virtual HBRUSH on_ctl_color_list_box(HDC dc, HWND control);
    virtual HBRUSH on_ctl_color_static(HDC dc, HWND control);
    virtual void on_destroy();
    // dpi: the new DPI of the window's monitor; suggested: the rectangle the
    // system proposes for it there.
    virtual void on_dpi_changed(int dpi, RECT* suggested);
    virtual void on_draw_item(DRAWITEMSTRUCT* item);
    virtual void on_drop_files(HDROP drop);
    virtual void on_enable(bool enabled);
    virtual bool on_erase_background(HDC dc);
    virtual void on_help(HELPINFO* help);
    virtual void on_get_min_max_info(MINMAXINFO* info);
    // The answer to an accessibility client's request (LresultFromObject's
    // result), or the previous procedure's.
    virtual LRESULT on_get_object(DWORD flags, LONG object_id);
    virtual void on_hot_key(int id, UINT modifiers, UINT virtual_key);
    virtual void on_h_scroll(UINT code, UINT position, HWND scroll_bar);
    virtual bool on_init_dialog(HWND focus, LPARAM init_param);
    virtual void on_init_menu(HMENU menu);
    virtual void on_init_menu_popup(HMENU menu, UINT index, bool system_menu);
    virtual void on_key_down(UINT virtual_key, UINT repeat, UINT flags);
    virtual void on_key_up(UINT virtual_key, UINT repeat, UINT flags);
    virtual void on_kill_focus(HWND other);
    virtual void on_l_button_dbl_clk(UINT key_flags, int x, int y);
    virtual void on_l_button_down(UINT key_flags, int x, int y);
    virtual void on_l_button_up(UINT key_flags, int x, int y);
    virtual void on_measure_item(UINT control_id, MEASUREITEMSTRUCT* item);
    virtual void on_menu_select(UINT item, UINT flags, HMENU menu);
    virtual int on_mouse_activate(HWND top_level, UINT hit_test, UINT mouse_message);
    virtual void on_mouse_move(UINT key_flags, int x, int y);
    virtual void on_move(int x, int y);
    virtual void on_moving(UINT edge, RECT* rect);
    virtual void on_notify(int control_id, NMHDR* header);
    virtual int on_nc_hit_test(int x, int y);
    virtual void on_nc_l_button_down(UINT hit_test, int x, int y);
    virtual void on_nc_l_button_up(UINT hit_test, int x, int y);
    virtual void on_nc_paint(HRGN update_region);
    virtual void on_nc_r_button_down(UINT hit_test, int x, int y);
    virtual void on_nc_r_button_up(UINT hit_test, int x, int y);
    virtual void on_paint();
    virtual void on_parent_notify(UINT event, LPARAM lparam, UINT child_id);
    virtual bool on_query_end_session();
    // ending: the session ends (false: a shutdown was cancelled).
    virtual void on_end_session(bool ending);
    virtual void on_r_button_dbl_clk(UINT key_flags, int x, int y);
    virtual void on_r_button_down(UINT key_flags, int x, int y);
    virtual void on_r_button_up(UINT key_flags, int x, int y);
    virtual bool on_set_cursor(HWND target, UINT hit_test, UINT mouse_message);
    virtual void on_set_focus(HWND other);
    virtual void on_set_text(const char* text);
    virtual void on_setting_change(UINT action, const char* section);
    virtual void on_show_window(bool shown, UINT status);
    virtual void on_size(UINT type, UINT width, UINT height);
    virtual void on_sizing(UINT edge, RECT* rect);
    virtual void on_timer(UINT_PTR id, TIMERPROC callback);
    virtual void on_sys_char(UINT character, UINT key_data);
    virtual void on_sys_color_change();
    virtual void on_sys_command(UINT command, int x, int y);
    virtual void on_sys_key_down(UINT virtual_key, UINT repeat, UINT flags);
    virtual void on_sys_key_up(UINT virtual_key, UINT repeat, UINT flags);
    virtual void on_v_scroll(UINT code, UINT position, HWND scroll_bar);
    virtual void on_window_pos_changed(WINDOWPOS* position);
    virtual bool on_window_pos_changing(WINDOWPOS* position);

    // Hands a message to the previous window procedure unchanged.
    LRESULT call_previous(UINT message, WPARAM wparam, LPARAM lparam);
    void set_previous_procedure(WNDPROC procedure) { previous_procedure_ = procedure; }

private:
    bool create_subclassed_control(const char* class_name, DWORD ex_style, const char* title, DWORD style,
                                   int x, int y, int width, int height, HWND parent, HMENU menu_or_id);

    HWND handle_ = nullptr;
    WNDPROC previous_procedure_ = DefWindowProcA;
};
