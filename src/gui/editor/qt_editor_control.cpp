#include "gui/editor/qt_editor_control.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

#include "editing/word_boundary.h"
#include "gui/editor/editor_view.h"
#include "gui/platform/book_font.h"

namespace folix::gui {
namespace {

// The document's text one unit per position: paragraph and line separators become "\n", and
// nothing is dropped or added, so an index into it is a document position.
QString PositionText(const QString& raw) {
    QString text = raw;
    for (QChar& c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
            c = QLatin1Char('\n');
        }
    }
    return text;
}

std::u16string_view View(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())};
}

int ColorValue(const QColor& color) {
    return color.red() + 256 * color.green() + 65536 * color.blue();
}

}  // namespace

std::string QtEditorControl::GetText() const {
    return PositionText(editor_.document()->toRawText()).toStdString();
}

// The document always ends in a paragraph mark no one can select or delete; it is not text.
long QtEditorControl::GetTextLength() const {
    return editor_.document()->characterCount() - 1;
}

long QtEditorControl::Clamp(long position) const {
    return std::clamp(position, 0L, GetTextLength());
}

TextRange QtEditorControl::GetSelection() const {
    const QTextCursor cursor = editor_.textCursor();
    return {cursor.selectionStart(), cursor.selectionEnd()};
}

void QtEditorControl::SetSelection(TextRange range) {
    QTextCursor cursor = editor_.textCursor();
    cursor.setPosition(static_cast<int>(Clamp(range.start)));
    cursor.setPosition(static_cast<int>(Clamp(range.end)), QTextCursor::KeepAnchor);
    editor_.setTextCursor(cursor);
}

std::string QtEditorControl::GetSelectedText() const {
    return PositionText(editor_.textCursor().selectedText()).toStdString();
}

bool QtEditorControl::ReplaceSelection(const std::string& text) {
    if (editor_.isReadOnly()) {
        return false;
    }
    QTextCursor cursor = editor_.textCursor();
    cursor.beginEditBlock();
    cursor.insertText(QString::fromStdString(text));
    cursor.endEditBlock();
    cursor.clearSelection();
    editor_.setTextCursor(cursor);
    return true;
}

std::optional<TextRange> QtEditorControl::FindText(const std::string& text, TextRange range,
                                                   FindFlags flags) const {
    const QString pattern = QString::fromStdString(text);
    const QString document = PositionText(editor_.document()->toRawText());
    const long length = GetTextLength();
    const long start = Clamp(range.start);
    const long end = range.end == kEndOfText ? length : Clamp(range.end);
    if (pattern.isEmpty()) {
        return std::nullopt;
    }
    const Qt::CaseSensitivity sensitivity =
        flags.match_case ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (qsizetype at = document.indexOf(pattern, start, sensitivity);
         at >= 0 && at + pattern.size() <= end;
         at = document.indexOf(pattern, at + 1, sensitivity)) {
        const auto hit_end = static_cast<size_t>(at + pattern.size());
        if (flags.whole_word && !(IsWordBoundary(View(document), static_cast<size_t>(at)) &&
                                  IsWordBoundary(View(document), hit_end))) {
            continue;
        }
        return TextRange{static_cast<long>(at), static_cast<long>(hit_end)};
    }
    return std::nullopt;
}

std::optional<TextRange> QtEditorControl::FindLastText(const std::string& text, TextRange range,
                                                       FindFlags flags) const {
    const QString pattern = QString::fromStdString(text);
    const QString document = PositionText(editor_.document()->toRawText());
    const long start = Clamp(range.start);
    const long end = range.end == kEndOfText ? GetTextLength() : Clamp(range.end);
    if (pattern.isEmpty() || end - start < pattern.size()) {
        return std::nullopt;
    }
    const Qt::CaseSensitivity sensitivity =
        flags.match_case ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (qsizetype at = document.lastIndexOf(pattern, end - pattern.size(), sensitivity);
         at >= start; at = at > 0 ? document.lastIndexOf(pattern, at - 1, sensitivity) : -1) {
        const auto hit_end = static_cast<size_t>(at + pattern.size());
        if (!flags.whole_word || (IsWordBoundary(View(document), static_cast<size_t>(at)) &&
                                  IsWordBoundary(View(document), hit_end))) {
            return TextRange{static_cast<long>(at), static_cast<long>(hit_end)};
        }
    }
    return std::nullopt;
}

// One edit block of the document: every cursor's edits inside it undo together.
void QtEditorControl::BeginUndoGroup() {
    QTextCursor(editor_.document()).beginEditBlock();
}

void QtEditorControl::EndUndoGroup() {
    QTextCursor(editor_.document()).endEditBlock();
}

bool QtEditorControl::IsReadOnly() const {
    return editor_.isReadOnly();
}

void QtEditorControl::SetReadOnly(bool read_only) {
    editor_.setReadOnly(read_only);
}

EditorCharFormat QtEditorControl::GetDefaultCharFormat() const {
    const QFont font = editor_.document()->defaultFont();
    EditorCharFormat format;
    format.face = font.family().toStdString();
    format.size_twips = font.pointSizeF() > 0 ? static_cast<int>(font.pointSizeF() * 20 + 0.5) : 0;
    format.weight = font.bold() ? 700 : 400;
    format.italic = font.italic();
    format.underline = font.underline();
    format.strike_out = font.strikeOut();
    format.color = static_cast<uint32_t>(ColorValue(editor_.palette().color(QPalette::Text)));
    return format;
}

// The default format is what text without a format of its own is shown in: the document's
// default font and the view's text colour.
void QtEditorControl::SetDefaultCharFormat(const EditorCharFormat& format) {
    QFont font = editor_.document()->defaultFont();
    if (!format.face.empty()) {
        // A Japanese face stands behind the book's, which this desktop may not have.
        font.setFamilies(FamiliesWithFallback(QString::fromStdString(format.face)));
    }
    if (format.size_twips > 0) {
        font.setPointSizeF(format.size_twips / 20.0);
    }
    font.setBold(format.weight == 700);
    font.setItalic(format.italic);
    font.setUnderline(format.underline);
    font.setStrikeOut(format.strike_out);
    editor_.SetDefaultFont(font);
    QPalette palette = editor_.palette();
    palette.setColor(QPalette::Text, QColor(static_cast<int>(format.color & 0xff),
                                            static_cast<int>((format.color >> 8) & 0xff),
                                            static_cast<int>((format.color >> 16) & 0xff)));
    editor_.setPalette(palette);
}

}  // namespace folix::gui
