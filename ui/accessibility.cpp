#include "ui/accessibility.h"

#include <oleacc.h>

#include "ui/accessible_object.h"

namespace {

// Defined here rather than taken from the import libraries, which the
// program does not link (oleacc loads at the first request).
constexpr GUID ANNOTATION_SERVICE = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr GUID ANNOTATION_INTERFACE = {0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr GUID NAME_PROPERTY = {0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};
// UI Automation's LiveSetting property; its value 1 is Polite.
constexpr GUID LIVE_SETTING_PROPERTY = {0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr long POLITE = 1;
// Declared for Windows 8 and later; older systems ignore the event.
constexpr DWORD LIVE_REGION_CHANGED = 0x8019; // EVENT_OBJECT_LIVEREGIONCHANGED

template <typename Function>
Function library_function(const char* module, const char* name) {
    HMODULE library = LoadLibraryA(module);
    return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)))
                   : nullptr;
}

using create_standard_function = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using lresult_function = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using initialise_function = HRESULT(WINAPI*)(void*, DWORD);
using create_instance_function = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, void**);

struct oleacc_functions {
    create_standard_function create_standard =
        library_function<create_standard_function>("oleacc.dll", "CreateStdAccessibleObject");
    lresult_function lresult = library_function<lresult_function>("oleacc.dll", "LresultFromObject");
    initialise_function initialise = library_function<initialise_function>("ole32.dll", "CoInitializeEx");
    create_instance_function create_instance =
        library_function<create_instance_function>("ole32.dll", "CoCreateInstance");
};

// COM is started on the window thread at the first request: handing an
// object out marshals it, and the annotation service is a COM object.
const oleacc_functions& oleacc() {
    static const oleacc_functions functions = [] {
        oleacc_functions loaded;
        if (loaded.initialise)
            loaded.initialise(nullptr, COINIT_APARTMENTTHREADED);
        return loaded;
    }();
    return functions;
}

bool has_standard_object(HWND window) {
    IAccessible* standard = nullptr;
    if (!oleacc().create_standard ||
        FAILED(oleacc().create_standard(window, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard))) ||
        !standard)
        return false;
    standard->Release();
    return true;
}

} // namespace

accessibility_provider::~accessibility_provider() {
    if (object_) {
        object_->disconnect();
        object_->Release();
    }
}

LRESULT accessibility_provider::answer(HWND window, DWORD flags, LONG object_id) {
    if (object_id != OBJID_CLIENT)
        return 0;
    if (!object_ && !annotated_ && has_standard_object(window) && annotate(window))
        annotated_ = true;
    if (annotated_ || !oleacc().lresult)
        return 0;
    if (!object_)
        object_ = new accessible_object(window, content_);
    const LRESULT handed_out = oleacc().lresult(__uuidof(IAccessible), flags, object_);
    return handed_out > 0 ? handed_out : 0;
}

bool accessibility_provider::annotate(HWND window) {
    if (!oleacc().create_instance)
        return false;
    IAccPropServices* services = nullptr;
    if (FAILED(oleacc().create_instance(ANNOTATION_SERVICE, nullptr, CLSCTX_INPROC_SERVER,
                                        ANNOTATION_INTERFACE, reinterpret_cast<void**>(&services))) ||
        !services)
        return false;
    const std::wstring name = content_.accessible_name(CHILDID_SELF);
    bool done = SUCCEEDED(services->SetHwndPropStr(window, OBJID_CLIENT, CHILDID_SELF, NAME_PROPERTY, name.c_str()));
    if (live_region_) {
        VARIANT polite{};
        polite.vt = VT_I4;
        polite.lVal = POLITE;
        done = done && SUCCEEDED(services->SetHwndProp(window, OBJID_CLIENT, CHILDID_SELF, LIVE_SETTING_PROPERTY, polite));
    }
    services->Release();
    return done;
}

void announce_live_region(HWND window) {
    if (window)
        NotifyWinEvent(LIVE_REGION_CHANGED, window, OBJID_CLIENT, CHILDID_SELF);
}

std::wstring accessible_text(const std::string& narrow) {
    if (narrow.empty())
        return {};
    const int length = MultiByteToWideChar(932, 0, narrow.data(), static_cast<int>(narrow.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(932, 0, narrow.data(), static_cast<int>(narrow.size()), wide.data(), length);
    return wide;
}
