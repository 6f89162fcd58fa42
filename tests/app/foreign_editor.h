#pragma once
#include <windows.h>
#include <imm.h>

#include <atomic>
#include <string>
#include <thread>

// A window of another thread with a focused edit control, as another
// application in front would be.
class foreign_editor {
public:
    foreign_editor(int x, int y) {
        thread_ = std::thread([this, x, y] { run(x, y); });
        while (!ready_)
            Sleep(5);
    }
    ~foreign_editor() {
        PostMessageA(frame_, WM_CLOSE, 0, 0);
        thread_.join();
    }
    HWND frame() const { return frame_; }
    HWND edit() const { return edit_; }
    // Brings the frame to the front from its own thread.
    void activate() { SendMessageA(frame_, WM_APP, 0, 0); }
    // The input method of its edit control, opened and read on its thread.
    void open_input_method() { SendMessageA(frame_, WM_APP + 1, 0, 0); }
    bool input_method_open() { return SendMessageA(frame_, WM_APP + 2, 0, 0) != 0; }
    // The text its edit control received: a marker posted now arrives after
    // every character posted before it, so the text is whole once the
    // marker shows.
    std::string received() {
        const auto text = [this] {
            char buffer[256] = {};
            GetWindowTextA(edit_, buffer, sizeof buffer);
            return std::string(buffer);
        };
        PostMessageA(edit_, WM_CHAR, '|', 0);
        for (int i = 0; i < 200 && text().find('|') == std::string::npos; ++i)
            Sleep(5);
        std::string shown = text();
        const auto marker = shown.rfind('|');
        if (marker != std::string::npos)
            shown.erase(marker);
        SetWindowTextA(edit_, "");
        return shown;
    }
    // The window of its thread with the keyboard focus.
    HWND focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(frame_, nullptr), &info);
        return info.hwndFocus;
    }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_APP) {
            SetForegroundWindow(window);
            SetFocus(GetWindow(window, GW_CHILD));
            return 0;
        }
        if (message == WM_APP + 1 || message == WM_APP + 2) {
            HWND edit = GetWindow(window, GW_CHILD);
            HIMC context = ImmGetContext(edit);
            if (message == WM_APP + 1)
                ImmSetOpenStatus(context, TRUE);
            const BOOL open = ImmGetOpenStatus(context);
            ImmReleaseContext(edit, context);
            return open;
        }
        if (message == WM_DESTROY)
            PostQuitMessage(0);
        return DefWindowProcA(window, message, wparam, lparam);
    }

    void run(int x, int y) {
        WNDCLASSA type{};
        type.lpfnWndProc = procedure;
        type.hInstance = GetModuleHandleA(nullptr);
        type.lpszClassName = "tarvik_test_foreign";
        RegisterClassA(&type);
        frame_ = CreateWindowExA(0, "tarvik_test_foreign", "foreign", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y,
                                 400, 200, nullptr, nullptr, type.hInstance, nullptr);
        edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 50, 300, 24, frame_,
                                nullptr, type.hInstance, nullptr);
        SetForegroundWindow(frame_);
        SetFocus(edit_);
        ready_ = true;
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }

    std::thread thread_;
    std::atomic<bool> ready_{false};
    HWND frame_ = nullptr;
    HWND edit_ = nullptr;
};

