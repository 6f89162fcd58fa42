#include "engine/trigonometry.h"

#include <cmath>

#if defined(__MINGW32__)
// The system C runtime's own sin and cos (msvcrt.dll), reached through their
// import entries: MinGW's static library defines sin and cos again on the x87
// unit, whose 66-bit pi gets cos(pi/2) wrong from the fourth digit on and
// large arguments wholly wrong.
extern "C" double (*__imp_sin)(double);
extern "C" double (*__imp_cos)(double);
#endif

namespace cal {

double precise_sin(double x) {
#if defined(__MINGW32__)
    return __imp_sin(x);
#else
    return std::sin(x);
#endif
}

double precise_cos(double x) {
#if defined(__MINGW32__)
    return __imp_cos(x);
#else
    return std::cos(x);
#endif
}

double precise_tan(double x) { return std::tan(x); }

} // namespace cal
