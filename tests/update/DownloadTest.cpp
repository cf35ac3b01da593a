#include "tests/update/LoopbackServer.h"
#include "tests/update/UpdateTestSupport.h"
#include "app/FileDigest.h"
#include "update/Updater.h"
#include <gtest/gtest.h>

using namespace testing_support;
using Messages = std::vector<std::wstring>;

namespace {

// Not an executable: a download of it that arrives whole cannot be started, so these cases
// return to the test instead of ending the process.
std::string Payload(size_t size) {
    std::string bytes;
    for (size_t i = 0; bytes.size() < size; ++i) bytes += static_cast<char>('0' + i % 10);
    return bytes;
}

class Download : public UpdateFixture {
protected:
    void SetUp() override {
        UpdateFixture::SetUp();
        m_updater.Init(LoadProductText(IDS_UPDATE_FILE_NAME), FolderSuffix());
        m_strUrl = m_server.BaseUrl() + L"/files/Lander_Kv.exe";
    }
    void Run(const HttpReply& reply) {
        m_server.Serve("/files/Lander_Kv.exe", reply);
        m_updater.Download(m_strUrl);
    }
    Messages Opening(long length) const {
        return { L"ExcuUpdate,URL=" + m_strUrl.str(), L"Http QueryInfoStatusCode:200",
                 FormatString(L"Content length:%ld", length).str() };
    }
    static bool Logged(const wchar_t* prefix) {
        for (const std::wstring& line : UpdateLogMessages())
            if (line.compare(0, wcslen(prefix), prefix) == 0) return true;
        return false;
    }

    LoopbackServer m_server;
    CUpdater m_updater;
    CString m_strUrl;
};

struct CompleteCase {
    const char* name;
    size_t size;
    int pieces;
    DWORD pauseMs;
};

class CompleteDownload : public Download, public testing::WithParamInterface<CompleteCase> {};

// Whole arrival is logged with size and digest; the failed start is logged and the launcher carries on.
TEST_P(CompleteDownload, IsLoggedWithItsDigestAndHandedOver) {
    HttpReply reply;
    reply.body = Payload(GetParam().size);
    reply.pieces = GetParam().pieces;
    reply.pauseMs = GetParam().pauseMs;
    Run(reply);

    EXPECT_EQ(ReadBytes(TempDownloadPath()), reply.body);
    CString digest;
    ASSERT_EQ(ComputeFileMd5(TempDownloadPath(), digest), 1);
    long size = static_cast<long>(reply.body.size());
    Messages expected = Opening(size);
    expected.push_back(FormatString(L"Finish download,file size=%ld", size).str());
    expected.push_back(L"Finish download,file md5=" + digest.str());
    Messages lines = UpdateLogMessages();
    ASSERT_EQ(lines.size(), expected.size() + 2);
    EXPECT_EQ(Messages(lines.begin(), lines.begin() + expected.size()), expected);
    EXPECT_EQ(lines[expected.size()].find(L"Start update failure.Error Code:"), 0u);
    EXPECT_EQ(lines.back(), L"=====================");
}

INSTANTIATE_TEST_SUITE_P(Bodies, CompleteDownload, testing::Values(
    CompleteCase{ "OnePiece", 70000, 1, 0 },
    CompleteCase{ "ExactlyOneReadBuffer", 1024, 1, 0 },
    CompleteCase{ "SlowPiecesDoNotEndTheRead", 5000, 5, 150 },
    CompleteCase{ "ManyReadAheadBuffersInPieces", 300007, 4, 30 }),
    [](const testing::TestParamInfo<CompleteCase>& info) { return std::string(info.param.name); });

TEST_F(Download, WithoutContentLengthNothingIsDownloaded) {
    HttpReply reply;
    reply.body = Payload(3000);
    reply.withContentLength = false;
    Run(reply);

    Messages expected = Opening(0);
    expected.push_back(L"ERROR!Before download dwFileSize == dwToatlSize,exit");
    EXPECT_EQ(UpdateLogMessages(), expected);
    EXPECT_TRUE(FileExists(TempDownloadPath()));
    EXPECT_EQ(ReadBytes(TempDownloadPath()).size(), 0u);
}

struct ShortCase {
    const char* name;
    size_t sent;
    bool reset;
};

class IncompleteDownload : public Download, public testing::WithParamInterface<ShortCase> {};

TEST_P(IncompleteDownload, IsNeverHandedOver) {
    HttpReply reply;
    reply.body = Payload(20000);
    reply.bytesToSend = GetParam().sent;
    reply.resetAfterSending = GetParam().reset;
    Run(reply);

    Messages lines = UpdateLogMessages();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(Messages(lines.begin(), lines.begin() + 3), Opening(20000));
    // Either the read failed (both error lines) or the body just ended early (nothing more).
    Messages rest(lines.begin() + 3, lines.end());
    if (!rest.empty()) {
        ASSERT_EQ(rest.size(), 2u);
        EXPECT_EQ(rest[0], L"Try Download File Exception");
    }
    EXPECT_FALSE(Logged(L"Finish download"));
    EXPECT_FALSE(Logged(L"Start update"));
    EXPECT_LT(ReadBytes(TempDownloadPath()).size(), 20000u);
}

INSTANTIATE_TEST_SUITE_P(Bodies, IncompleteDownload, testing::Values(
    ShortCase{ "OneByteShort", 19999, false },
    ShortCase{ "DroppedMidBody", 9000, true }),
    [](const testing::TestParamInfo<ShortCase>& info) { return std::string(info.param.name); });

TEST_F(Download, ErrorStatusWritesNothing) {
    HttpReply reply;
    reply.status = 404;
    reply.body = Payload(100);
    Run(reply);

    EXPECT_EQ(UpdateLogMessages(), (Messages{ L"ExcuUpdate,URL=" + m_strUrl.str(), L"Http QueryInfoStatusCode:404" }));
    EXPECT_FALSE(FileExists(TempDownloadPath()));
}

TEST_F(Download, LockedTemporaryFileEndsTheDownloadQuietly) {
    HANDLE hLock = CreateFileW(TempDownloadPath(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(hLock, INVALID_HANDLE_VALUE);
    HttpReply reply;
    reply.body = Payload(4000);
    Run(reply);
    CloseHandle(hLock);

    EXPECT_EQ(UpdateLogMessages(), Opening(4000));
    EXPECT_EQ(ReadBytes(TempDownloadPath()).size(), 0u);
}

TEST_F(Download, UnreachableServerLogsTheError) {
    CString url = FormatString(L"http://127.0.0.1:%d/files/Lander_Kv.exe", LoopbackServer::UnusedPort());
    m_updater.Download(url);

    Messages lines = UpdateLogMessages();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], L"ExcuUpdate,URL=" + url.str());
    EXPECT_EQ(lines[1], L"Try Download File Exception");
    EXPECT_FALSE(lines[2].empty());
}

TEST_F(Download, FailedStartOfTheCopyLetsTheLauncherCarryOn) {
    ScratchFolder scratch;
    m_updater.StartUpdatedCopy(scratch / L"missing.exe", m_updater.m_strInstallTarget);

    Messages lines = UpdateLogMessages();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].find(L"Start update failure.Error Code:"), 0u);
    EXPECT_NE(lines[0], L"Start update failure.Error Code:0");
    EXPECT_EQ(lines[1], L"=====================");
}

}  // namespace
