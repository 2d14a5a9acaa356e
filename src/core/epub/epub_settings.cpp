#include "epub/epub_settings.h"

#include <algorithm>

#include "book/file_name_check.h"
#include "book/fixed_layout.h"
#include "book/path_parts.h"
#include "platform/ui.h"

namespace folix {
namespace {

constexpr size_t kEpubLineCount = 7;
constexpr size_t kMaxTagPartLength = 8;
constexpr char kVerticalValue[] = "vertical";
constexpr char kHorizontalValue[] = "horizontal";

EpubDirection ParseDirection(const std::string& line) {
    if (line == kVerticalValue) {
        return EpubDirection::kVertical;
    }
    if (line == kHorizontalValue) {
        return EpubDirection::kHorizontal;
    }
    return EpubDirection::kBook;
}

std::string FormatDirection(EpubDirection direction) {
    switch (direction) {
        case EpubDirection::kVertical:
            return kVerticalValue;
        case EpubDirection::kHorizontal:
            return kHorizontalValue;
        case EpubDirection::kBook:
            break;
    }
    return {};
}

bool IsAsciiAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiAlnum(char c) {
    return IsAsciiAlpha(c) || (c >= '0' && c <= '9');
}

bool Refuse(Ui& ui, const std::string& value) {
    ui.ShowMessage(value + kInvalidValueMessage);
    return false;
}

}  // namespace

bool IsLanguageTag(std::string_view tag) {
    bool first = true;
    while (true) {
        size_t end = std::min(tag.find('-'), tag.size());
        std::string_view part = tag.substr(0, end);
        if (part.empty() || part.size() > kMaxTagPartLength ||
            !std::all_of(part.begin(), part.end(), first ? IsAsciiAlpha : IsAsciiAlnum)) {
            return false;
        }
        if (end == tag.size()) {
            return true;
        }
        tag.remove_prefix(end + 1);
        first = false;
    }
}

bool IsCoverName(std::string_view name) {
    return IsSingleFileName(name);
}

EpubSettings LoadEpubSettings(Ui& ui, const std::string& root_path) {
    EpubSettings settings;
    ControlFile file;
    if (!ReadFixedLayout(ui, JoinPath(root_path, kEpubSettingsFileName), kEpubLineCount, file)) {
        return settings;
    }
    const std::vector<std::string>& line = file.lines;
    settings.identifier = line[0];
    settings.title = line[1];
    settings.author = line[2];
    if (line[3].empty() || IsLanguageTag(line[3])) {
        settings.language = line[3].empty() ? kDefaultEpubLanguage : line[3];
    } else {
        Refuse(ui, line[3]);
    }
    settings.direction = ParseDirection(line[4]);
    if (line[5].empty() || IsCoverName(line[5])) {
        settings.cover = line[5];
    } else {
        Refuse(ui, line[5]);
    }
    settings.last_written = line[6];
    return settings;
}

bool SaveEpubSettings(Ui& ui, const std::string& root_path, const EpubSettings& settings) {
    return WriteFixedLayout(ui, JoinPath(root_path, kEpubSettingsFileName),
                            {
                                settings.identifier,
                                settings.title,
                                settings.author,
                                settings.language,
                                FormatDirection(settings.direction),
                                settings.cover,
                                settings.last_written,
                            });
}

bool ApplyEpubChoices(Ui& ui, EpubSettings& settings, const EpubChoices& choices) {
    for (const auto* text : {&choices.title, &choices.author, &choices.language, &choices.cover}) {
        if (*text && HasControlCharacter(**text)) {
            return Refuse(ui, **text);
        }
    }
    if (choices.language && !choices.language->empty() && !IsLanguageTag(*choices.language)) {
        return Refuse(ui, *choices.language);
    }
    if (choices.cover && !choices.cover->empty() && !IsCoverName(*choices.cover)) {
        return Refuse(ui, *choices.cover);
    }
    settings.title = choices.title.value_or(settings.title);
    settings.author = choices.author.value_or(settings.author);
    if (choices.language) {
        settings.language = choices.language->empty() ? kDefaultEpubLanguage : *choices.language;
    }
    settings.direction = choices.direction.value_or(settings.direction);
    settings.cover = choices.cover.value_or(settings.cover);
    return true;
}

bool IsVerticalEpub(const EpubSettings& settings, bool book_vertical) {
    switch (settings.direction) {
        case EpubDirection::kVertical:
            return true;
        case EpubDirection::kHorizontal:
            return false;
        case EpubDirection::kBook:
            break;
    }
    return book_vertical;
}

}  // namespace folix
