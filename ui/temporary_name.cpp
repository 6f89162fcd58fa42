#include "ui/temporary_name.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

unsigned long process_id() {
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<unsigned long>(getpid());
#endif
}

} // namespace

std::string temporary_name(const std::string& target) {
    return target + "." + std::to_string(process_id()) + ".tmp";
}
