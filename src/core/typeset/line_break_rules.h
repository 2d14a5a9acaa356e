#pragma once

namespace folix {

// The character classes of Japanese line breaking, one table for every layout: the vertical
// view and its print, the grid of manuscript sheets and the counts. The lists follow the
// character classes of the W3C "Requirements for Japanese Text Layout" (JLReq, appendix A),
// which JIS X 4051 defines alike:
// - may not begin a line: closing brackets and commas (cl-02, cl-07), hyphens (cl-03),
//   dividing punctuation (cl-04), middle dots (cl-05), full stops (cl-06), iteration marks
//   (cl-09), the prolonged sound mark (cl-10) and small kana (cl-11), with the half-width forms
//   a writer types;
// - may not end a line: opening brackets (cl-01), half-width ones too;
// - may not be split: the inseparable characters (cl-08), a pair of — or … kept together.

bool IsNoStart(char32_t c);
bool IsNoEnd(char32_t c);
bool IsInseparable(char32_t c);

// What a manuscript sheet hangs past the last cell of a line (ぶら下げ) instead of putting it
// at the top of the next: 、。，． and the closing brackets.
bool HangsPastLineEnd(char32_t c);
// What a manuscript sheet never leaves in the last cell of a line: the full-width opening
// brackets.
bool IsOpeningBracket(char32_t c);

// Hiragana and katakana (JLReq cl-15 and cl-16, their small forms and marks included).
bool IsKana(char32_t c);

// What stands upright in a vertical column; the rest (Latin, Greek, Cyrillic, digits and their
// punctuation) lies on its side, as a turned horizontal run.
bool StandsUprightInVertical(char32_t c);

}  // namespace folix
