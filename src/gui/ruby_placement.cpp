#include "gui/ruby_placement.h"

#include <algorithm>

namespace folix::gui {

RubyPlacement PlaceRuby(qreal base_length, int base_count, qreal ruby_length, int ruby_count,
                        qreal overhang_before, qreal overhang_after) {
    RubyPlacement placement;
    if (ruby_length <= base_length) {
        placement.ruby_gap = ruby_count > 0 ? (base_length - ruby_length) / ruby_count : 0;
        return placement;
    }
    const qreal excess = ruby_length - base_length;
    qreal before = std::min(excess / 2, std::max<qreal>(0, overhang_before));
    qreal after = std::min(excess - before, std::max<qreal>(0, overhang_after));
    // Less room after than half: what the far side cannot take goes before, if it may.
    before = std::min(std::max<qreal>(0, overhang_before), excess - after);
    const qreal left_over = excess - before - after;
    placement.start = -before;
    placement.base_gap = base_count > 0 ? left_over / base_count : 0;
    return placement;
}

int MonoRubyShare(int base_count, int ruby_count) {
    if (base_count < 2 || ruby_count < base_count || ruby_count % base_count != 0) {
        return 0;
    }
    return ruby_count / base_count;
}

}  // namespace folix::gui
