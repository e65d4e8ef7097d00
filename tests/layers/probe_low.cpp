#include "probe.h"

#include <cstdlib>

// getenv and atoi are the C library's: no archive of the check defines them.
int ProbeLow() {
    return ProbeHigh() + ProbeTwice(1) + std::atoi(std::getenv("PROBE"));
}
