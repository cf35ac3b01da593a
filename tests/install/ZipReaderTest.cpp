#include "install/PackageExtraction.h"
#include "install/ZipEntryRules.h"
#include "install/ZipReader.h"
#include "tests/install/ZipBuilder.h"
#include "tests/support/SuiteLine.h"
#include "tests/support/TestFiles.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <random>
#include <set>

using namespace testing_support;
using zip_builder::Entry;

namespace {

ULONGLONG Ticks(const FILETIME& ft) { return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime; }

// A res folder inside a parent of its own, so that anything landing beside it shows.
class ZipReaderFixture : public testing::Test {
protected:
    ScratchFolder m_scratch{ L"zip-reader" };
    CString m_parent = m_scratch / L"parent";
    CString m_res = m_parent + L"\\res";

    void SetUp() override { MakeFolders(m_res); }

    // Every file and folder below the parent, relative to it.
    std::vector<std::wstring> Tree(const CString& folder, const std::wstring& prefix = L"") {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW(folder + L"\\*", &fd);
        if (h == INVALID_HANDLE_VALUE) return names;
        do {
            std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            names.push_back(prefix + name);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                auto below = Tree(folder + L"\\" + name.c_str(), prefix + name + L"\\");
                names.insert(names.end(), below.begin(), below.end());
            }
        } while (FindNextFileW(h, &fd));
        FindClose(h);
        return names;
    }
};

TEST_F(ZipReaderFixture, ReadsItemsAndWritesThemWithTheirAttributesAndTimes) {
    Entry settings = zip_builder::File("systemset.ini", std::string(300, 'x') + "\r\n");
    Entry stored = zip_builder::File("sub/dir/stored.bin", std::string("\0\1\2\3", 4));
    stored.deflate = false;
    Entry unixEntry = zip_builder::File("unix-readonly.txt", "ro");
    unixEntry.host = 3;
    unixEntry.externalAttributes = 0x81240000;
    unixEntry.localExtra = zip_builder::ExtendedTimes(7, { 1500000000, 1500000100, 1400000000 });
    Entry folder = zip_builder::File("empty/", "");
    folder.externalAttributes = FILE_ATTRIBUTE_DIRECTORY;
    std::string archive = zip_builder::Build({ settings, stored, unixEntry, folder });

    CZipReader reader;
    ASSERT_EQ(reader.OpenFromMemory(archive.data(), static_cast<DWORD>(archive.size())), ZIP_OK);
    EXPECT_EQ(reader.OpenFromMemory(archive.data(), static_cast<DWORD>(archive.size())), ZIP_ALREADY_OPEN);
    reader.SetBaseFolder(m_res);
    ZipItem item;
    ASSERT_EQ(reader.GetItem(-1, item), ZIP_OK);
    EXPECT_EQ(item.index, 4);
    EXPECT_EQ(reader.GetItem(4, item), ZIP_BAD_ARGUMENT);
    EXPECT_EQ(reader.GetItem(-2, item), ZIP_BAD_ARGUMENT);

    // Backwards as well as forwards.
    ASSERT_EQ(reader.GetItem(2, item), ZIP_OK);
    EXPECT_STREQ(item.name, L"unix-readonly.txt");
    EXPECT_EQ(item.attributes, static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY));
    const ULONGLONG kEpoch = 116444736000000000ULL;
    EXPECT_EQ(Ticks(item.writeTime), kEpoch + 1500000000ULL * 10000000ULL);
    EXPECT_EQ(Ticks(item.accessTime), kEpoch + 1500000100ULL * 10000000ULL);
    EXPECT_EQ(Ticks(item.creationTime), kEpoch + 1400000000ULL * 10000000ULL);
    ASSERT_EQ(reader.GetItem(0, item), ZIP_OK);
    EXPECT_STREQ(item.name, L"systemset.ini");
    EXPECT_EQ(item.uncompressedSize, 302u);
    EXPECT_LT(item.compressedSize, 302u);

    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(reader.GetItem(i, item), ZIP_OK);
        EXPECT_EQ(reader.ExtractItem(i, item.name), ZIP_OK) << i;
    }
    reader.Close();
    EXPECT_EQ(reader.GetItem(0, item), ZIP_BAD_ARGUMENT);

    EXPECT_EQ(ReadBytes(m_res + L"\\systemset.ini"), settings.data);
    EXPECT_EQ(ReadBytes(m_res + L"\\sub\\dir\\stored.bin"), stored.data);
    EXPECT_TRUE(FolderExists(m_res + L"\\empty"));
    DWORD attributes = GetFileAttributesW(m_res + L"\\unix-readonly.txt");
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_TRUE(GetFileAttributesW(m_res + L"\\systemset.ini") & FILE_ATTRIBUTE_ARCHIVE);

    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExW(m_res + L"\\unix-readonly.txt", GetFileExInfoStandard, &data));
    EXPECT_EQ(Ticks(data.ftLastWriteTime), kEpoch + 1500000000ULL * 10000000ULL);
    ASSERT_TRUE(GetFileAttributesExW(m_res + L"\\systemset.ini", GetFileExInfoStandard, &data));
    EXPECT_EQ(Ticks(data.ftLastWriteTime), Ticks(ZipDosTimeToFileTime(MAKELONG(settings.dosTime, settings.dosDate))));
    SetFileAttributesW(m_res + L"\\unix-readonly.txt", FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ZipReaderFixture, TraversalNamesLandInsideResOrAreSkipped) {
    std::vector<Entry> entries;
    const char* names[] = { "a\\..\\b.txt", "/x.txt", "..\\evil1.txt", "C:\\c.txt", "../../d.txt",
                            "a/b/../../../../e.txt", "../evil2.txt", "sub/../../evil3.txt", "..",
                            "nul", "a.txt:evil4", "\\\\?\\C:\\f.txt" };
    for (const char* name : names) entries.push_back(zip_builder::File(name, name));
    std::string archive = zip_builder::Build(entries);
    UnpackArchive(archive.data(), static_cast<DWORD>(archive.size()), m_res);

    std::vector<std::wstring> tree = Tree(m_parent);
    std::sort(tree.begin(), tree.end());
    std::vector<std::wstring> expected = { L"res", L"res\\b.txt", L"res\\c.txt", L"res\\d.txt", L"res\\x.txt" };
    EXPECT_EQ(tree, expected);
    EXPECT_EQ(ReadBytes(m_res + L"\\b.txt"), "a\\..\\b.txt");
    EXPECT_FALSE(FileExists(L"C:\\c.txt"));
    EXPECT_FALSE(FileExists(L"C:\\f.txt"));
}

TEST_F(ZipReaderFixture, NamesTooLongForTheItemAreSkippedNotCut) {
    // Cut to 259 characters this name would be "…/x" below res: a different file.
    std::string longName = std::string(240, 'a') + "/x" + std::string(40, 'b');
    std::string archive = zip_builder::Build({ zip_builder::File(longName, "long"), zip_builder::File("ok.txt", "ok") });
    CZipReader reader;
    ASSERT_EQ(reader.OpenFromMemory(archive.data(), static_cast<DWORD>(archive.size())), ZIP_OK);
    ZipItem item;
    EXPECT_EQ(reader.GetItem(0, item), ZIP_CORRUPT);
    reader.Close();

    UnpackArchive(archive.data(), static_cast<DWORD>(archive.size()), m_res);
    std::vector<std::wstring> expected = { L"res", L"res\\ok.txt" };
    EXPECT_EQ(Tree(m_parent), expected);
    // A name that fits the item but not the path below res is not written either.
    std::string deep = std::string(200, 'c') + "/" + std::string(50, 'd');
    archive = zip_builder::Build({ zip_builder::File(deep, "deep") });
    ASSERT_EQ(reader.OpenFromMemory(archive.data(), static_cast<DWORD>(archive.size())), ZIP_OK);
    reader.SetBaseFolder(m_res);
    ASSERT_EQ(reader.GetItem(0, item), ZIP_OK);
    EXPECT_EQ(reader.ExtractItem(0, item.name), ZIP_NO_FILE);
}

TEST_F(ZipReaderFixture, DamagedArchivesGiveTheirResultCode) {
    std::string good = zip_builder::Build({ zip_builder::File("one.txt", std::string(5000, 'q')) });
    CZipReader reader;
    ZipItem item;

    EXPECT_EQ(reader.OpenFromMemory("not a zip at all", 16), ZIP_NO_FILE);
    EXPECT_EQ(reader.OpenFromMemory(good.data(), 30), ZIP_NO_FILE);  // truncated: no directory
    EXPECT_EQ(reader.OpenFromMemory(nullptr, 0), ZIP_NO_FILE);

    // Local header fields at their offsets; the central record of the one entry at kCentral.
    const size_t kCentral = good.size() - 22 - 46 - 7;
    auto patched = [&](std::initializer_list<std::pair<size_t, char>> bytes) {
        std::string a = good;
        for (auto& b : bytes) a[b.first] = b.second;
        return a;
    };
    struct Case { const char* what; std::string archive; ZipResult result; } cases[] = {
        { "data cut short", [&] { std::string a = good; a.erase(40, 30); return a; }(), ZIP_NO_FILE },
        { "deflate stream broken", patched({ { 37, char(0xFF) }, { 38, char(0xFF) }, { 39, char(0xFF) } }), ZIP_INFLATE_FAILED },
        { "local header disagrees", patched({ { 14, char(good[14] ^ 1) } }), ZIP_CORRUPT },
        { "crc wrong in both headers", patched({ { 14, char(good[14] ^ 1) }, { kCentral + 16, char(good[14] ^ 1) } }), ZIP_CORRUPT },
        { "encrypted", patched({ { 6, 1 }, { kCentral + 8, 1 } }), ZIP_PASSWORD },
        { "unknown method", patched({ { 8, 99 }, { kCentral + 10, 99 } }), ZIP_CORRUPT },
        { "sizes larger than the data", patched({ { 22, 0x7F }, { kCentral + 24, 0x7F }, { 24, 0x7F }, { kCentral + 26, 0x7F } }), ZIP_INFLATE_FAILED },
    };
    for (Case& c : cases) {
        ZipResult opened = reader.OpenFromMemory(c.archive.data(), static_cast<DWORD>(c.archive.size()));
        if (opened != ZIP_OK) {
            EXPECT_EQ(opened, c.result) << c.what;
            continue;
        }
        reader.SetBaseFolder(m_res);
        ZipResult result = reader.GetItem(0, item);
        if (result == ZIP_OK) result = reader.ExtractItem(0, item.name);
        EXPECT_EQ(result, c.result) << c.what;
        reader.Close();
        EXPECT_FALSE(FileExists(m_res + L"\\one.txt")) << c.what << ": a damaged entry is not left behind";
    }
}

// Names directly in a folder (no "." or "..").
std::set<std::wstring> Names(const CString& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(folder + L"\\*", &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        std::wstring name = fd.cFileName;
        if (name != L"." && name != L"..") names.insert(name);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return names;
}

std::string Narrow(const std::wstring& s) { return CString(s).ToMultiByte(CP_UTF8); }

// Hand-made archives with random damage: the reader never crashes and never writes outside res.
TEST_F(ZipReaderFixture, MutatedArchivesNeverEscapeTheBaseFolder) {
    const char kSuite[] = "archive-mutation";
    WriteSuiteStarted(kSuite, "archive mutation");
    std::vector<std::string> seeds;
    Entry withTimes = zip_builder::File("zz-t.txt", "times");
    withTimes.localExtra = zip_builder::ExtendedTimes(7, { 1, 2, 3 });
    Entry unixEntry = zip_builder::File("zz-u/zz-v.txt", std::string(3000, 'u'));
    unixEntry.host = 3;
    unixEntry.externalAttributes = 0x81A40000;
    Entry stored = zip_builder::File("zz-s.bin", std::string(700, 's'));
    stored.deflate = false;
    seeds.push_back(zip_builder::Build({ withTimes, unixEntry, stored }));
    seeds.push_back(zip_builder::Build({ zip_builder::File("a/../zz-a.txt", "a"), zip_builder::File("..\\zz-b.txt", "b"),
                                         zip_builder::File("/zz-c.txt", "c") }));
    seeds.push_back(zip_builder::Build({ zip_builder::File("zz-dir/", ""), zip_builder::File("zz-dir/zz-e.txt", "e") }));

    // An escape lands beside res or beside its parent (checked after every archive), or in the
    // root of the drive, the current folder or the temporary folder (compared at the end).
    wchar_t current[MAX_PATH] = L"", temp[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, current);
    GetTempPathW(MAX_PATH, temp);
    const CString farAway[] = { L"C:\\", current, temp };
    std::vector<std::set<std::wstring>> before;
    for (const CString& folder : farAway) before.push_back(Names(folder));
    const std::set<std::wstring> onlyRes = { L"res" }, onlyParent = { L"parent" };
    CString scratch = m_scratch.Path().Left(m_scratch.Path().GetLength() - 1);

    std::mt19937 random(20130817);
    auto pick = [&](size_t n) { return static_cast<size_t>(random() % (n ? n : 1)); };
    const int kArchives = 3000;
    int crashes = 0, escapes = 0;
    for (int round = 0; round < kArchives; ++round) {
        std::string archive = seeds[round % seeds.size()];
        switch (random() % 4) {
        case 0:  // a few bytes flipped
            for (int i = 1 + pick(6); i > 0; --i) archive[pick(archive.size())] ^= char(1 << pick(8));
            break;
        case 1:  // cut short
            archive.resize(pick(archive.size()));
            break;
        case 2: {  // a 16- or 32-bit field set to an extreme
            static const unsigned kValues[] = { 0, 1, 0x7F, 0xFF, 0xFFFF, 0x7FFFFFFF, 0xFFFFFFFF, 0x2E2E };
            size_t at = pick(archive.size());
            unsigned value = kValues[pick(8)];
            for (size_t i = 0; i < 4 && at + i < archive.size(); ++i) archive[at + i] = char(value >> (8 * i));
            break;
        }
        default: {  // a name byte turned into a separator, dot or colon
            static const char kBytes[] = { '/', '\\', '.', ':', 0 };
            for (int i = 1 + pick(3); i > 0; --i) archive[pick(archive.size())] = kBytes[pick(5)];
            break;
        }
        }
        try {
            UnpackArchive(archive.data(), static_cast<DWORD>(archive.size()), m_res);
        } catch (...) {
            if (++crashes <= 5) ADD_FAILURE() << "round " << round << ": the reader threw";
        }
        for (const CString& folder : { m_parent, scratch }) {
            std::set<std::wstring> names = Names(folder);
            if (names == (folder == m_parent ? onlyRes : onlyParent)) continue;
            for (const std::wstring& name : names) {
                if (name == L"res" || name == L"parent") continue;
                if (++escapes <= 5) ADD_FAILURE() << "round " << round << " wrote " << Narrow(name) << " outside res";
                CString path = folder + L"\\" + name.c_str();
                RemoveTree(path);
                DeleteFileW(path);
            }
        }
        if (round % 200 == 199) {
            RemoveTree(m_res);
            MakeFolders(m_res);
        }
    }
    for (size_t i = 0; i < before.size(); ++i)
        for (const std::wstring& name : Names(farAway[i]))
            if (!before[i].count(name) && ++escapes <= 5) ADD_FAILURE() << "wrote " << Narrow(name) << " into " << farAway[i].ToMultiByte();

    WriteSuiteLine(kSuite, "archive mutation: " + std::to_string(kArchives) + " mutated archives, " + std::to_string(crashes) +
                               " crashes, " + std::to_string(escapes) + " writes outside res, " +
                               (crashes + escapes ? std::to_string(crashes + escapes) + " LOST" : std::string("nothing lost")));
    EXPECT_EQ(crashes, 0);
    EXPECT_EQ(escapes, 0);
}

}  // namespace
