#include "epub/zip_archive.h"

#include <dlfcn.h>
#include <zip.h>

#include <cstdint>
#include <memory>
#include <string>

namespace folix {
namespace {

// libzip is opened when the first e-book is made, not when the program starts: every command
// and the window would otherwise load it and the compression and crypto libraries behind it
// at each start, for the one job that writes a zip. The header still types every call.
// clang-format off
#define FOLIX_ZIP_FUNCTIONS(X) \
    X(zip_close) \
    X(zip_discard) \
    X(zip_error_fini) \
    X(zip_error_init) \
    X(zip_error_strerror) \
    X(zip_file_add) \
    X(zip_file_set_dostime) \
    X(zip_open_from_source) \
    X(zip_set_file_compression) \
    X(zip_source_buffer) \
    X(zip_source_buffer_create) \
    X(zip_source_close) \
    X(zip_source_error) \
    X(zip_source_free) \
    X(zip_source_keep) \
    X(zip_source_open) \
    X(zip_source_read) \
    X(zip_source_stat) \
    X(zip_stat_init) \
    X(zip_strerror)
// clang-format on

struct LibZip {
#define FOLIX_ZIP_POINTER(name) decltype(&::name) name = nullptr;
    FOLIX_ZIP_FUNCTIONS(FOLIX_ZIP_POINTER)
#undef FOLIX_ZIP_POINTER
    std::string error;  // why it could not be opened, or empty
};

// The library's functions, looked up once; kept open for the rest of the run.
const LibZip& Zip() {
    static const LibZip zip = [] {
        LibZip loaded;
        void* library = ::dlopen(FOLIX_LIBZIP_SONAME, RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            const char* reason = ::dlerror();
            loaded.error = reason != nullptr ? reason : FOLIX_LIBZIP_SONAME;
            return loaded;
        }
#define FOLIX_ZIP_LOOKUP(name)                                                  \
    loaded.name = reinterpret_cast<decltype(&::name)>(::dlsym(library, #name)); \
    if (loaded.name == nullptr && loaded.error.empty()) {                       \
        loaded.error = std::string(FOLIX_LIBZIP_SONAME) + ": " #name;           \
    }
        FOLIX_ZIP_FUNCTIONS(FOLIX_ZIP_LOOKUP)
#undef FOLIX_ZIP_LOOKUP
        return loaded;
    }();
    return zip;
}

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
    void operator()(zip_source_t* source) const { Zip().zip_source_free(source); }
};
using SourcePtr = std::unique_ptr<zip_source_t, SourceFree>;

struct ArchiveDiscard {
    void operator()(zip_t* archive) const { Zip().zip_discard(archive); }
};
using ArchivePtr = std::unique_ptr<zip_t, ArchiveDiscard>;

bool AddMembers(zip_t* archive, const std::vector<ZipMember>& members, const DosStamp& dos) {
    for (const ZipMember& member : members) {
        zip_source_t* data =
            Zip().zip_source_buffer(archive, member.bytes.data(), member.bytes.size(), 0);
        if (data == nullptr) {
            return false;
        }
        zip_int64_t index =
            Zip().zip_file_add(archive, member.name.c_str(), data, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            Zip().zip_source_free(data);
            return false;
        }
        const auto entry = static_cast<zip_uint64_t>(index);
        if (Zip().zip_set_file_compression(archive, entry,
                                           member.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
                                           kDeflateLevel) != 0 ||
            Zip().zip_file_set_dostime(archive, entry, dos.time, dos.date, 0) != 0) {
            return false;
        }
    }
    return true;
}

// The bytes the archive was written into.
bool ReadSource(zip_source_t* source, std::string& bytes) {
    zip_stat_t stat;
    Zip().zip_stat_init(&stat);
    if (Zip().zip_source_stat(source, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0 ||
        Zip().zip_source_open(source) != 0) {
        return false;
    }
    bytes.resize(stat.size);
    zip_int64_t read = Zip().zip_source_read(source, bytes.data(), stat.size);
    Zip().zip_source_close(source);
    return read >= 0 && static_cast<zip_uint64_t>(read) == stat.size;
}

}  // namespace

bool MakeZipArchive(const std::vector<ZipMember>& members, std::time_t stamp, std::string& archive,
                    std::string& error) {
    if (!Zip().error.empty()) {
        error = Zip().error;
        return false;
    }
    zip_error_t zip_error;
    Zip().zip_error_init(&zip_error);
    SourcePtr source(Zip().zip_source_buffer_create(nullptr, 0, 0, &zip_error));
    if (source) {
        // The archive takes the source over and lets it go on closing; this keeps it to read.
        Zip().zip_source_keep(source.get());
        ArchivePtr zip(Zip().zip_open_from_source(source.get(), ZIP_TRUNCATE, &zip_error));
        if (zip) {
            if (!AddMembers(zip.get(), members, ToDosStamp(stamp))) {
                error = Zip().zip_strerror(zip.get());
                return false;
            }
            if (Zip().zip_close(zip.get()) != 0) {
                error = Zip().zip_strerror(zip.get());
                return false;
            }
            zip.release();
            if (ReadSource(source.get(), archive)) {
                return true;
            }
            error = Zip().zip_error_strerror(Zip().zip_source_error(source.get()));
            return false;
        }
        Zip().zip_source_free(source.get());
    }
    error = Zip().zip_error_strerror(&zip_error);
    Zip().zip_error_fini(&zip_error);
    return false;
}

}  // namespace folix
