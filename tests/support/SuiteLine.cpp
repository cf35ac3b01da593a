#include "tests/support/SuiteLine.h"
#include "tests/support/TestFiles.h"
#include <cstdio>
#include <cstdlib>

namespace testing_support {

void WriteSuiteLine(const char* pszSuite, const std::string& line) {
    std::printf("[suite] %s\n", line.c_str());
    std::fflush(stdout);
    const char* folder = std::getenv("LANDER_SUITE_LINES");
    if (!folder || !*folder) return;
    WriteBytes(CString(folder) + L"\\" + CString(pszSuite) + L".txt", line + "\n");
}

}  // namespace testing_support
