#include "options/settings_path.h"

#include "ui/application.h"

std::string settings_folder() {
    std::string directory;
    if (application* app = application::current())
        app->module_directory(directory);
    // A bare file name would make the profile functions use the Windows
    // directory while the data files went to the current one.
    return directory.empty() ? ".\\" : directory;
}
