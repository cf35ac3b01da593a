// Download: one run of the updater's own download path against a loopback server, and the
// peak memory of the process meanwhile.
//   download_bench <address>
// Prints "download <seconds> <bytes received> <peak working set KiB>".
#include "app/DataFolder.h"
#include "app/ProductText.h"
#include "bench/BenchSupport.h"
#include "framework/WinApp.h"
#include "update/Updater.h"
#include <windows.h>
#include <psapi.h>
#include <shlobj.h>
#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        fwprintf(stderr, L"usage: download_bench <address>\n");
        return 2;
    }
    CWinAppEx app;
    SHCreateDirectoryExW(nullptr, GetDataFolder() + L"res", nullptr);

    CUpdater updater;
    updater.Init(LoadProductText(IDS_UPDATE_FILE_NAME),
                 LoadProductText(IDS_PUBLISHER_FOLDER) + LoadProductText(IDS_GAME_CODE) + L"\\");
    // From the request to the digest line: the payload is no program, so the hand-over fails
    // and Download returns.
    double start = bench::NowSeconds();
    updater.Download(argv[1]);
    double seconds = bench::NowSeconds() - start;

    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExW(updater.m_strTempPath, GetFileExInfoStandard, &data);
    ULONGLONG bytes = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    PROCESS_MEMORY_COUNTERS memory = { sizeof(memory) };
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    DeleteFileW(updater.m_strTempPath);

    bench::Report("download", { seconds, static_cast<double>(bytes), memory.PeakWorkingSetSize / 1024.0 });
    return 0;
}
