#include "gui/notation_line.h"

#include <QByteArray>

#include <algorithm>

namespace folix::gui {
namespace {

constexpr QChar kOpenBracket(0x300A);  // 《, which every piece of the notation holds

// The UTF-16 offset of each UTF-8 byte offset that starts a character (and of the end).
QVector<int> Utf16Offsets(const QByteArray& utf8) {
    QVector<int> offsets(utf8.size() + 1, 0);
    int utf16 = 0;
    for (qsizetype i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int bytes = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        for (int b = 0; b < bytes && i + b <= utf8.size(); ++b) {
            offsets[i + b] = utf16;
        }
        utf16 += bytes == 4 ? 2 : 1;
        i += bytes;
    }
    offsets[utf8.size()] = utf16;
    return offsets;
}

// Appends shown text read from typed[from, to), pairing each shown character with the typed one
// it is: the reading only drops characters (an escaping bar), so a character that differs from
// the typed one is matched further on.
void AppendAligned(ReadLine& read, const QString& typed, int from, int to, const QString& shown) {
    int t = from;
    for (const QChar ch : shown) {
        while (t < to - 1 && typed.at(t) != ch) {
            ++t;
        }
        read.text += ch;
        read.typed_offset.push_back(std::min(t, to > from ? to - 1 : from));
        ++t;
    }
}

}  // namespace

int ShownOffsetOf(const QVector<int>& typed_offset, int typed) {
    if (typed_offset.isEmpty()) {
        return typed;
    }
    const auto it = std::upper_bound(typed_offset.begin(), typed_offset.end(), typed);
    return std::max(0, static_cast<int>(it - typed_offset.begin()) - 1);
}

QVector<LineRun> NotationRunsOf(const QString& line) {
    QVector<LineRun> runs;
    if (!line.contains(kOpenBracket)) {
        return runs;
    }
    const QByteArray utf8 = line.toUtf8();
    const QVector<int> at = Utf16Offsets(utf8);
    const auto to16 = [&at](std::size_t byte) {
        return at[static_cast<qsizetype>(std::min<std::size_t>(byte, at.size() - 1))];
    };
    for (const NotationRun& run : ParseNotation(std::string_view(utf8.constData(), utf8.size()))) {
        LineRun r;
        r.kind = run.kind;
        r.begin = to16(run.begin);
        r.end = to16(run.end);
        r.base_begin = to16(run.base_begin);
        r.base_end = to16(run.base_end);
        r.base = QString::fromStdString(run.base);
        r.ruby = QString::fromStdString(run.ruby);
        runs.push_back(r);
    }
    return runs;
}

ReadLine ReadNotationLine(const QString& line) {
    ReadLine read;
    const QVector<LineRun> runs = NotationRunsOf(line);
    const bool plain = std::all_of(runs.begin(), runs.end(), [](const LineRun& run) {
        return run.kind == NotationKind::kText && run.base.size() == run.end - run.begin;
    });
    if (plain) {
        read.text = line;
        return read;
    }
    read.text.reserve(line.size());
    read.typed_offset.reserve(line.size() + 1);
    for (const LineRun& run : runs) {
        const int shown_begin = static_cast<int>(read.text.size());
        if (run.kind == NotationKind::kText) {
            AppendAligned(read, line, run.begin, run.end, run.base);
            continue;
        }
        AppendAligned(read, line, run.base_begin, run.base_end, run.base);
        read.marks.push_back({run.kind, shown_begin, static_cast<int>(read.text.size()), run.ruby});
    }
    read.typed_offset.push_back(static_cast<int>(line.size()));
    return read;
}

QVector<UprightSpan> UprightSpansOf(const QString& text, int max_digits) {
    QVector<UprightSpan> spans;
    // Only half-width digits and ! ? are ever set upright: most paragraphs have none.
    const bool any = std::any_of(text.begin(), text.end(), [](QChar ch) {
        return (ch >= u'0' && ch <= u'9') || ch == u'!' || ch == u'?';
    });
    if (!any) {
        return spans;
    }
    const QByteArray utf8 = text.toUtf8();
    const QVector<int> at = Utf16Offsets(utf8);
    for (const UprightRun& run :
         FindUprightRuns(std::string_view(utf8.constData(), utf8.size()), max_digits)) {
        spans.push_back(
            {at[static_cast<qsizetype>(run.begin)], at[static_cast<qsizetype>(run.end)]});
    }
    return spans;
}

}  // namespace folix::gui
