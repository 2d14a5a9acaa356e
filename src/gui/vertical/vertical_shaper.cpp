#include "gui/vertical/vertical_shaper.h"

#include <hb-ot.h>
#include <hb.h>

#include <QByteArray>

namespace folix::gui {
namespace {

// HarfBuzz asks for the tables one by one; each answer owns a copy of Qt's bytes.
hb_blob_t* ReferenceTable(hb_face_t*, hb_tag_t tag, void* user_data) {
    if (tag == 0) {
        return nullptr;  // the whole file is never needed, only its tables
    }
    char name[5] = {};
    hb_tag_to_string(tag, name);
    const QByteArray table = static_cast<const QRawFont*>(user_data)->fontTable(name);
    if (table.isEmpty()) {
        return nullptr;
    }
    auto* copy = new QByteArray(table);
    return hb_blob_create(copy->constData(), static_cast<unsigned>(copy->size()),
                          HB_MEMORY_MODE_READONLY, copy,
                          [](void* data) { delete static_cast<QByteArray*>(data); });
}

}  // namespace

VerticalShaper::VerticalShaper(const QRawFont& font) : raw_(font) {
    face_ = hb_face_create_for_tables(ReferenceTable, &raw_, nullptr);
    const int upem = raw_.isValid() ? static_cast<int>(raw_.unitsPerEm()) : 1000;
    hb_face_set_upem(face_, static_cast<unsigned>(upem));
    font_ = hb_font_create(face_);
    hb_ot_font_set_funcs(font_);
    hb_font_set_scale(font_, upem, upem);
    scale_ = raw_.isValid() ? raw_.pixelSize() / upem : 0;
}

VerticalShaper::~VerticalShaper() {
    hb_font_destroy(font_);
    hb_face_destroy(face_);
}

QVector<VerticalShaper::Glyph> VerticalShaper::Shape(const QString& text, int start, int length,
                                                     bool top_to_bottom) const {
    QVector<Glyph> result;
    if (length <= 0 || !raw_.isValid()) {
        return result;
    }
    hb_buffer_t* buffer = hb_buffer_create();
    hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t*>(text.utf16()),
                        static_cast<int>(text.size()), static_cast<unsigned>(start), length);
    hb_buffer_set_direction(buffer, top_to_bottom ? HB_DIRECTION_TTB : HB_DIRECTION_LTR);
    hb_buffer_set_language(buffer, hb_language_from_string("ja", -1));
    hb_buffer_guess_segment_properties(buffer);
    hb_shape(font_, buffer, nullptr, 0);

    unsigned count = 0;
    const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* position = hb_buffer_get_glyph_positions(buffer, &count);
    result.reserve(static_cast<qsizetype>(count));
    for (unsigned i = 0; i < count; ++i) {
        Glyph glyph;
        glyph.index = info[i].codepoint;
        glyph.cluster = static_cast<int>(info[i].cluster);
        // HarfBuzz's y grows upwards; a top-to-bottom advance is negative there.
        glyph.advance = (top_to_bottom ? -position[i].y_advance : position[i].x_advance) * scale_;
        glyph.x_offset = position[i].x_offset * scale_;
        glyph.y_offset = -position[i].y_offset * scale_;
        result.push_back(glyph);
    }
    hb_buffer_destroy(buffer);
    return result;
}

const QVector<VerticalShaper::Glyph>& VerticalShaper::ShapeRepeated(const QString& text) const {
    auto found = repeated_.find(text);
    if (found == repeated_.end()) {
        // Bounded, since a received book may hold any number of different ones.
        constexpr qsizetype kMostKept = 4096;
        if (repeated_.size() >= kMostKept) {
            repeated_.clear();
        }
        found = repeated_.insert(text, Shape(text, 0, static_cast<int>(text.size()), true));
    }
    return *found;
}

}  // namespace folix::gui
