// Conversions between the file's fixed columns and the texts the editors show.
// Texts hold the file's 8-bit bytes (Latin-1; byte 176 is the degree sign).
#pragma once

#include <string>
#include <string_view>

namespace kv {

inline constexpr char kDegreeSign = '\xB0';

// True when the whole text reads as a number: optional blanks around it, a sign,
// digits with at most one point, an optional exponent. No blanks between digits.
bool IsNumberText(std::string_view text);

// Fixed-column number: blanks count as zeros wherever they stand, d implied decimals
// unless a point is written. Text that is not a number reads as 0.
double ParseNumberField(std::string_view text, int d);

// Station field (digits with d implied decimals) to station text such as 123+45.67
// (English) or 1+234.567 (metric); empty text for a blank field.
std::string FormatStation(std::string_view text, int d, int metricUnits);

// Packed angle field (n degree digits, 2 minute digits, seconds with s implied
// decimals) to display text: 12° 34' 56.78"
std::string FormatDmsAngle(std::string_view text, int n, int s);

// The three numbers of a packed angle field, as FormatDmsAngle shows them.
struct DmsParts {
  double degrees = 0, minutes = 0, seconds = 0;
  double Decimal() const { return degrees + minutes / 60 + seconds / 3600; }
};
DmsParts ParseDmsParts(std::string_view text, int n, int s);

// Display angle back to a packed field of w + 6 characters (w = 2 or 3).
std::string PackDmsAngle(std::string_view text, int w, int s);

// Value text to a right-justified field of w columns; d decimals, either written
// with a point or implied. Empty or non-numeric text gives w blanks. A number wider
// than w is not cut.
std::string FormatFixedNumber(std::string_view text, int w, int d, bool point);

// True for an empty or all-blank text of at most 20 characters.
bool IsBlankField(std::string_view text);
// True for an empty text or one of blanks only, however long.
bool IsBlankText(std::string_view text);

// The shortest decimal text of v: no exponent, no trailing zeros, no separators.
std::string PlainDecimalText(double v);

// PlainDecimalText(ParseNumberField(text, d)), taken from the text's own digits where
// they hold the number exactly (as a field's digits do).
std::string NumberFieldText(std::string_view text, int d);

// Columns first..first+width-1 (1-based) of line; positions past the end are blanks.
std::string Columns(std::string_view line, int first, int width);

// Text left-justified in w columns; a longer text is kept whole.
std::string PadRight(std::string_view text, std::size_t w);

}  // namespace kv
