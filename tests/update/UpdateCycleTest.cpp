#include "tests/update/LoopbackServer.h"
#include "tests/update/UpdateTestSupport.h"
#include "app/FileDigest.h"
#include "app/FileVersion.h"
#include <gtest/gtest.h>

using namespace testing_support;
using Messages = std::vector<std::wstring>;

namespace {

// An installed 1.0.1.0 launcher asks the version server, which offers a newer build; at the end
// the newer bytes are installed and running from the installed path.
TEST_F(UpdateFixture, InstalledLauncherEndsUpReplacedByTheOfferedBuild) {
    LoopbackServer server;
    CString installed = GetDataFolder() + L"Lander_Kv.exe";
    ASSERT_TRUE(CopyFileW(HelperExe(L"UpdateHelperInstalled.exe"), installed, FALSE));
    ASSERT_EQ(GetFileVersionString(installed), L"1.0.1.0");

    std::string newBytes = ReadBytes(HelperExe(L"UpdateHelperNewer.exe"));
    CString newUrl = server.BaseUrl() + L"/files/Lander_Kv.exe";
    HttpReply version;
    version.body = newUrl.ToMultiByte();
    server.Serve("/getClientVersion.php", version);
    HttpReply file;
    file.body = newBytes;
    server.Serve("/files/Lander_Kv.exe", file);

    // The old launcher ends inside the check, as soon as the downloaded copy runs.
    EXPECT_EQ(WaitForExit(StartProcess(installed, L"check " + server.BaseUrl())), 0);
    ASSERT_TRUE(WaitForHelperStart(L"normal"));

    EXPECT_TRUE(ReadBytes(installed) == newBytes) << "the installed file is not the offered build";
    EXPECT_EQ(GetFileVersionString(installed), L"1.0.2.0");
    std::vector<std::string> requests = server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0], "/getClientVersion.php?p=Nuvra&g=tsk&v=1.0.1.0");
    EXPECT_EQ(requests[1], "/files/Lander_Kv.exe");

    CString digest;
    ComputeFileMd5(installed, digest);
    long size = static_cast<long>(newBytes.size());
    EXPECT_EQ(UpdateLogMessages(), (Messages{
        server.BaseUrl().str() + L"/getClientVersion.php?p=Nuvra&g=tsk&v=1.0.1.0",
        L"Http QueryInfoStatusCode:200",
        L"Server response check version msg:" + newUrl.str(),
        L"ExcuUpdate,URL=" + newUrl.str(),
        L"Http QueryInfoStatusCode:200",
        FormatString(L"Content length:%ld", size).str(),
        FormatString(L"Finish download,file size=%ld", size).str(),
        L"Finish download,file md5=" + digest.str(),
        L"Finish download,current file md5=" + digest.str(),
        L"Update success.Current Version:1.0.2.0",
        L"=====================" }));

    std::vector<HelperStart> starts = HelperStarts();
    ASSERT_EQ(starts.size(), 3u);
    EXPECT_EQ(starts[0].role, L"check");
    EXPECT_EQ(starts[1].role, L"update");
    EXPECT_EQ(starts[1].path, TempDownloadPath().str());
    EXPECT_EQ(starts[1].commandLine, L"-d " + installed.str());
    EXPECT_EQ(starts[2].role, L"normal");
    EXPECT_EQ(starts[2].path, installed.str());
}

}  // namespace
