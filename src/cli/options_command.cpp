#include <algorithm>
#include <optional>
#include <ostream>
#include <string_view>

#include "book/book_options.h"
#include "book/file_name_check.h"
#include "cli/book_argument.h"
#include "cli/command_context.h"
#include "cli/command_line.h"
#include "count/count_settings.h"
#include "notation/notation_options.h"
#include "site/html_options.h"
#include "site/text_builder.h"

namespace folix {
namespace {

constexpr char kHtmlFileKey[] = "html.file";

const char* BoolText(bool value) {
    return value ? "true" : "false";
}

// A setting of one of the small settings files (the notation's, the counts') as the command
// line shows it; set is false for a value it does not take.
template <typename Settings>
struct SettingKey {
    std::string (*get)(const Settings&);
    bool (*set)(Settings&, std::string_view);
    const char* values;  // what it takes, ending the message on a wrong value
};
using NotationKey = SettingKey<NotationOptions>;
using CountKey = SettingKey<CountSettings>;

const NotationKey kHtmlNotation = {
    [](const NotationOptions& o) -> std::string { return BoolText(o.html_notation); },
    [](NotationOptions& o, std::string_view value) {
        o.html_notation = value == "true";
        return value == "true" || value == "false";
    },
    "true か false です。"};
const NotationKey kTextNotation = {
    [](const NotationOptions& o) { return std::string(TextNotationName(o.text_notation)); },
    [](NotationOptions& o, std::string_view value) {
        std::optional<TextNotation> parsed = ParseTextNotation(value);
        o.text_notation = parsed.value_or(o.text_notation);
        return parsed.has_value();
    },
    "keep か base です。"};
const NotationKey kUprightDigits = {
    [](const NotationOptions& o) { return std::to_string(o.upright_digits); },
    [](NotationOptions& o, std::string_view value) {
        std::optional<int> parsed = ParseUprightDigits(value);
        o.upright_digits = parsed.value_or(o.upright_digits);
        return parsed.has_value();
    },
    "2、3、4 のどれかです。"};

const CountKey kCountGrid = {[](const CountSettings& c) { return FormatGrid(c.grid); },
                             [](CountSettings& c, std::string_view value) {
                                 std::optional<GridSize> parsed = ParseGrid(value);
                                 c.grid = parsed.value_or(c.grid);
                                 return parsed.has_value();
                             },
                             "10 から 60 までの 1行の字数と1枚の行数で、20x20 のように書きます。"};
const CountKey kCountGoal = {
    [](const CountSettings& c) { return FormatGoal(c.goal_unit, c.goal); },
    [](CountSettings& c, std::string_view value) { return ParseGoal(value, c.goal_unit, c.goal); },
    "100000字 か 100枚 のように書きます。空にすると目標はなくなります。"};
const CountKey kCountDeadline = {[](const CountSettings& c) { return c.deadline; },
                                 [](CountSettings& c, std::string_view value) {
                                     if (!IsDeadline(value)) {
                                         return false;
                                     }
                                     c.deadline = value;
                                     return true;
                                 },
                                 "2027-03-31 のような日付です。空にすると締切はなくなります。"};

// Where a key's value is kept: exactly one of the six members is set. Keys of the book options
// live in options.flc, the notation's in notation.flc, the counts' in count.flc, the others in
// html_options.flc.
struct OptionKey {
    const char* name;
    std::string HtmlOptions::*html_text = nullptr;
    bool HtmlOptions::*html_flag = nullptr;
    std::string BookOptions::*book_text = nullptr;
    bool BookOptions::*book_flag = nullptr;
    const NotationKey* notation = nullptr;
    const CountKey* count = nullptr;

    bool boolean() const { return html_flag != nullptr || book_flag != nullptr; }
    bool in_book_options() const { return book_text != nullptr || book_flag != nullptr; }
};

// In the order they are printed.
const OptionKey kOptionKeys[] = {
    {.name = kHtmlFileKey, .html_text = &HtmlOptions::html_file_name},
    {.name = "html.date-before", .html_text = &HtmlOptions::date_before},
    {.name = "html.date-after", .html_text = &HtmlOptions::date_after},
    {.name = "html.indent", .html_flag = &HtmlOptions::indent_contents},
    {.name = "html.level1-heading", .html_flag = &HtmlOptions::m_bLevel1Heading},
    {.name = "html.date", .html_flag = &HtmlOptions::show_date},
    {.name = "html.date-japanese", .html_flag = &HtmlOptions::japanese_date},
    {.name = "html.date-right", .html_flag = &HtmlOptions::date_right},
    {.name = "html.contents-of-contents", .html_flag = &HtmlOptions::contents_of_contents},
    {.name = "html.frame", .html_flag = &HtmlOptions::frame},
    {.name = "html.top-bottom", .html_flag = &HtmlOptions::top_bottom},
    {.name = "html.vertical", .html_flag = &HtmlOptions::m_bVertical},
    {.name = "text.ext", .book_text = &BookOptions::m_strTextExt},
    {.name = "text.prefix", .book_text = &BookOptions::m_strHeadPrefix},
    {.name = "text.allow", .book_flag = &BookOptions::m_bAllowText},
    {.name = "html.notation", .notation = &kHtmlNotation},
    {.name = "text.notation", .notation = &kTextNotation},
    {.name = "notation.upright-digits", .notation = &kUprightDigits},
    {.name = "count.grid", .count = &kCountGrid},
    {.name = "count.goal", .count = &kCountGoal},
    {.name = "count.deadline", .count = &kCountDeadline},
};

// The option files of a book, as the command reads and writes them.
struct BookSettings {
    HtmlOptions html;
    BookOptions book;
    NotationOptions notation;
    CountSettings count;
};

std::string GetOption(const OptionKey& key, const BookSettings& settings) {
    const HtmlOptions& html = settings.html;
    const BookOptions& book = settings.book;
    if (key.notation) {
        return key.notation->get(settings.notation);
    }
    if (key.count) {
        return key.count->get(settings.count);
    }
    if (key.html_text) {
        return html.*key.html_text;
    }
    if (key.html_flag) {
        return BoolText(html.*key.html_flag);
    }
    if (key.book_text) {
        return book.*key.book_text;
    }
    return BoolText(book.*key.book_flag);
}

void SetOption(const OptionKey& key, const std::string& value, BookSettings& settings) {
    HtmlOptions& html = settings.html;
    BookOptions& book = settings.book;
    if (key.notation) {
        key.notation->set(settings.notation, value);
    } else if (key.count) {
        key.count->set(settings.count, value);
    } else if (key.html_text) {
        html.*key.html_text = value;
    } else if (key.html_flag) {
        html.*key.html_flag = value == "true";
    } else if (key.book_text) {
        book.*key.book_text = value;
    } else {
        book.*key.book_flag = value == "true";
    }
}

const OptionKey* FindKey(const std::string& name) {
    auto found = std::find_if(std::begin(kOptionKeys), std::end(kOptionKeys),
                              [&](const OptionKey& key) { return name == key.name; });
    return found == std::end(kOptionKeys) ? nullptr : found;
}

struct Assignment {
    const OptionKey* key;
    std::string value;
};

}  // namespace

// folix options BOOK.flx [KEY=VALUE…]: prints the HTML and TEXT options, or sets them with the
// checks of the two option dialogs and saves the files they belong to.
int RunOptionsCommand(CommandContext& context) {
    if (context.args.empty()) {
        return ReportUsageError(context,
                                "options には本のファイル(BOOK.flx)と、設定するなら KEY=VALUE "
                                "を指定します。");
    }
    std::vector<Assignment> assignments;
    bool html_changes = false;
    bool text_changes = false;
    bool notation_changes = false;
    bool count_changes = false;
    for (size_t i = 1; i < context.args.size(); ++i) {
        const std::string& arg = context.args[i];
        size_t equals = arg.find('=');
        const OptionKey* key =
            equals == std::string::npos ? nullptr : FindKey(arg.substr(0, equals));
        if (key == nullptr) {
            return ReportUsageError(context, "不明なオプションです: " + arg);
        }
        std::string value = arg.substr(equals + 1);
        if (key->boolean() && value != "true" && value != "false") {
            return ReportUsageError(context,
                                    std::string(key->name) + " の値は true か false です。");
        }
        NotationOptions notation_probe;
        if (key->notation && !key->notation->set(notation_probe, value)) {
            return ReportUsageError(context,
                                    std::string(key->name) + " の値は " + key->notation->values);
        }
        CountSettings count_probe;
        if (key->count && !key->count->set(count_probe, value)) {
            return ReportUsageError(context,
                                    std::string(key->name) + " の値は " + key->count->values);
        }
        // A value is one line of its options file: a line end in it would shift every line
        // after it.
        if (HasControlCharacter(value)) {
            return ReportUsageError(context, arg + kInvalidValueMessage);
        }
        if (key->notation) {
            notation_changes = true;
        } else if (key->count) {
            count_changes = true;
        } else {
            (key->in_book_options() ? text_changes : html_changes) = true;
        }
        assignments.push_back({key, std::move(value)});
    }

    CommandBook opened(context.ui);
    const char* action =
        text_changes && !html_changes ? "TEXTオプションの設定" : "HTMLオプションの設定";
    if (!opened.Open(context, context.args[0], action)) {
        return kExitFailure;
    }
    const SiteBook book = opened.site();
    BookSettings settings{LoadHtmlOptions(context.ui, book.root_path),
                          LoadBookOptions(context.ui, book.root_path),
                          LoadNotationOptions(context.ui, book.root_path),
                          LoadCountSettings(context.ui, book.root_path)};
    HtmlOptions& html = settings.html;
    BookOptions& book_options = settings.book;

    if (assignments.empty()) {
        for (const OptionKey& key : kOptionKeys) {
            context.out << key.name << '=' << GetOption(key, settings) << '\n';
        }
        return kExitSuccess;
    }

    // The HTML file name is checked as the dialog checks it; a refused name keeps the previous
    // one, and the other settings are stored all the same.
    bool ok = true;
    const std::string previous_text_extension = book_options.m_strTextExt;
    std::optional<std::string> html_file_entry;
    for (const Assignment& assignment : assignments) {
        if (assignment.key->name == std::string_view(kHtmlFileKey)) {
            html_file_entry = assignment.value;
        } else {
            SetOption(*assignment.key, assignment.value, settings);
        }
    }
    if (html_file_entry) {
        ok = SetHtmlFileName(context.ui, html, *html_file_entry, book.root_path);
    }
    if (html_changes) {
        ok = SaveHtmlOptions(context.ui, book.root_path, html) && ok;
    }
    if (text_changes) {
        const std::string entered_extension = book_options.m_strTextExt;
        book_options.m_strTextExt = previous_text_extension;
        ok = SetTextOptions(context.ui, book_options, entered_extension,
                            book_options.m_strHeadPrefix, book_options.m_bAllowText) &&
             ok;
        ok = SaveBookOptions(context.ui, book.root_path, book_options) && ok;
    }
    if (notation_changes) {
        ok = SaveNotationOptions(context.ui, book.root_path, settings.notation) && ok;
    }
    if (count_changes) {
        ok = SaveCountSettings(context.ui, book.root_path, settings.count) && ok;
    }
    return ok ? kExitSuccess : kExitFailure;
}

}  // namespace folix
