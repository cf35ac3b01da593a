#include "bench/BenchSupport.h"
#include <windows.h>
#include <algorithm>
#include <cstdio>

namespace bench {

double NowSeconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

void Report(const char* key, const std::vector<double>& values) {
    printf("%s", key);
    for (double v : values) printf(" %.6f", v);
    printf("\n");
    fflush(stdout);
}

}  // namespace bench
