#include "app/automation_client.h"

#include <oleauto.h>

#include "ui/com_ptr.h"

// The few client interfaces used here, declared by their slots: the
// toolchain's headers carry UI Automation's provider side only. A slot that
// is never called needs no signature.
#define AUTOMATION_SLOT(n) virtual HRESULT STDMETHODCALLTYPE unused_##n() = 0

struct ui_automation_text_range : IUnknown {
    AUTOMATION_SLOT(3); // Clone
    AUTOMATION_SLOT(4); // Compare
    AUTOMATION_SLOT(5); // CompareEndpoints
    virtual HRESULT STDMETHODCALLTYPE ExpandToEnclosingUnit(int unit) = 0;
    AUTOMATION_SLOT(7); // FindAttribute
    AUTOMATION_SLOT(8); // FindText
    AUTOMATION_SLOT(9); // GetAttributeValue
    virtual HRESULT STDMETHODCALLTYPE GetBoundingRectangles(SAFEARRAY** rectangles) = 0;
};

struct ui_automation_text_pattern2 : IUnknown {
    AUTOMATION_SLOT(3); // RangeFromPoint
    AUTOMATION_SLOT(4); // RangeFromChild
    AUTOMATION_SLOT(5); // GetSelection
    AUTOMATION_SLOT(6); // GetVisibleRanges
    AUTOMATION_SLOT(7); // get_DocumentRange
    AUTOMATION_SLOT(8); // get_SupportedTextSelection
    AUTOMATION_SLOT(9); // RangeFromAnnotation
    virtual HRESULT STDMETHODCALLTYPE GetCaretRange(BOOL* is_active, ui_automation_text_range** range) = 0;
};

struct ui_automation_element : IUnknown {
    AUTOMATION_SLOT(3); // SetFocus
    AUTOMATION_SLOT(4); // GetRuntimeId
    AUTOMATION_SLOT(5); // FindFirst
    AUTOMATION_SLOT(6); // FindAll
    AUTOMATION_SLOT(7); // FindFirstBuildCache
    AUTOMATION_SLOT(8); // FindAllBuildCache
    AUTOMATION_SLOT(9); // BuildUpdatedCache
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPropertyValue(int property, VARIANT* value) = 0;
    AUTOMATION_SLOT(11); // GetCurrentPropertyValueEx
    AUTOMATION_SLOT(12); // GetCachedPropertyValue
    AUTOMATION_SLOT(13); // GetCachedPropertyValueEx
    AUTOMATION_SLOT(14); // GetCurrentPatternAs
    AUTOMATION_SLOT(15); // GetCachedPatternAs
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPattern(int pattern, IUnknown** object) = 0;
};

struct ui_automation : IUnknown {
    AUTOMATION_SLOT(3); // CompareElements
    AUTOMATION_SLOT(4); // CompareRuntimeIds
    AUTOMATION_SLOT(5); // GetRootElement
    virtual HRESULT STDMETHODCALLTYPE ElementFromHandle(HWND window, ui_automation_element** element) = 0;
    AUTOMATION_SLOT(7); // ElementFromPoint
    virtual HRESULT STDMETHODCALLTYPE GetFocusedElement(ui_automation_element** element) = 0;
};

#undef AUTOMATION_SLOT

namespace {

constexpr CLSID CLSID_UI_AUTOMATION = {
    0xff48dba4, 0x60ef, 0x4201, {0xaa, 0x87, 0x54, 0x10, 0x3e, 0xef, 0x59, 0x4e}};
constexpr IID IID_UI_AUTOMATION = {
    0x30cbe57d, 0xd9d0, 0x452a, {0xab, 0x13, 0x7a, 0xc5, 0xac, 0x48, 0x25, 0xee}};
constexpr IID IID_TEXT_PATTERN2 = {
    0x506a921a, 0xfcc9, 0x409f, {0xb2, 0x3b, 0x37, 0xeb, 0x74, 0x10, 0x68, 0x72}};
constexpr int TEXT_PATTERN2_ID = 10024;
constexpr int BOUNDING_RECTANGLE_PROPERTY = 30001;
constexpr int PROCESS_ID_PROPERTY = 30002;
constexpr int CHARACTER_UNIT = 0;

struct variant_value : VARIANT {
    variant_value() { VariantInit(this); }
    ~variant_value() { VariantClear(this); }
    variant_value(const variant_value&) = delete;
    variant_value& operator=(const variant_value&) = delete;
};

// The first rectangle of an array of doubles (left, top, width, height, ...),
// the form UI Automation gives rectangles in.
std::optional<screen_rectangle> first_rectangle(SAFEARRAY* values) {
    if (!values || SafeArrayGetDim(values) != 1)
        return std::nullopt;
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(values, 1, &lower);
    SafeArrayGetUBound(values, 1, &upper);
    if (upper - lower + 1 < 4)
        return std::nullopt;
    double* data = nullptr;
    if (FAILED(SafeArrayAccessData(values, reinterpret_cast<void**>(&data))))
        return std::nullopt;
    const screen_rectangle area{static_cast<int>(data[0]), static_cast<int>(data[1]),
                                static_cast<int>(data[0] + data[2]), static_cast<int>(data[1] + data[3])};
    SafeArrayUnaccessData(values);
    return area;
}

std::optional<screen_rectangle> range_rectangle(ui_automation_text_range& range) {
    SAFEARRAY* rectangles = nullptr;
    if (FAILED(range.GetBoundingRectangles(&rectangles)))
        return std::nullopt;
    const std::optional<screen_rectangle> area = first_rectangle(rectangles);
    if (rectangles)
        SafeArrayDestroy(rectangles);
    return area;
}

std::optional<text_anchor> caret_of(ui_automation_element& element) {
    IUnknown* pattern_object = nullptr;
    if (FAILED(element.GetCurrentPattern(TEXT_PATTERN2_ID, &pattern_object)) || !pattern_object)
        return std::nullopt;
    const com_ptr<IUnknown> pattern_unknown(pattern_object);
    ui_automation_text_pattern2* raw_pattern = nullptr;
    if (FAILED(pattern_unknown->QueryInterface(IID_TEXT_PATTERN2, reinterpret_cast<void**>(&raw_pattern))) ||
        !raw_pattern)
        return std::nullopt;
    const com_ptr<ui_automation_text_pattern2> pattern(raw_pattern);
    BOOL active = FALSE;
    ui_automation_text_range* raw_range = nullptr;
    if (FAILED(pattern->GetCaretRange(&active, &raw_range)) || !raw_range)
        return std::nullopt;
    const com_ptr<ui_automation_text_range> range(raw_range);
    // An empty range often has no rectangle; the character after the caret
    // starts where the caret stands.
    std::optional<screen_rectangle> area = range_rectangle(*range);
    if (!area && SUCCEEDED(range->ExpandToEnclosingUnit(CHARACTER_UNIT)))
        area = range_rectangle(*range);
    if (!area)
        return std::nullopt;
    return text_anchor{anchor_kind::caret, anchor_source::automation_caret, *area};
}

std::optional<text_anchor> bounds_of(ui_automation_element& element) {
    variant_value value;
    if (FAILED(element.GetCurrentPropertyValue(BOUNDING_RECTANGLE_PROPERTY, &value)) ||
        value.vt != (VT_R8 | VT_ARRAY))
        return std::nullopt;
    const std::optional<screen_rectangle> area = first_rectangle(value.parray);
    if (!area || area->right <= area->left || area->bottom <= area->top)
        return std::nullopt;
    return text_anchor{anchor_kind::element, anchor_source::automation_element, *area};
}

DWORD process_of(ui_automation_element& element) {
    variant_value value;
    if (FAILED(element.GetCurrentPropertyValue(PROCESS_ID_PROPERTY, &value)) || value.vt != VT_I4)
        return 0;
    return static_cast<DWORD>(value.lVal);
}

RECT as_rect(const screen_rectangle& area) { return {area.left, area.top, area.right, area.bottom}; }

// An answer that says more than the focus window's own place, and lies on
// its top-level window: every window has an element, whose rectangle is
// just the window's, and the focus the system reports may lie elsewhere.
bool telling(const text_anchor& anchor, HWND focus) {
    RECT window{}, top_level{}, overlap{};
    GetWindowRect(focus, &window);
    GetWindowRect(GetAncestor(focus, GA_ROOT), &top_level);
    const RECT area = as_rect(anchor.area);
    if (anchor.kind == anchor_kind::element && EqualRect(&area, &window))
        return false;
    const RECT probe{area.left, area.top, area.right + 1, area.bottom + 1};
    return IntersectRect(&overlap, &probe, &top_level) != FALSE;
}

} // namespace

automation_client::automation_client() {
    void* object = nullptr;
    if (SUCCEEDED(
            CoCreateInstance(CLSID_UI_AUTOMATION, nullptr, CLSCTX_INPROC_SERVER, IID_UI_AUTOMATION, &object)))
        automation_ = static_cast<ui_automation*>(object);
}

automation_client::~automation_client() {
    if (automation_)
        automation_->Release();
}

// The element with the keyboard focus when it belongs to the focus window's
// application; otherwise the focus window's own element.
ui_automation_element* automation_client::focused_element(HWND focus) const {
    DWORD focus_process = 0;
    GetWindowThreadProcessId(focus, &focus_process);
    ui_automation_element* element = nullptr;
    if (SUCCEEDED(automation_->GetFocusedElement(&element)) && element) {
        if (process_of(*element) == focus_process)
            return element;
        element->Release();
        element = nullptr;
    }
    if (FAILED(automation_->ElementFromHandle(focus, &element)))
        return nullptr;
    return element;
}

std::optional<text_anchor> automation_client::anchor_for(HWND focus) const {
    if (!automation_)
        return std::nullopt;
    const com_ptr<ui_automation_element> element(focused_element(focus));
    if (!element)
        return std::nullopt;
    std::optional<text_anchor> anchor = caret_of(*element);
    if (!anchor)
        anchor = bounds_of(*element);
    if (!anchor || !telling(*anchor, focus))
        return std::nullopt;
    return anchor;
}
