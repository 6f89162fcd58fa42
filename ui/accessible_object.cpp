#include "ui/accessible_object.h"

#include <string>

namespace {

using allocate_string_function = BSTR(WINAPI*)(const OLECHAR*);

// oleaut32 at the first answer, not at the start of the program.
BSTR make_string(const std::wstring& text) {
    static const auto allocate = [] {
        HMODULE library = LoadLibraryA("oleaut32.dll");
        return library ? reinterpret_cast<allocate_string_function>(
                             reinterpret_cast<void*>(GetProcAddress(library, "SysAllocString")))
                       : nullptr;
    }();
    return allocate ? allocate(text.c_str()) : nullptr;
}

void set_long(VARIANT* variant, long value) {
    variant->vt = VT_I4;
    variant->lVal = value;
}

bool inside(const RECT& r, long x, long y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

} // namespace

accessible_object::accessible_object(HWND window, const accessible_content& content)
    : window_(window), content_(&content) {}

HRESULT accessible_object::QueryInterface(REFIID id, void** object) {
    if (!object)
        return E_POINTER;
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG accessible_object::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG accessible_object::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT accessible_object::GetTypeInfoCount(UINT* count) {
    if (count)
        *count = 0;
    return S_OK;
}
HRESULT accessible_object::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT accessible_object::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT accessible_object::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

long accessible_object::child_of(const VARIANT& child) const {
    if (!content_ || child.vt != VT_I4)
        return -1;
    return child.lVal >= 0 && child.lVal <= content_->accessible_child_count() ? child.lVal : -1;
}

HRESULT accessible_object::get_accParent(IDispatch** parent) {
    if (!parent)
        return E_POINTER;
    *parent = nullptr;
    return S_FALSE;
}

HRESULT accessible_object::get_accChildCount(long* count) {
    if (!count)
        return E_POINTER;
    *count = content_ ? content_->accessible_child_count() : 0;
    return S_OK;
}

// The children are simple elements, named through this object.
HRESULT accessible_object::get_accChild(VARIANT child, IDispatch** object) {
    if (!object)
        return E_POINTER;
    *object = nullptr;
    return child_of(child) > 0 ? S_FALSE : E_INVALIDARG;
}

HRESULT accessible_object::get_accName(VARIANT child, BSTR* name) {
    if (!name)
        return E_POINTER;
    const long which = child_of(child);
    if (which < 0)
        return E_INVALIDARG;
    *name = make_string(content_->accessible_name(which));
    return *name ? S_OK : E_OUTOFMEMORY;
}

HRESULT accessible_object::get_accValue(VARIANT child, BSTR* value) {
    if (!value)
        return E_POINTER;
    const long which = child_of(child);
    if (which < 0)
        return E_INVALIDARG;
    *value = make_string(content_->accessible_value(which));
    return *value ? S_OK : E_OUTOFMEMORY;
}

HRESULT accessible_object::get_accDescription(VARIANT, BSTR* description) {
    if (description)
        *description = nullptr;
    return S_FALSE;
}

HRESULT accessible_object::get_accRole(VARIANT child, VARIANT* role) {
    if (!role)
        return E_POINTER;
    const long which = child_of(child);
    if (which < 0)
        return E_INVALIDARG;
    set_long(role, content_->accessible_role(which));
    return S_OK;
}

HRESULT accessible_object::get_accState(VARIANT child, VARIANT* state) {
    if (!state)
        return E_POINTER;
    const long which = child_of(child);
    if (which < 0)
        return E_INVALIDARG;
    long flags = IsWindowVisible(window_) ? 0 : STATE_SYSTEM_INVISIBLE;
    if (which == CHILDID_SELF) {
        flags |= STATE_SYSTEM_FOCUSABLE;
        if (GetFocus() == window_)
            flags |= STATE_SYSTEM_FOCUSED;
        if (GetWindowLongA(window_, GWL_STYLE) & ES_READONLY)
            flags |= STATE_SYSTEM_READONLY;
    }
    set_long(state, flags);
    return S_OK;
}

HRESULT accessible_object::get_accHelp(VARIANT, BSTR* help) {
    if (help)
        *help = nullptr;
    return S_FALSE;
}

HRESULT accessible_object::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
    if (file)
        *file = nullptr;
    if (topic)
        *topic = 0;
    return S_FALSE;
}

HRESULT accessible_object::get_accKeyboardShortcut(VARIANT, BSTR* shortcut) {
    if (shortcut)
        *shortcut = nullptr;
    return S_FALSE;
}

HRESULT accessible_object::get_accFocus(VARIANT* child) {
    if (!child)
        return E_POINTER;
    if (GetFocus() != window_) {
        child->vt = VT_EMPTY;
        return S_FALSE;
    }
    set_long(child, CHILDID_SELF);
    return S_OK;
}

HRESULT accessible_object::get_accSelection(VARIANT* children) {
    if (children)
        children->vt = VT_EMPTY;
    return S_FALSE;
}

HRESULT accessible_object::get_accDefaultAction(VARIANT, BSTR* action) {
    if (action)
        *action = nullptr;
    return S_FALSE;
}

HRESULT accessible_object::accSelect(long, VARIANT) { return DISP_E_MEMBERNOTFOUND; }

HRESULT accessible_object::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    if (!left || !top || !width || !height)
        return E_POINTER;
    const long which = child_of(child);
    if (which < 0)
        return E_INVALIDARG;
    const RECT r = content_->accessible_location(which);
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
}

HRESULT accessible_object::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (!end)
        return E_POINTER;
    end->vt = VT_EMPTY;
    const long from = child_of(start);
    if (from < 0)
        return E_INVALIDARG;
    const long count = content_->accessible_child_count();
    long to = 0;
    switch (direction) {
    case NAVDIR_FIRSTCHILD: to = from == CHILDID_SELF && count > 0 ? 1 : 0; break;
    case NAVDIR_LASTCHILD: to = from == CHILDID_SELF ? count : 0; break;
    case NAVDIR_NEXT: to = from > 0 && from < count ? from + 1 : 0; break;
    case NAVDIR_PREVIOUS: to = from > 1 ? from - 1 : 0; break;
    default: break;
    }
    if (to == 0)
        return S_FALSE;
    set_long(end, to);
    return S_OK;
}

HRESULT accessible_object::accHitTest(long x, long y, VARIANT* child) {
    if (!child)
        return E_POINTER;
    child->vt = VT_EMPTY;
    if (!content_)
        return E_FAIL;
    for (long which = 1; which <= content_->accessible_child_count(); ++which)
        if (inside(content_->accessible_location(which), x, y)) {
            set_long(child, which);
            return S_OK;
        }
    if (!inside(content_->accessible_location(CHILDID_SELF), x, y))
        return S_FALSE;
    set_long(child, CHILDID_SELF);
    return S_OK;
}

HRESULT accessible_object::accDoDefaultAction(VARIANT) { return DISP_E_MEMBERNOTFOUND; }
HRESULT accessible_object::put_accName(VARIANT, BSTR) { return DISP_E_MEMBERNOTFOUND; }
HRESULT accessible_object::put_accValue(VARIANT, BSTR) { return DISP_E_MEMBERNOTFOUND; }
