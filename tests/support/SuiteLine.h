// The one-line results of the fault and bad-input suites, printed together at the end of
// scripts/test. Each suite has a file of its own in the folder LANDER_SUITE_LINES names (the
// line also goes to standard output, for runs by hand). A suite writes a "did not finish" line
// before it starts, which its figures replace at the end: a crash or hang in between still shows.
#pragma once
#include <string>

namespace testing_support {

void WriteSuiteLine(const char* pszSuite, const std::string& line);

// "<what> did not finish (a step failed, or the test crashed or hung)", for the start of a suite.
inline void WriteSuiteStarted(const char* pszSuite, const std::string& what) {
    WriteSuiteLine(pszSuite, what + ": did not finish (a step failed, or the test crashed or hung)");
}

}  // namespace testing_support
