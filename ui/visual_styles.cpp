#include "ui/visual_styles.h"

#include "ui/program_resources.h"

namespace {

// Made at the first scope and kept for the life of the process: windows
// created in it may ask for it again at any time.
HANDLE common_controls_context() {
    static const HANDLE context = [] {
        ACTCTXA request{};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_HMODULE_VALID;
        request.hModule = program_instance();
        request.lpResourceName = ISOLATIONAWARE_MANIFEST_RESOURCE_ID;
        return CreateActCtxA(&request);
    }();
    return context;
}

} // namespace

visual_styles_scope::visual_styles_scope() {
    const HANDLE context = common_controls_context();
    active_ = context != INVALID_HANDLE_VALUE && ActivateActCtx(context, &cookie_);
}

visual_styles_scope::~visual_styles_scope() {
    if (active_)
        DeactivateActCtx(0, cookie_);
}
