// Two launchers writing the update log at the same moment (the update mode and the launcher it
// starts, or two starts side by side): every line of both arrives whole, and what was in the log
// before stays.
#include "tests/update/UpdateTestSupport.h"
#include "tests/support/SuiteLine.h"
#include <gtest/gtest.h>
#include <set>

using namespace testing_support;

namespace {

TEST_F(UpdateFixture, TwoProcessesWritingAtOnceLoseNoLine) {
    const char kSuite[] = "update-log-writers";
    WriteSuiteStarted(kSuite, "update log, two writers at once");
    const int kLines = 1000;
    const wchar_t* const kWriters[] = { L"A", L"B" };
    std::wstring earlier = L"an earlier line\r\n";
    ASSERT_TRUE(WriteBytes(UpdateLogPath(), std::string(reinterpret_cast<const char*>(earlier.data()), earlier.size() * 2)));

    HANDLE hGo = CreateEventW(nullptr, TRUE, FALSE, L"LanderUpdateLogWritersGo");
    ASSERT_NE(hGo, nullptr);
    std::vector<HANDLE> writers;
    for (const wchar_t* name : kWriters)
        writers.push_back(StartProcess(HelperExe(L"UpdateHelperInstalled.exe"), FormatString(L"log %d %s", kLines, name)));
    for (HANDLE h : writers) ASSERT_NE(h, nullptr);
    // Both are up and waiting before either writes.
    for (DWORD waited = 0; HelperStarts().size() < writers.size() && waited < 30000; waited += 20) Sleep(20);
    ASSERT_EQ(HelperStarts().size(), writers.size());
    SetEvent(hGo);
    long failedWrites = 0;
    for (HANDLE h : writers) failedWrites += WaitForExit(h);
    CloseHandle(hGo);

    std::string bytes = ReadBytes(UpdateLogPath());
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
    EXPECT_EQ(text.substr(0, earlier.size()), earlier);
    // Every line exactly once, each whole; how often the writers took turns shows they overlapped.
    std::set<std::wstring> expected;
    for (const wchar_t* name : kWriters)
        for (int i = 0; i < kLines; ++i) expected.insert(FormatString(L"%s %d", name, i).str());
    std::vector<std::wstring> lines = UpdateLogMessages(earlier.size() * 2);
    std::set<std::wstring> seen;
    int damaged = 0, turns = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!expected.count(lines[i]) || !seen.insert(lines[i]).second) ++damaged;
        if (i > 0 && lines[i].substr(0, 1) != lines[i - 1].substr(0, 1)) ++turns;
    }
    int lost = static_cast<int>(expected.size() - seen.size());
    // Nothing but whole lines: 22 characters of time stamp, the tag, the message and the line break.
    size_t wholeLength = earlier.size();
    for (const std::wstring& line : lines) wholeLength += 22 + 14 + line.size() + 2;
    EXPECT_EQ(text.size(), wholeLength) << "the log holds more than its lines";

    int total = kLines * static_cast<int>(writers.size());
    WriteSuiteLine(kSuite, "update log, two writers at once: " + std::to_string(total - lost) + "/" + std::to_string(total) +
                               " lines kept whole, " + std::to_string(damaged) + " damaged, writers took turns " +
                               std::to_string(turns) + " times, " +
                               (lost + damaged + failedWrites ? std::to_string(lost + damaged) + " LOST" : std::string("nothing lost")));
    EXPECT_EQ(failedWrites, 0) << "a writer reported lines as not written";
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(damaged, 0);
    EXPECT_GT(turns, 0) << "the two writers never overlapped";
}

}  // namespace
