#include "probe.h"

int ProbeHigh() {
    return 4;
}

template int ProbeTwice<int>(int);
