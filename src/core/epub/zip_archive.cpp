#include "epub/zip_archive.h"

#include <zip.h>

#include <cstdint>
#include <memory>

namespace folix {
namespace {

// The date and time fields of a zip entry, which know neither zones nor years before 1980.
struct DosStamp {
    zip_uint16_t time = 0;
    zip_uint16_t date = (1 << 5) | 1;  // 1980-01-01
};

DosStamp ToDosStamp(std::time_t stamp) {
    std::tm utc{};
    DosStamp dos;
    if (gmtime_r(&stamp, &utc) == nullptr || utc.tm_year < 80 || utc.tm_year > 80 + 127) {
        return dos;
    }
    dos.time =
        static_cast<zip_uint16_t>((utc.tm_hour << 11) | (utc.tm_min << 5) | (utc.tm_sec / 2));
    dos.date = static_cast<zip_uint16_t>(((utc.tm_year - 80) << 9) | ((utc.tm_mon + 1) << 5) |
                                         utc.tm_mday);
    return dos;
}

// zlib's own default: the highest level takes twice the time for a few per cent of the size.
constexpr zip_uint32_t kDeflateLevel = 6;

struct SourceFree {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using SourcePtr = std::unique_ptr<zip_source_t, SourceFree>;

struct ArchiveDiscard {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ArchivePtr = std::unique_ptr<zip_t, ArchiveDiscard>;

bool AddMembers(zip_t* archive, const std::vector<ZipMember>& members, const DosStamp& dos) {
    for (const ZipMember& member : members) {
        zip_source_t* data =
            zip_source_buffer(archive, member.bytes.data(), member.bytes.size(), 0);
        if (data == nullptr) {
            return false;
        }
        zip_int64_t index = zip_file_add(archive, member.name.c_str(), data, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(data);
            return false;
        }
        const auto entry = static_cast<zip_uint64_t>(index);
        if (zip_set_file_compression(archive, entry, member.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
                                     kDeflateLevel) != 0 ||
            zip_file_set_dostime(archive, entry, dos.time, dos.date, 0) != 0) {
            return false;
        }
    }
    return true;
}

// The bytes the archive was written into.
bool ReadSource(zip_source_t* source, std::string& bytes) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(source, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0 ||
        zip_source_open(source) != 0) {
        return false;
    }
    bytes.resize(stat.size);
    zip_int64_t read = zip_source_read(source, bytes.data(), stat.size);
    zip_source_close(source);
    return read >= 0 && static_cast<zip_uint64_t>(read) == stat.size;
}

}  // namespace

bool MakeZipArchive(const std::vector<ZipMember>& members, std::time_t stamp, std::string& archive,
                    std::string& error) {
    zip_error_t zip_error;
    zip_error_init(&zip_error);
    SourcePtr source(zip_source_buffer_create(nullptr, 0, 0, &zip_error));
    if (source) {
        // The archive takes the source over and lets it go on closing; this keeps it to read.
        zip_source_keep(source.get());
        ArchivePtr zip(zip_open_from_source(source.get(), ZIP_TRUNCATE, &zip_error));
        if (zip) {
            if (!AddMembers(zip.get(), members, ToDosStamp(stamp))) {
                error = zip_strerror(zip.get());
                return false;
            }
            if (zip_close(zip.get()) != 0) {
                error = zip_strerror(zip.get());
                return false;
            }
            zip.release();
            if (ReadSource(source.get(), archive)) {
                return true;
            }
            error = zip_error_strerror(zip_source_error(source.get()));
            return false;
        }
        zip_source_free(source.get());
    }
    error = zip_error_strerror(&zip_error);
    zip_error_fini(&zip_error);
    return false;
}

}  // namespace folix
