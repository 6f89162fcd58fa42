#include "options/settings_path.h"

#include <windows.h>

#include <vector>

#include "ui/application.h"
#include "ui/wide_path.h"

namespace {

// The program's own path through the wide function: the folder may be
// named in characters the ANSI code page does not have.
std::wstring program_path() {
    std::vector<wchar_t> buffer;
    for (DWORD size = MAX_PATH;; size *= 2) {
        buffer.assign(size, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0)
            return {};
        if (length + 2 < size)
            return std::wstring(buffer.data(), length);
        if (size > 0x10000)
            return {};
    }
}

} // namespace

std::string settings_folder() {
    const std::wstring path = application::current() ? program_path() : std::wstring();
    const auto last_backslash = path.find_last_of(L'\\');
    // A bare file name would make the profile functions use the Windows
    // directory while the data files went to the current one.
    if (last_backslash == std::wstring::npos)
        return ".\\";
    return utf8_path(path.substr(0, last_backslash + 1));
}
