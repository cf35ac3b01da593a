#include "tests/update/LoopbackServer.h"
#include "tests/update/UpdateTestSupport.h"
#include "update/UpdateCheck.h"
#include "update/Updater.h"
#include <gtest/gtest.h>

using namespace testing_support;
using Messages = std::vector<std::wstring>;

namespace {

const wchar_t kQuery[] = L"getClientVersion.php?p=Nuvra&g=tsk&v=";
const wchar_t kSeparator[] = L"=====================";

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

class VersionCheck : public UpdateFixture {
protected:
    void SetUp() override {
        UpdateFixture::SetUp();
        m_updater.Init(LoadProductText(IDS_UPDATE_FILE_NAME), FolderSuffix());
    }
    BOOL Check() { return m_updater.CheckVersion(m_server.BaseUrl(), kQuery, L"1.0.1.0"); }

    LoopbackServer m_server;
    CUpdater m_updater;
};

struct ReplyCase {
    const char* name;
    std::string body;
    bool update;
    std::string reply;  // what the reply becomes when it differs from the body
};

class VersionReplyRule : public VersionCheck, public testing::WithParamInterface<ReplyCase> {};

TEST_P(VersionReplyRule, DecidesAndLogsAsTheTable) {
    const ReplyCase& c = GetParam();
    HttpReply reply;
    reply.body = c.body;
    m_server.Serve("/getClientVersion.php", reply);

    EXPECT_EQ(Check(), c.update ? TRUE : FALSE);

    std::wstring expected = Wide(c.reply.empty() ? c.body : c.reply);
    Messages lines = { L"Http QueryInfoStatusCode:200", L"Server response check version msg:" + expected };
    if (c.update) {
        EXPECT_EQ(m_updater.m_strDownloadUrl.str(), expected);
    } else {
        lines.push_back(L"Finish Update.");
        lines.push_back(kSeparator);
        EXPECT_TRUE(m_updater.m_strDownloadUrl.IsEmpty());
    }
    EXPECT_EQ(UpdateLogMessages(), lines);
    ASSERT_EQ(m_server.Requests().size(), 1u);
    EXPECT_EQ(m_server.Requests()[0], "/getClientVersion.php?p=Nuvra&g=tsk&v=1.0.1.0");
}

std::string LongBody() {
    std::string body = "http://127.0.0.1/";
    while (body.size() < 2048) body += static_cast<char>('a' + body.size() % 26);
    return body;
}

INSTANTIATE_TEST_SUITE_P(Replies, VersionReplyRule, testing::Values(
    ReplyCase{ "Zero", "0", false, "" },
    ReplyCase{ "MinusOne", "-1", false, "" },
    ReplyCase{ "One", "1", false, "" },
    ReplyCase{ "Empty", "", false, "" },
    ReplyCase{ "FiveDigits", "12345", false, "" },
    ReplyCase{ "SixDigits", "123456", true, "" },
    ReplyCase{ "MinusAndSixDigits", "-123456", false, "" },
    ReplyCase{ "AddressWithLineBreak", "http://127.0.0.1:8480/files/Lander_Kv.exe\r\n", true, "" },
    ReplyCase{ "LongBodyIsCut", LongBody(), true, LongBody().substr(0, 1023) }),
    [](const testing::TestParamInfo<ReplyCase>& info) { return std::string(info.param.name); });

class VersionStatus : public VersionCheck, public testing::WithParamInterface<int> {};

TEST_P(VersionStatus, ErrorStatusMeansNoUpdate) {
    HttpReply reply;
    reply.status = GetParam();
    reply.body = "http://127.0.0.1/an-error-page-that-looks-like-an-address";
    m_server.Serve("/getClientVersion.php", reply);

    EXPECT_FALSE(Check());
    EXPECT_EQ(UpdateLogMessages(), (Messages{ FormatString(L"Http QueryInfoStatusCode:%d", GetParam()).str(),
                                             L"Server response check version msg:", L"Finish Update.", kSeparator }));
}

INSTANTIATE_TEST_SUITE_P(Statuses, VersionStatus, testing::Values(404, 500));

TEST_F(VersionCheck, UnreachableServerLogsTheErrorAndFinishes) {
    CString base = FormatString(L"http://127.0.0.1:%d", LoopbackServer::UnusedPort());
    EXPECT_FALSE(m_updater.CheckVersion(base, kQuery, L"1.0.1.0"));

    Messages lines = UpdateLogMessages();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], L"Try Download File Exception");
    EXPECT_FALSE(lines[1].empty());
    EXPECT_LE(lines[1].size(), 254u);
    EXPECT_EQ(Messages(lines.begin() + 2, lines.end()),
              (Messages{ L"Server response check version msg:", L"Finish Update.", kSeparator }));
}

TEST_F(VersionCheck, InitRemovesALeftOverDownloadAndPointsAtTheDataFolder) {
    ASSERT_TRUE(WriteBytes(TempDownloadPath(), "half of an old download"));
    CUpdater updater;
    updater.Init(LoadProductText(IDS_UPDATE_FILE_NAME), FolderSuffix());

    EXPECT_FALSE(FileExists(TempDownloadPath()));
    EXPECT_EQ(updater.m_strTempPath, TempDownloadPath());
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString name = CString(path).Mid(CString(path).ReverseFind(L'\\') + 1);
    EXPECT_EQ(updater.m_strInstallTarget, GetDataFolder() + name);
    EXPECT_EQ(updater.m_strFolderSuffix, L"\\Nuvra\\tsk\\");
}

// A whole check run, starting with the size limit of the update log.
struct LogSizeCase {
    DWORD size;
    bool kept;
};

class UpdateLogLimit : public UpdateFixture, public testing::WithParamInterface<LogSizeCase> {};

TEST_P(UpdateLogLimit, OnlyALogBeyondTenMebibytesIsDeleted) {
    LoopbackServer server;
    HttpReply reply;
    reply.body = "0";
    server.Serve("/getClientVersion.php", reply);
    ASSERT_TRUE(WriteBytes(UpdateLogPath(), std::string(GetParam().size, 'x')));

    RunUpdateCheck(server.BaseUrl());

    Messages run = { server.BaseUrl().str() + L"/getClientVersion.php?p=Nuvra&g=tsk&v=1.0.1.0",
                     L"Http QueryInfoStatusCode:200", L"Server response check version msg:0", L"Finish Update.",
                     kSeparator };
    std::string log = ReadBytes(UpdateLogPath());
    if (GetParam().kept) {
        EXPECT_EQ(log.substr(0, GetParam().size), std::string(GetParam().size, 'x'));
        EXPECT_EQ(UpdateLogMessages(GetParam().size), run);
    } else {
        EXPECT_EQ(UpdateLogMessages(), run);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, UpdateLogLimit, testing::Values(LogSizeCase{ 10485760, true },
                                                                LogSizeCase{ 10485761, false }));

}  // namespace
