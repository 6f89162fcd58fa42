#include "app/caret_locator.h"

#include <gtest/gtest.h>
#include <oleacc.h>
#include <uiautomationcore.h>

#include <atomic>
#include <thread>

#include "app/accessibility_query.h"
#include "app/automation_client.h"
#include "calculator_window_fixture.h"
#include "foreign_editor.h"

namespace {

// UiaReturnRawElementProvider, looked up: the toolchain has no import
// library for it, and its header declares a parameter named "new".
LRESULT return_element(HWND window, WPARAM wparam, LPARAM lparam, IRawElementProviderSimple* element) {
    using function = LRESULT(WINAPI*)(HWND, WPARAM, LPARAM, IRawElementProviderSimple*);
    static const auto answer = reinterpret_cast<function>(reinterpret_cast<void*>(
        GetProcAddress(LoadLibraryA("uiautomationcore.dll"), "UiaReturnRawElementProvider")));
    return answer ? answer(window, wparam, lparam, element) : 0;
}

constexpr LONG UIA_ROOT_OBJECT_ID = -25;

// An accessible caret object at a fixed place, as a browser offers for the
// caret it draws itself.
class caret_object : public IAccessible {
public:
    explicit caret_object(RECT place) : place_(place) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; } // lives with the test window

    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT) override {
        *left = place_.left;
        *top = place_.top;
        *width = place_.right - place_.left;
        *height = place_.bottom - place_.top;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR*, VARIANT, LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG, VARIANT, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG, LONG, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    RECT place_;
    std::atomic<ULONG> references_{1};
};

// A UI Automation element standing for a text field inside the window, as
// a browser offers for its focused input: no caret range, a rectangle only.
class field_element : public IRawElementProviderSimple, public IRawElementProviderFragment {
public:
    explicit field_element(RECT place) : place_(place) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IRawElementProviderSimple))
            *object = static_cast<IRawElementProviderSimple*>(this);
        else if (iid == __uuidof(IRawElementProviderFragment))
            *object = static_cast<IRawElementProviderFragment*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; } // lives with the test window

    HRESULT STDMETHODCALLTYPE get_ProviderOptions(ProviderOptions* options) override {
        *options = ProviderOptions_ServerSideProvider;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPatternProvider(PATTERNID, IUnknown** pattern) override {
        *pattern = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetPropertyValue(PROPERTYID, VARIANT* value) override {
        value->vt = VT_EMPTY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_HostRawElementProvider(IRawElementProviderSimple** host) override {
        *host = nullptr;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Navigate(NavigateDirection, IRawElementProviderFragment** element) override {
        *element = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetRuntimeId(SAFEARRAY** id) override {
        *id = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_BoundingRectangle(UiaRect* area) override {
        *area = {static_cast<double>(place_.left), static_cast<double>(place_.top),
                 static_cast<double>(place_.right - place_.left),
                 static_cast<double>(place_.bottom - place_.top)};
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetEmbeddedFragmentRoots(SAFEARRAY** roots) override {
        *roots = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetFocus() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE get_FragmentRoot(IRawElementProviderFragmentRoot** root) override {
        *root = nullptr;
        return S_OK;
    }

private:
    RECT place_;
    std::atomic<ULONG> references_{1};
};

enum class offer { caret_object, automation_element, nothing, hung };

// A window of another thread that draws no system caret; by its offer it
// answers Active Accessibility's question for its caret, answers nothing,
// or hangs on the question until the test lets it go.
class caretless_window {
public:
    caretless_window(offer what, RECT caret) : offer_(what), caret_(caret) {
        released_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this] { run(); });
        while (!ready_)
            Sleep(5);
    }
    ~caretless_window() {
        SetEvent(released_);
        PostMessageA(window_, WM_CLOSE, 0, 0);
        thread_.join();
        CloseHandle(released_);
    }
    HWND handle() const { return window_; }
    void release() { SetEvent(released_); }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        auto* self = reinterpret_cast<caretless_window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_GETOBJECT && self &&
            static_cast<DWORD>(lparam) == static_cast<DWORD>(OBJID_CARET)) {
            if (self->offer_ == offer::hung)
                WaitForSingleObject(self->released_, INFINITE);
            if (self->offer_ == offer::caret_object)
                return LresultFromObject(__uuidof(IAccessible), wparam, &self->object_);
            return 0;
        }
        if (message == WM_GETOBJECT && self && self->offer_ == offer::automation_element &&
            static_cast<LONG>(lparam) == UIA_ROOT_OBJECT_ID)
            return return_element(window, wparam, lparam, &self->field_);
        if (message == WM_DESTROY)
            PostQuitMessage(0);
        return DefWindowProcA(window, message, wparam, lparam);
    }

    void run() {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        WNDCLASSA type{};
        type.lpfnWndProc = procedure;
        type.hInstance = GetModuleHandleA(nullptr);
        type.lpszClassName = "tarvik_test_caretless";
        RegisterClassA(&type);
        window_ = CreateWindowExA(0, type.lpszClassName, "caretless", WS_POPUP | WS_VISIBLE, 120, 80, 400,
                                  300, nullptr, nullptr, type.hInstance, nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ready_ = true;
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0)
            DispatchMessageA(&message);
        CoUninitialize();
    }

    offer offer_;
    RECT caret_;
    caret_object object_{caret_};
    field_element field_{caret_};
    HANDLE released_ = nullptr;
    std::thread thread_;
    std::atomic<bool> ready_{false};
    HWND window_ = nullptr;
};

constexpr RECT CARET{640, 480, 642, 498};

struct chain_case {
    const char* name;
    offer what;
    DWORD allowed_ms; // generous where the target answers: a busy machine must not fail it
    anchor_source source;
    screen_rectangle area;
};

// Whether this system has a UI Automation client (Wine 8 registers none).
bool automation_available() {
    bool available = false;
    std::thread([&] {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        available = automation_client().available();
        CoUninitialize();
    }).join();
    return available;
}

class caret_chain : public testing::TestWithParam<chain_case> {};

TEST_P(caret_chain, takes_the_first_source_that_answers) {
    const chain_case& c = GetParam();
    if (c.what == offer::automation_element && !automation_available())
        GTEST_SKIP() << "no UI Automation client on this system";
    caretless_window target(c.what, CARET);
    const text_anchor found = locate_text(target.handle(), c.allowed_ms);
    // A hung target got no more than its time: it is let go only now.
    target.release();
    EXPECT_EQ(found.source, c.source);
    EXPECT_EQ(found.area, c.area);
}

INSTANTIATE_TEST_SUITE_P(
    desktop, caret_chain,
    testing::Values(
        chain_case{"accessible_caret",
                   offer::caret_object,
                   2000,
                   anchor_source::accessible_caret,
                   {640, 480, 642, 498}},
        chain_case{"automation_element",
                   offer::automation_element,
                   2000,
                   anchor_source::automation_element,
                   {640, 480, 642, 498}},
        // The focus window's top left corner, as before any of this.
        chain_case{"nothing_offered", offer::nothing, 2000, anchor_source::focus_window, {120, 80, 120, 80}},
        chain_case{"hung_target", offer::hung, 50, anchor_source::focus_window, {120, 80, 120, 80}}),
    [](const testing::TestParamInfo<chain_case>& row) { return std::string(row.param.name); });

TEST(caret_chain, a_system_caret_answers_first) {
    foreign_editor other(300, 400);
    other.activate();
    const text_anchor found = locate_text(other.edit());
    EXPECT_EQ(found.source, anchor_source::system_caret);
    POINT corner{0, 0};
    ClientToScreen(other.edit(), &corner);
    EXPECT_GE(found.area.left, corner.x);
    EXPECT_GE(found.area.top, corner.y);
}

} // namespace
