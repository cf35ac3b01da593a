// Hand-made ZIP archives for the reader's tests: any name bytes, stored or deflated data,
// host system, attributes, DOS time and local extra field as the test wants them.
#pragma once
#include <windows.h>
#include <zlib.h>
#include <cstring>
#include <string>
#include <vector>

namespace zip_builder {

struct Entry {
    std::string name;                 // raw bytes, as they go into the archive
    std::string data;
    bool deflate = true;
    int host = 0;                     // 0 MS-DOS, 3 Unix
    DWORD externalAttributes = FILE_ATTRIBUTE_ARCHIVE;
    WORD dosDate = (33 << 9) | (5 << 5) | 17;   // 2013-05-17
    WORD dosTime = (14 << 11) | (21 << 5) | 5;  // 14:21:10
    std::string localExtra;
    WORD flags = 0;
};

inline void Put16(std::string& out, unsigned v) { out += char(v & 0xFF); out += char((v >> 8) & 0xFF); }
inline void Put32(std::string& out, unsigned long v) { Put16(out, v & 0xFFFF); Put16(out, (v >> 16) & 0xFFFF); }

inline std::string RawDeflate(const std::string& data) {
    z_stream z = {};
    deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, data.size()) + 16, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

// "UT" extra record with the times its flags announce (write, access, creation).
inline std::string ExtendedTimes(unsigned flags, const std::vector<long>& times) {
    std::string data(1, char(flags));
    for (long t : times) Put32(data, static_cast<unsigned long>(t));
    std::string record = "UT";
    Put16(record, static_cast<unsigned>(data.size()));
    return record + data;
}

inline std::string Build(const std::vector<Entry>& entries) {
    std::string archive, directory;
    for (const Entry& e : entries) {
        std::string stored = e.deflate ? RawDeflate(e.data) : e.data;
        unsigned long crc = crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), static_cast<uInt>(e.data.size()));
        unsigned long offset = static_cast<unsigned long>(archive.size());
        auto common = [&](std::string& out) {
            Put16(out, 20);
            Put16(out, e.flags);
            Put16(out, e.deflate ? 8 : 0);
            Put16(out, e.dosTime);
            Put16(out, e.dosDate);
            Put32(out, crc);
            Put32(out, static_cast<unsigned long>(stored.size()));
            Put32(out, static_cast<unsigned long>(e.data.size()));
            Put16(out, static_cast<unsigned>(e.name.size()));
        };
        Put32(archive, 0x04034b50);
        common(archive);
        Put16(archive, static_cast<unsigned>(e.localExtra.size()));
        archive += e.name + e.localExtra + stored;

        Put32(directory, 0x02014b50);
        Put16(directory, (e.host << 8) | 20);
        common(directory);
        Put16(directory, 0);   // extra
        Put16(directory, 0);   // comment
        Put16(directory, 0);   // disk
        Put16(directory, 0);   // internal attributes
        Put32(directory, e.externalAttributes);
        Put32(directory, offset);
        directory += e.name;
    }
    unsigned long directoryOffset = static_cast<unsigned long>(archive.size());
    archive += directory;
    Put32(archive, 0x06054b50);
    Put16(archive, 0);
    Put16(archive, 0);
    Put16(archive, static_cast<unsigned>(entries.size()));
    Put16(archive, static_cast<unsigned>(entries.size()));
    Put32(archive, static_cast<unsigned long>(directory.size()));
    Put32(archive, directoryOffset);
    Put16(archive, 0);
    return archive;
}

inline Entry File(const std::string& name, const std::string& data) {
    Entry e;
    e.name = name;
    e.data = data;
    return e;
}

}  // namespace zip_builder
