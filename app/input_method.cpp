#include "app/input_method.h"

#include <imm.h>

void close_input_method(HWND window) {
    HIMC context = ImmGetContext(window);
    if (!context)
        return;
    if (ImmGetOpenStatus(context))
        ImmSetOpenStatus(context, FALSE);
    ImmReleaseContext(window, context);
}
