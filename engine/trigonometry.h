#pragma once

namespace cal {

// sin, cos and tan of an argument in radians, accurate on every platform:
// the Windows build takes sin and cos from the system's C runtime rather than
// from MinGW's x87 versions, whose inexact argument reduction shows in the
// answers (cos(90 degrees) as 6.1230317691e-17 instead of 6.1232339957e-17).
double precise_sin(double x);
double precise_cos(double x);
double precise_tan(double x);

} // namespace cal
