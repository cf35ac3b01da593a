// Hashing: ComputeFileMd5 on one file, a few times over (the file stays in the page cache).
//   md5_bench <file> <runs>
// Prints "md5 <median seconds>" and the digest on a line of its own, for the script to compare.
#include "app/FileDigest.h"
#include "bench/BenchSupport.h"
#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        fwprintf(stderr, L"usage: md5_bench <file> <runs>\n");
        return 2;
    }
    int runs = _wtoi(argv[2]);
    std::vector<double> seconds;
    CString digest;
    for (int i = 0; i < runs; ++i) {
        digest.Empty();
        double start = bench::NowSeconds();
        int ok = ComputeFileMd5(argv[1], digest);
        seconds.push_back(bench::NowSeconds() - start);
        if (!ok) {
            fwprintf(stderr, L"md5_bench: cannot hash %ls\n", argv[1]);
            return 1;
        }
    }
    bench::Report("md5", { bench::Median(seconds) });
    printf("digest %s\n", digest.ToMultiByte().c_str());
    return 0;
}
