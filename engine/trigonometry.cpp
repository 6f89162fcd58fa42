#include "engine/trigonometry.h"

#include <cmath>

namespace cal {

namespace {

// pi/2 split into 33-bit pieces, each with its tail, so that n * piece is
// exact for the multiples n used here (the classic three-step reduction).
constexpr double pio2_1 = 0x1.921fb54400000p+0;
constexpr double pio2_1t = 0x1.0b4611a626331p-34;
constexpr double pio2_2 = 0x1.0b4611a600000p-34;
constexpr double pio2_2t = 0x1.3198a2e037073p-69;
constexpr double pio2_3 = 0x1.3198a2e000000p-69;
constexpr double pio2_3t = 0x1.b839a252049c1p-104;
constexpr double two_over_pi = 0x1.45f306dc9c883p-1;

constexpr double quarter_pi = 0x1.921fb54442d18p-1;
// Beyond this, n * piece is no longer exact; the library's own reduction
// has to do (such arguments have lost every digit that matters anyway).
constexpr double reducible_limit = 0x1p+20 * pio2_1;

struct reduced {
    double r;   // x - quadrant * pi/2
    int quadrant;
};

reduced reduce(double x) {
    double n = std::nearbyint(x * two_over_pi);
    double r = x - n * pio2_1;
    double w = n * pio2_1t;
    double y = r - w;
    // Two more steps recover the bits lost when x is close to a multiple of pi/2.
    double t = r;
    w = n * pio2_2;
    r = t - w;
    w = n * pio2_2t - ((t - r) - w);
    y = r - w;
    t = r;
    w = n * pio2_3;
    r = t - w;
    w = n * pio2_3t - ((t - r) - w);
    y = r - w;
    long long quadrant = static_cast<long long>(n) & 3;
    return {y, static_cast<int>(quadrant)};
}

#if defined(__MINGW32__)
constexpr bool library_reduces_exactly = false;   // x87 fsin/fcos with a 66-bit pi
#else
constexpr bool library_reduces_exactly = true;    // glibc reduces with pi to many bits
#endif

bool needs_reduction(double x) {
    if (library_reduces_exactly)
        return false;
    double magnitude = std::fabs(x);
    return magnitude > quarter_pi && magnitude < reducible_limit;
}

} // namespace

double precise_sin(double x) {
    if (!needs_reduction(x))
        return std::sin(x);
    auto [r, quadrant] = reduce(x);
    switch (quadrant) {
    case 0: return std::sin(r);
    case 1: return std::cos(r);
    case 2: return -std::sin(r);
    default: return -std::cos(r);
    }
}

double precise_cos(double x) {
    if (!needs_reduction(x))
        return std::cos(x);
    auto [r, quadrant] = reduce(x);
    switch (quadrant) {
    case 0: return std::cos(r);
    case 1: return -std::sin(r);
    case 2: return -std::cos(r);
    default: return std::sin(r);
    }
}

double precise_tan(double x) {
    // MinGW takes tan from the system's C runtime, whose reduction is exact;
    // -1/tan(r) after a reduction here would cost an ulp.
    return std::tan(x);
}

} // namespace cal
