#pragma once

#include <QtGlobal>

namespace folix::gui {

// Where a ruby goes along its base, as Japanese typesetting places it: a ruby shorter than its
// base is spread over it, half a gap before its first character and after its last and a whole
// one between (1:2:1); a longer one is centred on the base and overhangs the characters beside
// it as far as they allow (a kana, by one ruby character at most), and what is still over
// spreads the base's own characters the same way.
struct RubyPlacement {
    qreal start = 0;     // where the ruby begins, from the base's start; negative overhangs before
    qreal ruby_gap = 0;  // the whole gap between ruby characters
    qreal base_gap = 0;  // the whole gap between base characters, which lengthens the base
};

RubyPlacement PlaceRuby(qreal base_length, int base_count, qreal ruby_length, int ruby_count,
                        qreal overhang_before, qreal overhang_after);

// Mono-ruby: how many ruby characters stand beside each base character when the ruby divides
// evenly among several; 0 when the ruby is a group ruby over the whole base.
int MonoRubyShare(int base_count, int ruby_count);

}  // namespace folix::gui
