#include "options/settings_path.h"

#include "resources/resource.h"
#include "ui/application.h"

std::string settings_file_path() {
    // The resource normally holds this very name; a build without the string
    // table still finds its file.
    std::string file_name = "Tarvik.ini";
    std::string directory;
    if (const application* app = application::current()) {
        app->load_string_resource(IDS_SETTINGS_FILE, file_name);
        app->module_directory(directory);
    }
    // A bare file name would make the profile functions use the Windows
    // directory instead of the program's.
    if (directory.empty())
        directory = ".\\";
    return directory + file_name;
}
