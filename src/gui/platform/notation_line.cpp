#include "gui/platform/notation_line.h"

#include <QByteArray>

#include <algorithm>

#include "typeset/reader_line.h"

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

// The UTF-16 offset of each code-point offset of the text (and of its end); nothing when the two
// are the same, as they are for a text without characters beyond the first plane.
QVector<int> Utf16OffsetsOfCodePoints(const std::u32string& text) {
    QVector<int> offsets;
    if (std::all_of(text.begin(), text.end(), [](char32_t c) { return c < 0x10000; })) {
        return offsets;
    }
    offsets.reserve(static_cast<qsizetype>(text.size()) + 1);
    int utf16 = 0;
    for (const char32_t c : text) {
        offsets.push_back(utf16);
        utf16 += c < 0x10000 ? 1 : 2;
    }
    offsets.push_back(utf16);
    return offsets;
}

int At(const QVector<int>& offsets, size_t code_point) {
    return offsets.isEmpty() ? static_cast<int>(code_point)
                             : offsets[static_cast<qsizetype>(code_point)];
}

QString ToQString(const std::u32string& text) {
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

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

// The reader's line of the core, in the editor's UTF-16 offsets.
ReadLine ReadNotationLine(const QString& line) {
    ReadLine read;
    if (!line.contains(kOpenBracket)) {
        read.text = line;
        return read;
    }
    const QByteArray utf8 = line.toUtf8();
    const ReaderLine reader = ReadTypedLine(std::string_view(utf8.constData(), utf8.size()));
    if (reader.typed_offset.empty()) {
        read.text = line;
        return read;
    }
    read.text = ToQString(reader.text);
    const QVector<int> shown_at = Utf16OffsetsOfCodePoints(reader.text);
    const QVector<int> typed_at = Utf16OffsetsOfCodePoints(line.toStdU32String());
    // Each shown UTF-16 unit keeps the typed offset of its character.
    read.typed_offset.reserve(read.text.size() + 1);
    for (size_t i = 0; i < reader.text.size(); ++i) {
        const int typed = At(typed_at, reader.typed_offset[i]);
        read.typed_offset.push_back(typed);
        if (reader.text[i] >= 0x10000) {
            read.typed_offset.push_back(typed + 1);
        }
    }
    read.typed_offset.push_back(At(typed_at, reader.typed_offset.back()));
    for (const ReaderLine::Mark& mark : reader.marks) {
        read.marks.push_back(
            {mark.kind, At(shown_at, mark.begin), At(shown_at, mark.end), ToQString(mark.ruby)});
    }
    return read;
}

int ShownOffsetOf(const QVector<int>& typed_offset, int typed) {
    if (typed_offset.isEmpty()) {
        return typed;
    }
    const auto it = std::upper_bound(typed_offset.begin(), typed_offset.end(), typed);
    return std::max(0, static_cast<int>(it - typed_offset.begin()) - 1);
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
