// Times one download through the updater's own download path and reports the peak memory of the
// process meanwhile. Usage: download_bench <address>. Prints "seconds bytes peak_kib".
#include "app/DataFolder.h"
#include "app/ProductText.h"
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
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    // The payload is no program, so the hand-over fails and Download returns.
    updater.Download(argv[1]);
    QueryPerformanceCounter(&end);

    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExW(updater.m_strTempPath, GetFileExInfoStandard, &data);
    ULONGLONG bytes = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    PROCESS_MEMORY_COUNTERS memory = { sizeof(memory) };
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    DeleteFileW(updater.m_strTempPath);

    printf("%.3f %llu %llu\n", static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart, bytes,
           static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024));
    return 0;
}
