#include "typeset/ruby_placement.h"

#include <algorithm>

#include "typeset/line_break_rules.h"

namespace folix {

RubyPlacement PlaceRuby(double base_length, int base_count, double ruby_length, int ruby_count,
                        double overhang_before, double overhang_after) {
    RubyPlacement placement;
    if (ruby_length <= base_length) {
        placement.ruby_gap = ruby_count > 0 ? (base_length - ruby_length) / ruby_count : 0;
        return placement;
    }
    const double excess = ruby_length - base_length;
    double before = std::min(excess / 2, std::max<double>(0, overhang_before));
    double after = std::min(excess - before, std::max<double>(0, overhang_after));
    // Less room after than half: what the far side cannot take goes before, if it may.
    before = std::min(std::max<double>(0, overhang_before), excess - after);
    const double left_over = excess - before - after;
    placement.start = -before;
    placement.base_gap = base_count > 0 ? left_over / base_count : 0;
    return placement;
}

bool RubyMayOverhang(char32_t c) {
    return IsKana(c);
}

int MonoRubyShare(int base_count, int ruby_count) {
    if (base_count < 2 || ruby_count < base_count || ruby_count % base_count != 0) {
        return 0;
    }
    return ruby_count / base_count;
}

}  // namespace folix
