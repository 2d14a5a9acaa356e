#include "post/episode_export.h"

#include <algorithm>

#include "book/line_ends.h"
#include "book/path_parts.h"
#include "platform/ui.h"
#include "post/episode_folder.h"
#include "site/generation_listing.h"
#include "typeset/grid_layout.h"

namespace folix {
namespace {

// 小説家になろう's limits of one episode, as its writers report them.
constexpr uint64_t kNarouMinCharacters = 200;
constexpr uint64_t kNarouWarnCharacters = 40000;
constexpr uint64_t kNarouMaxCharacters = 70000;

struct Episode {
    std::string path;
    std::string relative;
    std::vector<std::string> chapters;  // the folders that begin with it, outermost first
};

void CollectEpisodes(Ui& ui, const std::string& folder, const std::string& relative,
                     std::vector<std::string>& pending_chapters, std::vector<Episode>& episodes) {
    for (const BookEntry& entry : ListBookEntries(ui, folder)) {
        const std::string path = JoinPath(folder, entry.name);
        if (entry.IsFolder()) {
            pending_chapters.push_back(entry.name);
            CollectEpisodes(ui, path, relative + entry.name + "/", pending_chapters, episodes);
        } else {
            episodes.push_back({path, relative + entry.name, std::move(pending_chapters)});
            pending_chapters.clear();
        }
    }
}

void NoteLength(PostSite site, const Episode& episode, uint64_t characters,
                std::vector<PostNote>& notes) {
    if (site != PostSite::kNarou) {
        return;
    }
    const std::string count = "（" + std::to_string(characters) + "文字）";
    if (characters > kNarouMaxCharacters) {
        notes.push_back({episode.relative, 0,
                         "小説家になろうの1話の上限70000文字を超えています" + count + "。"});
    } else if (characters > kNarouWarnCharacters) {
        notes.push_back({episode.relative, 0,
                         "40000文字を超えると小説家になろうでは警告が出ます" + count + "。"});
    } else if (characters < kNarouMinCharacters) {
        notes.push_back({episode.relative, 0,
                         "小説家になろうに投稿するには200文字以上が必要です" + count + "。"});
    }
}

std::string EpisodeText(const std::string& text, PostSite site, const Episode& episode,
                        std::vector<PostNote>& notes) {
    std::string out;
    if (site == PostSite::kPixiv) {
        for (const std::string& chapter : episode.chapters) {
            out += PixivChapterLine(chapter) + "\r\n";
        }
    }
    size_t number = 0;
    for (const std::string_view line : SplitTextLines(text)) {
        ++number;
        SiteLine converted = ConvertLineForSite(line, site);
        out += converted.text;
        out += "\r\n";
        for (std::string& message : converted.differences) {
            notes.push_back({episode.relative, number, std::move(message)});
        }
    }
    return out;
}

std::string OrderPrefix(size_t order, size_t count) {
    std::string digits = std::to_string(order);
    const size_t width = std::max<size_t>(3, std::to_string(count).size());
    return std::string(width - std::min(width, digits.size()), '0') + digits + "_";
}

}  // namespace

std::vector<std::string> EpisodeFiles(Ui& ui, const SiteBook& book) {
    std::vector<std::string> pending;
    std::vector<Episode> episodes;
    CollectEpisodes(ui, book.root_path, "", pending, episodes);
    std::vector<std::string> files;
    for (const Episode& episode : episodes) {
        files.push_back(episode.relative);
    }
    return files;
}

PostResult PostEpisodes(Ui& ui, const SiteBook& book, PostSite site, const std::string& from) {
    PostResult result;
    auto wait = ui.BeginWait();
    std::vector<std::string> pending;
    std::vector<Episode> episodes;
    CollectEpisodes(ui, book.root_path, "", pending, episodes);
    size_t first = 0;
    if (!from.empty()) {
        const auto found = std::find_if(episodes.begin(), episodes.end(),
                                        [&](const Episode& e) { return e.relative == from; });
        if (found == episodes.end()) {
            ui.ShowMessage(from + kNotABookFileMessage);
            return result;
        }
        first = static_cast<size_t>(found - episodes.begin());
    }
    result.folder = JoinPath(book.parent_path,
                             FileNamePart(book.root_path) + "-" + std::string(PostSiteName(site)));
    EpisodeFolder folder(result.folder);
    std::vector<std::string> names;
    for (size_t i = first; i < episodes.size(); ++i) {
        const Episode& episode = episodes[i];
        std::string text;
        if (!book.read_text(ui, episode.path, text)) {
            continue;  // reported by the reader; the other episodes go on
        }
        NoteLength(site, episode, CountCharacters(text), result.notes);
        const std::string name = OrderPrefix(i + 1, episodes.size()) + FileNamePart(episode.path);
        folder.Write(name, EpisodeText(text, site, episode, result.notes));
        names.push_back(name);
    }
    bool placed = false;
    if (!folder.Commit(ui, placed)) {
        result.outcome = BuildOutcome::kIncomplete;
        return result;
    }
    result.outcome = BuildOutcome::kWritten;
    if (placed) {
        for (const std::string& name : names) {
            result.written.push_back(JoinPath(result.folder, name));
        }
    }
    return result;
}

}  // namespace folix
