#pragma once

namespace cal {

// sin, cos and tan of an argument in radians, accurate with every C library.
// Where the library reduces large arguments with a 66-bit pi in the x87 unit
// (MinGW's runtime), which gets cos(pi/2) wrong from the fourth digit on, the
// argument is first reduced here by a multiple of pi/2 held to about 150 bits,
// so that the library only ever sees |r| <= pi/4. glibc's own functions, and
// every runtime's tan, are used as they are.
double precise_sin(double x);
double precise_cos(double x);
double precise_tan(double x);

} // namespace cal
