#include "app/grip_icon.h"

#include "resources/resource.h"
#include "ui/program_resources.h"

void grip_icon::load(const std::string& file, int size) {
    HICON loaded = nullptr;
    if (!file.empty())
        loaded = static_cast<HICON>(LoadImageA(nullptr, file.c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE));
    if (!loaded)
        loaded = static_cast<HICON>(
            LoadImageA(program_instance(), MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, size, size, 0));
    // The new icon is there before the old one goes, so their handles differ.
    release();
    icon_ = loaded;
}

void grip_icon::release() {
    if (icon_)
        DestroyIcon(icon_);
    icon_ = nullptr;
}
