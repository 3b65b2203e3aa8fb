#include "inputfile/field_routines.h"

#include "tests/test_support.h"

namespace kv {
namespace {

using test::kDeg;

TEST(FieldRoutines, NumbersInAndOut) {
  // Blanks around the digits are zeros, a written point wins over the implied
  // decimals, a blank between digits is no number.
  const struct { const char* text; int d; double want; } parse[] = {
      {"  1250", 2, 12.5}, {"12  ", 2, 12.0}, {"-1.5", 2, -1.5}, {"  -125", 2, -1.25}, {"   ", 2, 0.0},
      {"", 0, 0.0}, {" 1 2", 0, 0.0}, {"abc", 0, 0.0}, {"+25", 1, 2.5}, {"1.", 3, 1.0}, {".5", 0, 0.5},
      {"00123", 4, 0.0123}, {"1E2", 0, 100.0}, {"-", 0, 0.0}};
  for (const auto& c : parse) EXPECT_DOUBLE_EQ(ParseNumberField(c.text, c.d), c.want) << c.text << c.d;
  const struct { double v; const char* want; } plain[] = {
      {12.5, "12.5"}, {-3.25, "-3.25"}, {0.0, "0"}, {-0.0, "0"}, {0.00001, "0.00001"}, {1234567.0, "1234567"},
      {0.1, "0.1"}, {1e20, "100000000000000000000"}, {ParseNumberField("12345", 4), "1.2345"},
      {ParseNumberField("-0007", 3), "-0.007"}};
  for (const auto& c : plain) EXPECT_EQ(PlainDecimalText(c.v), c.want) << c.v;
  const struct { const char* text; int w, d; bool point; std::string want; } fixed[] = {
      {"1.5", 6, 2, false, "   150"}, {"0.05", 6, 2, false, "   005"}, {"-0.05", 6, 2, false, "   -05"},
      {"1500", 7, 2, true, "1500.00"}, {"123+45.67", 9, 2, false, "  1234567"}, {"", 5, 2, false, "     "},
      {"12 ", 5, 0, false, "  120"},  // a trailing blank counts as a zero
      {"abc", 4, 0, false, "    "}, {"12", 3, 0, true, "12."}, {"150", 7, 2, true, " 150.00"},
      {"0.125", 6, 2, false, "   013"}, {"-0.125", 6, 2, false, "   -13"},  // halves away from zero
      {"1.005", 6, 2, false, "   101"}, {"2.675", 6, 2, true, "  2.68"},    // decimal halves, not binary
      {"0.4", 6, 2, true, "  0.40"}, {"123456", 4, 0, false, "123456"},      // too wide: not cut
      {"0", 2, 2, false, "00"},  // width not above decimals: no extra zero
      {"+5", 3, 0, false, "  5"}, {"", 40, 0, false, std::string(30, ' ')}};  // blanks at most 30
  for (const auto& c : fixed)
    EXPECT_EQ(FormatFixedNumber(c.text, c.w, c.d, c.point), c.want) << c.text << " " << c.w << c.d << c.point;
}

TEST(FieldRoutines, StationsAnglesAndColumns) {
  const struct { const char* text; int d, metric; const char* want; } stations[] = {
      {"001234567", 2, 0, "123+45.67"}, {"001234567", 3, 1, "1+234.567"}, {"000000500", 2, 0, "0+05.00"},
      {"  12345", 0, 0, "123+45.0"}, {"         ", 2, 0, ""}, {"", 2, 0, ""}, {"   45", 2, 0, "0+00.45"},
      {"     123456789", 4, 0, "123+45.6789"}, {"      1234567890", 5, 1, "12+345.67890"}};
  for (const auto& c : stations) EXPECT_EQ(FormatStation(c.text, c.d, c.metric), c.want) << c.text;
  // Packed columns to display text and back.
  const struct { const char* packed; int n; std::string display; const char* repacked; } both[] = {
      {"12345678", 2, "12" + kDeg + " 34' 56.78\"", "12345678"},
      {" 12345678", 3, "12" + kDeg + " 34' 56.78\"", " 12345678"},
      {"01020304", 2, "1" + kDeg + " 2' 3.04\"", " 1 2 304"},
      {"        ", 2, "0" + kDeg + " 0' 0.00\"", " 0 0 000"},
      {"         ", 3, "0" + kDeg + " 0' 0.00\"", "  0 0 000"}};
  for (const auto& c : both) {
    EXPECT_EQ(FormatDmsAngle(c.packed, c.n, 2), c.display) << c.packed;
    EXPECT_EQ(PackDmsAngle(c.display, c.n, 2), c.repacked) << c.display;
  }
  // Typed: seconds without a point have two implied decimals; a minute in the last
  // character is not taken.
  const struct { std::string text; int w; const char* want; } typed[] = {
      {"", 3, "  0 0 000"}, {"", 2, " 0 0 000"}, {"12 34 56", 3, " 1234 056"},
      {"12" + kDeg + " 34' 56.78\"", 3, " 12345678"}, {"12", 3, " 12 0 000"}, {"5 7", 2, " 5 0 000"},
      {"5 17", 2, " 517 000"}, {"1 2 3.5", 2, " 1 2 350"}};
  for (const auto& c : typed) EXPECT_EQ(PackDmsAngle(c.text, c.w, 2), c.want) << c.text;
  EXPECT_TRUE(IsBlankField("") && IsBlankField(std::string(20, ' ')));
  EXPECT_FALSE(IsBlankField(std::string(21, ' ')) || IsBlankField("  x "));
  EXPECT_EQ(test::Join({Columns("0123456789", 3, 4), Columns("0123", 3, 4), PadRight("ab", 4),
                        PadRight("abcdef", 4)}), "2345|23  |ab  |abcdef");
}

}  // namespace
}  // namespace kv
