#include "ui/html_help.h"

#include <string>

#include "ui/application.h"
#include "ui/html_help_library.h"
#include "ui/visual_styles.h"
#include "ui/wide_path.h"

std::string help_file_beside(const char* file, const std::string& directory) {
    std::string path = file ? file : "";
    const bool has_folder = path.find('\\') < path.find("::");
    const bool has_drive = path.size() > 1 && path[1] == ':';
    if (path.empty() || has_folder || has_drive || directory.empty())
        return path;
    return directory + path;
}

HWND html_help(HWND caller, const char* file, UINT command, DWORD_PTR data) {
    static html_help_library engine(html_help_library::system_location);
    std::string directory;
    if (application* app = application::current())
        app->module_directory(directory);
    const std::wstring path = wide_path(help_file_beside(file, directory));
    const visual_styles_scope themed;
    return engine.call(caller, file ? path.c_str() : nullptr, command, data);
}
