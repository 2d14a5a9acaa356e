#pragma once

namespace folix {

// Where a ruby goes along its base, as Japanese typesetting places it: a ruby shorter than its
// base is spread over it, half a gap before its first character and after its last and a whole
// one between (1:2:1); a longer one is centred on the base and overhangs the characters beside
// it as far as they allow (a kana, by one ruby character at most), and what is still over
// spreads the base's own characters the same way. Lengths in any one unit.
struct RubyPlacement {
    double start = 0;     // where the ruby begins, from the base's start; negative overhangs before
    double ruby_gap = 0;  // the whole gap between ruby characters
    double base_gap = 0;  // the whole gap between base characters, which lengthens the base
};

RubyPlacement PlaceRuby(double base_length, int base_count, double ruby_length, int ruby_count,
                        double overhang_before, double overhang_after);

// Whether a ruby may overhang this character beside its base (by one ruby character): a kana
// may lend the room, a kanji never.
bool RubyMayOverhang(char32_t c);

// Mono-ruby: how many ruby characters stand beside each base character when the ruby divides
// evenly among several; 0 when the ruby is a group ruby over the whole base.
int MonoRubyShare(int base_count, int ruby_count);

}  // namespace folix
