// Every fault the update road can meet, from the version question to the update mode, against an
// installed launcher (a stand-in at 1.0.1.0) and an offered build (a stand-in at 1.0.2.0). A fault
// is survived when the player still has a launcher afterwards (the old one carried on, or the
// new one was started from the installed path) and the installed file is byte for byte the old
// build or the new one, never anything in between.
#include "tests/update/LoopbackServer.h"
#include "tests/update/UpdateTestSupport.h"
#include "tests/support/SuiteLine.h"
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

enum class Outcome { KeepsOldBuild, InstallsNewBuild };

// One run of the road with one fault arranged.
struct FaultRun {
    CString strInstalled;          // <data folder>\Lander_Kv.exe
    std::string newBuild;          // the offered build's bytes
    LoopbackServer server;
    CString strVersionServer;      // what the installed launcher asks
    CString strCopyCommandLine;    // set: the downloaded copy is started with it, as the old launcher would
    HANDLE hHeld = INVALID_HANDLE_VALUE;  // a file another program holds
    DWORD releaseAfterMs = INFINITE;      // when that program lets go of it; INFINITE: not before the end

    CString FileUrl() const { return server.BaseUrl() + L"/files/Lander_Kv.exe"; }
    void AnswerVersion(const HttpReply& reply) { server.Serve("/getClientVersion.php", reply); }
    // The version server names the file, which is served with this reply (the new build by default).
    void Offer(HttpReply file) {
        HttpReply version;
        version.body = FileUrl().ToMultiByte();
        AnswerVersion(version);
        if (file.body.empty()) file.body = newBuild;
        server.Serve("/files/Lander_Kv.exe", file);
    }
    void Hold(const CString& path, DWORD access, DWORD disposition) {
        hHeld = CreateFileW(path, access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    // The update mode as the old launcher starts it, from the downloaded copy.
    void StartCopyWith(const CString& commandLine) {
        WriteBytes(TempDownloadPath(), newBuild);
        strCopyCommandLine = commandLine;
    }
};

HttpReply Status(int status) {
    HttpReply reply;
    reply.status = status;
    reply.body = "<html>error</html>";
    return reply;
}

CString UnusedServer() { return FormatString(L"http://127.0.0.1:%d", LoopbackServer::UnusedPort()); }

struct FaultCase {
    const char* name;
    Outcome outcome;
    void (*arrange)(FaultRun&);
};

const FaultCase kFaults[] = {
    // The version question.
    { "version server answers 404", Outcome::KeepsOldBuild, [](FaultRun& r) { r.AnswerVersion(Status(404)); } },
    { "version server answers 500", Outcome::KeepsOldBuild, [](FaultRun& r) { r.AnswerVersion(Status(500)); } },
    { "version server unreachable", Outcome::KeepsOldBuild, [](FaultRun& r) { r.strVersionServer = UnusedServer(); } },
    { "version reply of 2 KB", Outcome::KeepsOldBuild, [](FaultRun& r) {
        HttpReply reply;
        reply.body = r.FileUrl().ToMultiByte() + std::string(2048, 'x');
        r.AnswerVersion(reply);
    } },
    // The download.
    { "download answers 404", Outcome::KeepsOldBuild, [](FaultRun& r) { r.Offer(Status(404)); } },
    { "download server unreachable", Outcome::KeepsOldBuild, [](FaultRun& r) {
        HttpReply version;
        version.body = (UnusedServer() + L"/files/Lander_Kv.exe").ToMultiByte();
        r.AnswerVersion(version);
    } },
    { "download without Content-Length", Outcome::KeepsOldBuild, [](FaultRun& r) {
        HttpReply file;
        file.withContentLength = false;
        r.Offer(file);
    } },
    { "download one byte short", Outcome::KeepsOldBuild, [](FaultRun& r) {
        HttpReply file;
        file.bytesToSend = r.newBuild.size() - 1;
        r.Offer(file);
    } },
    { "download dropped mid-body", Outcome::KeepsOldBuild, [](FaultRun& r) {
        HttpReply file;
        file.bytesToSend = r.newBuild.size() / 2;
        file.resetAfterSending = true;
        r.Offer(file);
    } },
    { "download announces half its length", Outcome::KeepsOldBuild, [](FaultRun& r) {
        HttpReply file;
        file.contentLength = static_cast<long>(r.newBuild.size() / 2);
        r.Offer(file);
    } },
    { "downloaded file is not a program", Outcome::KeepsOldBuild, [](FaultRun& r) {
        HttpReply file;
        file.body = std::string(70000, 'z');
        r.Offer(file);
    } },
    { "temporary file held by another program", Outcome::KeepsOldBuild, [](FaultRun& r) {
        r.Hold(TempDownloadPath(), GENERIC_WRITE, CREATE_ALWAYS);
        r.Offer(HttpReply());
    } },
    // The update mode.
    { "old launcher still ending", Outcome::InstallsNewBuild, [](FaultRun& r) { r.Offer(HttpReply()); } },
    { "installed file held for a moment", Outcome::InstallsNewBuild, [](FaultRun& r) {
        r.Hold(r.strInstalled, GENERIC_READ, OPEN_EXISTING);
        r.releaseAfterMs = 1500;
        r.StartCopyWith(L"-d " + r.strInstalled);
    } },
    { "installed file held throughout", Outcome::KeepsOldBuild, [](FaultRun& r) {
        r.Hold(r.strInstalled, GENERIC_READ, OPEN_EXISTING);
        r.StartCopyWith(L"-d " + r.strInstalled);
    } },
    { "target in quotes", Outcome::KeepsOldBuild, [](FaultRun& r) { r.StartCopyWith(L"-d \"" + r.strInstalled + L"\""); } },
    { "target folder missing", Outcome::KeepsOldBuild, [](FaultRun& r) {
        r.StartCopyWith(L"-d " + GetDataFolder() + L"gone\\Lander_Kv.exe");
    } },
    { "bare -d", Outcome::KeepsOldBuild, [](FaultRun& r) { r.StartCopyWith(L"-d"); } },
};

// Waits until some process of the run has gone on as the launcher or the new build has started.
bool WaitForALauncher(DWORD maxWaitMs) {
    for (DWORD waited = 0; waited < maxWaitMs; waited += 50) {
        for (const HelperStart& s : HelperStarts())
            if (s.role == L"carried-on" || s.role == L"normal") return true;
        Sleep(50);
    }
    return false;
}

// Runs one fault; empty when it was survived, else what went wrong.
std::string RunFault(const FaultCase& fault, const std::string& oldBuild, const std::string& newBuild) {
    FaultRun run;
    run.strInstalled = GetDataFolder() + L"Lander_Kv.exe";
    run.newBuild = newBuild;
    run.strVersionServer = run.server.BaseUrl();
    DeleteWhenFree(TempDownloadPath());
    DeleteWhenFree(run.strInstalled);
    ResetDataFolder(true);
    if (!WriteBytes(run.strInstalled, oldBuild)) return "cannot install the old build";
    fault.arrange(run);

    HANDLE hProcess = run.strCopyCommandLine.IsEmpty()
        ? StartProcess(run.strInstalled, L"check " + run.strVersionServer)
        : StartProcess(TempDownloadPath(), run.strCopyCommandLine);
    if (!hProcess) return "cannot start the launcher";
    if (run.hHeld != INVALID_HANDLE_VALUE && run.releaseAfterMs != INFINITE) {
        Sleep(run.releaseAfterMs);
        CloseHandle(run.hHeld);
        run.hHeld = INVALID_HANDLE_VALUE;
    }
    bool ended = WaitForExit(hProcess, 30000) != -1;
    bool launcher = WaitForALauncher(30000);
    if (run.hHeld != INVALID_HANDLE_VALUE) CloseHandle(run.hHeld);

    std::string installed = ReadBytes(run.strInstalled);
    bool isOld = installed == oldBuild, isNew = installed == newBuild;
    bool newStarted = false;
    for (const HelperStart& s : HelperStarts())
        newStarted |= s.role == L"normal" && s.path == run.strInstalled.str();
    std::string verdict;
    if (!ended) verdict += "; the launcher did not end";
    if (!launcher) verdict += "; no launcher carried on or started";
    if (!isOld && !isNew) verdict += "; the installed file is BROKEN (" + std::to_string(installed.size()) + " bytes)";
    else if (fault.outcome == Outcome::KeepsOldBuild && !isOld) verdict += "; the new build was installed";
    else if (fault.outcome == Outcome::InstallsNewBuild && !isNew) verdict += "; the new build was not installed";
    if (fault.outcome == Outcome::InstallsNewBuild && !newStarted) verdict += "; the new build was not started";
    if (verdict.empty()) return verdict;
    std::string log;
    for (const std::wstring& line : UpdateLogMessages()) log += "\n    " + CString(line).ToMultiByte(CP_UTF8);
    return verdict.substr(2) + "\n  update log:" + log;
}

TEST_F(UpdateFixture, EveryFaultOfTheUpdateRoadLeavesALauncherAndAnIntactInstallation) {
    const char kSuite[] = "update-fault-matrix";
    WriteSuiteStarted(kSuite, "update fault matrix");
    const std::string oldBuild = ReadBytes(HelperExe(L"UpdateHelperInstalled.exe"));
    const std::string newBuild = ReadBytes(HelperExe(L"UpdateHelperNewer.exe"));
    ASSERT_FALSE(oldBuild.empty());
    ASSERT_FALSE(newBuild.empty());
    ASSERT_NE(oldBuild, newBuild);

    int survived = 0, total = 0;
    std::string lost;
    for (const FaultCase& fault : kFaults) {
        ++total;
        std::string verdict = RunFault(fault, oldBuild, newBuild);
        if (verdict.empty()) {
            ++survived;
            continue;
        }
        ADD_FAILURE() << fault.name << ": " << verdict;
        lost += std::string(lost.empty() ? "" : ", ") + fault.name;
    }
    WriteSuiteLine(kSuite, "update fault matrix: " + std::to_string(survived) + "/" + std::to_string(total) +
                               " faults survived (a launcher carried on, the installed file the old or the new build"
                               " byte for byte), " + (lost.empty() ? std::string("nothing lost") : "LOST: " + lost));
}

}  // namespace
