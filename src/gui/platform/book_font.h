#pragma once

#include <QColor>
#include <QFont>

#include <cstdint>

#include "editing/font_settings.h"
#include "platform/editor_control.h"

namespace folix::gui {

// The book's font record and colour as Qt fonts and colours, and back.

// The face first, then a Japanese face of the same kind, so a book written with a face this
// desktop lacks ("ＭＳ Ｐゴシック") still shows Japanese, in Gothic or Mincho shapes as chosen.
QStringList FamiliesWithFallback(const QString& face);
QFont FontFromCharFormat(const EditorCharFormat& format, const QFont& base);
QFont FontFromLogFont(const LogFont& record);
// The record a font chooser gives for the font; what Qt does not know (character set, pitch and
// family, the rest) stays as in base.
LogFont LogFontFromFont(const QFont& font, LogFont base);
QColor ColorFromColorRef(uint32_t color);
uint32_t ColorRefFromColor(const QColor& color);

}  // namespace folix::gui
