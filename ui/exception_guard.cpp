#include "ui/exception_guard.h"

void on_caught_exception() noexcept {}
