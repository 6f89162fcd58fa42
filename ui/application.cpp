#include "ui/application.h"

#include <vector>

#include "ui/text.h"
#include "ui/wide_path.h"

namespace {

application* current_application = nullptr;

constexpr int buffer_step = 256;

} // namespace

application::application(HINSTANCE instance, const char* command_line, int show_command)
    : instance_(instance), command_line_(command_line ? command_line : ""), show_command_(show_command) {
    current_application = this;
}

application::~application() {
    registry_.clear();
    if (current_application == this)
        current_application = nullptr;
}

application* application::current() { return current_application; }

bool application::init_instance() { return true; }

bool application::exit_instance() { return true; }

int application::run() {
    MSG message{};
    // GetMessage answers -1 on an invalid call; that must end the loop too
    // rather than spin on it.
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

int application::pump_one() {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        return 0;
    TranslateMessage(&message);
    return static_cast<int>(DispatchMessageA(&message));
}

bool application::load_string_resource(UINT id, std::string& text) const {
    // Most strings fit the fixed buffer. LoadString truncates silently, so a
    // length near the buffer's end means the string may be longer: read again
    // into growing buffers. Three free bytes are required rather than two,
    // because a truncation that would split a double-byte character stops one
    // byte earlier and would otherwise pass for the whole text.
    char fixed[buffer_step];
    int length = LoadStringA(instance_, id, fixed, buffer_step);
    if (length <= 0)
        return false;
    if (buffer_step - length > 2) {
        text.assign(fixed, static_cast<std::size_t>(length));
        return true;
    }
    for (int size = buffer_step;; size += buffer_step) {
        std::vector<char> buffer(static_cast<std::size_t>(size));
        length = LoadStringA(instance_, id, buffer.data(), size);
        if (length <= 0)
            return false;
        if (size - length > 2) {
            text.assign(buffer.data(), static_cast<std::size_t>(length));
            return true;
        }
    }
}

void application::module_directory(std::string& text) const {
    // The wide function: the folder may be named in characters the ANSI
    // code page does not have.
    std::wstring path;
    for (DWORD size = MAX_PATH;; size *= 2) {
        path.assign(size, L'\0');
        const DWORD length = GetModuleFileNameW(instance_, path.data(), size);
        if (length == 0 || size > 0x10000) {
            text.clear();
            return;
        }
        if (length + 2 < size) {
            path.resize(length);
            break;
        }
    }
    const auto last_backslash = path.find_last_of(L'\\');
    text = last_backslash == std::wstring::npos ? std::string() : utf8_path(path.substr(0, last_backslash + 1));
}
