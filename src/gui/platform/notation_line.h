#pragma once

#include <QString>
#include <QVector>

#include "notation/novel_notation.h"

namespace folix::gui {

// One line of the editor as the web-novel notation reads it, in the editor's UTF-16 offsets:
// the text shown (bars, brackets and ruby dropped), where each shown character was typed, and
// the ruby and emphasis over stretches of the shown text.
struct ReadLine {
    struct Mark {
        NotationKind kind = NotationKind::kRuby;  // kRuby or kEmphasis
        int begin = 0;                            // in the shown text
        int end = 0;
        QString ruby;
    };
    QString text;
    // Per shown character the typed offset it came from, and one more entry: the typed length.
    // Empty when the line is shown as typed.
    QVector<int> typed_offset;
    QVector<Mark> marks;
};

// The shown character typed at, or last before, a typed offset; typed_offset as in ReadLine.
int ShownOffsetOf(const QVector<int>& typed_offset, int typed);

// The notation's runs of a line in UTF-16 offsets; empty for a line without any (the common
// case, answered without parsing).
struct LineRun {
    NotationKind kind = NotationKind::kText;
    int begin = 0;
    int end = 0;
    int base_begin = 0;
    int base_end = 0;
    QString base;
    QString ruby;
};
QVector<LineRun> NotationRunsOf(const QString& line);

ReadLine ReadNotationLine(const QString& line);

// Where vertical writing sets digits and !? upright in one em, in UTF-16 offsets of the text.
struct UprightSpan {
    int begin = 0;
    int end = 0;
};
QVector<UprightSpan> UprightSpansOf(const QString& text, int max_digits);

}  // namespace folix::gui
