#pragma once

// Timestamps of the program's steps, for the latency benchmark (bench/).
// When the environment variable TARVIK_TRACE names a file, every trace_step
// appends one line to it: the milliseconds since the process was created and
// the step's name. Without the variable a step costs one test of a flag.
void trace_step(const char* step);
