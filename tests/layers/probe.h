#pragma once

// Two tiny libraries for the link-level layer check: the low one uses what the high
// one defines, so they pass in one order and fail in the other.

// Defined only by the high library.
int ProbeHigh();

// A template whose one instantiation the high library makes, explicitly and so
// weakly; the low library uses it without making its own.
template <class T> T ProbeTwice(T value) {
    return value + value;
}
extern template int ProbeTwice<int>(int);

// The low library's one function.
int ProbeLow();
