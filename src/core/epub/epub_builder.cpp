#include "epub/epub_builder.h"

#include <ctime>
#include <vector>

#include "book/path_parts.h"
#include "epub/epub_content.h"
#include "epub/epub_cover.h"
#include "epub/epub_documents.h"
#include "epub/epub_package.h"
#include "epub/random_uuid.h"
#include "epub/zip_archive.h"
#include "notation/notation_options.h"
#include "platform/ui.h"
#include "site/date_line.h"
#include "site/output_file.h"

namespace folix {
namespace {

constexpr char kEpubExtension[] = ".epub";
constexpr char kMimetype[] = "application/epub+zip";

std::time_t BuildTime() {
    std::time_t seconds = 0;
    return SourceDateEpoch(seconds) ? seconds : std::time(nullptr);
}

std::string ContentPath(const std::string& name) {
    return std::string(kContentFolder) + "/" + name;
}

// The files of the e-book in archive order: the media type first and stored, as reading systems
// look for it at a fixed place.
std::vector<ZipMember> PackageMembers(const EpubMetadata& book, EpubContent& content,
                                      EpubCover& cover) {
    std::vector<ZipMember> members;
    members.push_back({"mimetype", kMimetype, true});
    members.push_back({"META-INF/container.xml", ContainerDocument()});
    members.push_back({ContentPath(kPackageDocumentName), PackageDocument(book, content.chapters)});
    members.push_back({ContentPath(kNavDocumentName), NavDocument(book, content.nav)});
    members.push_back({ContentPath(kStyleSheetName), StyleSheet(book.vertical)});
    if (!cover.bytes.empty()) {
        members.push_back({ContentPath(kCoverDocumentName), CoverDocument(book)});
        members.push_back({ContentPath(cover.file_name), std::move(cover.bytes), true});
    }
    for (EpubChapter& chapter : content.chapters) {
        members.push_back({ContentPath(chapter.file_name), ChapterDocument(book, chapter)});
        std::string().swap(chapter.body);  // its memory goes as soon as the document has it
    }
    return members;
}

}  // namespace

std::string EpubPath(const SiteBook& book) {
    return JoinPath(book.parent_path, FileNamePart(book.root_path) + kEpubExtension);
}

EpubBuilder::EpubBuilder(Ui& ui, SiteBook book, size_t max_text_bytes)
    : ui_(ui), book_(std::move(book)), max_text_bytes_(max_text_bytes) {}

BuildOutcome EpubBuilder::MakeEpub(EpubSettings& settings, bool book_vertical,
                                   const std::function<void()>& reset_tree) {
    // Made once and kept: a rebuilt e-book is the same book to the reader's library.
    if (!IsUuid(settings.identifier) && !MakeRandomUuid(settings.identifier)) {
        ui_.ShowMessage(kEpubIdentifierMessage);
        return BuildOutcome::kRefused;
    }
    EpubCover cover;
    if (!settings.cover.empty() &&
        !ReadEpubCover(ui_, JoinPath(book_.root_path, settings.cover), cover)) {
        return BuildOutcome::kRefused;
    }
    auto wait = ui_.BeginWait();
    if (reset_tree) {
        reset_tree();
    }
    const bool vertical = IsVerticalEpub(settings, book_vertical);
    const NotationOptions notation = LoadNotationOptions(ui_, book_.root_path);
    // The e-book typesets the notation always: no e-book was made before it did, and the site's
    // setting keeps only the site as it was built before.
    EpubContent content =
        CollectEpubContent(ui_, book_, {true, vertical, notation.upright_digits}, max_text_bytes_);
    if (!content.too_large_at.empty()) {
        ui_.ShowMessage(content.too_large_at + kEpubTooLargeMessage);
        return BuildOutcome::kRefused;
    }
    const std::time_t built = BuildTime();
    EpubMetadata book;
    book.identifier = settings.identifier;
    book.title = settings.title.empty() ? EpubTitle(book_.root_path) : settings.title;
    book.author = settings.author;
    book.language = settings.language.empty() ? kDefaultEpubLanguage : settings.language;
    book.vertical = vertical;
    book.modified = IsoTimestamp(built);
    book.cover_file = cover.file_name;
    book.cover_media_type = cover.media_type;

    std::string archive;
    std::string error;
    if (!MakeZipArchive(PackageMembers(book, content, cover), built, archive, error)) {
        ui_.ShowMessage(std::string(kEpubArchiveMessage) + "(" + error + ")");
        return BuildOutcome::kIncomplete;
    }
    epub_path_ = EpubPath(book_);
    if (!MayWriteOutput(ui_, epub_path_, settings.last_written)) {
        return BuildOutcome::kWritten;
    }
    if (!WriteOutput(ui_, epub_path_, archive)) {
        return BuildOutcome::kIncomplete;
    }
    written_ = epub_path_;
    settings.last_written = epub_path_;
    return SaveEpubSettings(ui_, book_.root_path, settings) ? BuildOutcome::kWritten
                                                            : BuildOutcome::kIncomplete;
}

}  // namespace folix
