#include "FuzzInput.h"

#include <cstdio>
#include <cstdlib>

void fuzzFailure(const char* what) {
    std::fprintf(stderr, "fuzz target failure: %s\n", what);
    std::abort();
}
