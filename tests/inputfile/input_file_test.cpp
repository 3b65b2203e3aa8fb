#include "inputfile/input_file.h"
#include "inputfile/description_record.h"
#include "inputfile/field_routines.h"

#include <sys/stat.h>

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <random>
#include <tuple>

#include "cli/dump.h"
#include "tests/test_support.h"

namespace kv {
namespace {

using test::Data;
using test::kDeg;

// What is read is in the golden dumps; here, what is written back.
struct FileCase {
  const char* name;       // under the test data, without ".dat"
  std::string titleLine;  // the first line written back
  char exact = 0;         // written back byte for byte: 'w' whole, 'a' after the description
};

class Files : public ::testing::TestWithParam<FileCase> {};

// Every sample and hostile file reads without harm and settles: blank number columns read
// as zero, so the first write may still change; from the second on, bytes and dump stay put.
// Not too_wide.dat: each widened line moves the fields after it.
TEST_P(Files, WriteBackAndSettle) {
  const FileCase& c = GetParam();
  const std::string path = Data(c.name + std::string(".dat"));
  Project p;
  ASSERT_TRUE(ReadInputFile(path, p, test::kIgnore));
  const std::string bytes = test::Bytes(p), original = test::Slurp(path);
  EXPECT_EQ(bytes.substr(0, bytes.find("\r\n")), c.titleLine);
  if (c.exact) { EXPECT_TRUE(WriteProjectLines(p).overflows.empty()); }
  if (c.exact == 'w') { EXPECT_EQ(bytes, original); }
  if (c.exact == 'a') { EXPECT_EQ(bytes.substr(bytes.find("\r\n01")), original.substr(original.find("\r\n01"))); }
  Project second, third;
  ReadInputText(bytes, second, test::kIgnore);
  const std::string settled = test::Bytes(second);
  if (c.exact == 'w') { EXPECT_EQ(settled, bytes); }
  ReadInputText(settled, third, test::kIgnore);
  EXPECT_EQ(test::Bytes(third), settled);
  EXPECT_EQ(DumpProject(third, {}), DumpProject(second, {}));
}

INSTANTIATE_TEST_SUITE_P(
    SamplesAndHostile, Files,
    ::testing::Values(
        FileCase{"bridge_english", "00BR-3SPAN01", 'a'}, FileCase{"widest_english", "00WIDEST-ENG", 'w'},
        FileCase{"overpass_metric", PadRight("00M-OVP-07", 79) + "M", 'a'},
        FileCase{"widest_metric", PadRight("00WIDEST-MET", 79) + "M", 'w'},
        FileCase{"no_horizontal", "00NOHORIZ   "}, FileCase{"metric_title_only", PadRight("00MTITLE", 79) + "M"},
        FileCase{"ends_after_description", "00SHORT     "}, FileCase{"lines_after_approach", "00BR-3SPAN01"},
        FileCase{"bad_codes", "00BADCODES  "}, FileCase{"ends_before_approach", "00BR-3SPAN01", 'a'},
        FileCase{"stray_girder_line", "00BR-3SPAN01"}, FileCase{"hostile/empty", "00          "},
        FileCase{"hostile/binary", "00\x02\x03\x04\x05\x06\a\b\t  "},
        FileCase{"hostile/nul_in_lines", std::string("00BR-3SPAN\0" "1", 12)},
        FileCase{"hostile/megabyte_line", "00AAAAAAAAAA"}, FileCase{"hostile/cr_only", "00BR-3SPAN01"},
        FileCase{"hostile/lf_only", "00BR-3SPAN01"}, FileCase{"hostile/cut_mid_line", "00BR-3SPAN01"},
        FileCase{"hostile/codes_out_of_place", "00  12450  1"}, FileCase{"hostile/grids_overfull", "00BR-3SPAN01"},
        FileCase{"hostile/non_numeric", "00BR-3SPAN01"},
        FileCase{"hostile/high_characters", "00\xE9\xE9-3\xE9\xE9\xE9\xE9" "01"}),
    [](const auto& i) { return std::string(i.param.name).substr(i.param.name[0] == 'h' ? 8 : 0); });

// Writing with no name says so and touches nothing; the rest of saving is the safe
// save's (safe_save_test.cpp).
TEST(WriteInputFile, NoNameIsToldAndAFailedSaveGivesItsReason) {
  Project p;
  test::Strings messages;
  const auto collect = [&](const std::string& m) { messages.push_back(m); };
  EXPECT_FALSE(WriteInputFile("", p, collect).ok);
  EXPECT_EQ(messages, test::Strings{"No file specified for output."});
  test::TempDir dir;
  test::fs::create_directories(dir.path() / "folder.dat");
  const WriteResult r = WriteInputFile((dir.path() / "folder.dat").string(), p, collect);
  EXPECT_TRUE(!r.ok && r.error == "Is a directory" && r.left == SaveLeft::Previous && messages.size() == 1);
}

// What File Open refuses, each without waiting or filling the memory; a UTF-8
// byte-order mark is dropped before the structure ID.
TEST(LoadInputFile, RefusesWhatIsNoInputFile) {
  test::TempDir dir;
  const std::string fifo = dir.File("fifo.dat"), big = dir.File("big.dat");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  test::fs::create_directories(dir.path() / "folder.dat");
  std::ofstream(big).close();
  test::fs::resize_file(big, kMaxInputBytes + 1);
  using namespace std::string_literals;
  const struct { std::string path; bool streams; const char* error; } cases[] = {
      {fifo, false, kNotRegularFile}, {"/dev/zero", false, kNotRegularFile}, {"/dev/zero", true, kFileTooLarge},
      {big, false, kFileTooLarge}, {(dir.path() / "folder.dat").string(), true, "Is a directory"},
      {dir.File("missing.dat"), false, "No such file or directory"},
      {dir.File("le.dat", "\xFF\xFE" "0\0" "0\0" "B\0"s), false, kUtf16Text},
      {dir.File("be.dat", "\xFE\xFF\0" "0\0" "0"s), false, kUtf16Text},
      {dir.File("nobom.dat", "0\0" "0\0" "B\0" "R\0"s), false, kUtf16Text},
      {dir.File("nul.dat", "00\0" "BR\r\n"s), false, ""}};
  for (const auto& c : cases) {
    const LoadedFile f = LoadInputFile(c.path, c.streams);
    EXPECT_EQ(f.error, c.error) << c.path << " " << c.streams;
    EXPECT_TRUE(f.error.empty() || f.bytes.empty());
  }
  const std::string english = test::Slurp(test::Data("bridge_english.dat"));
  Project p;
  ASSERT_TRUE(ReadInputFile(dir.File("bom.dat", "\xEF\xBB\xBF" + english), p, test::kNoWarning));
  EXPECT_EQ(test::Bytes(p), test::Bytes(test::Read("bridge_english.dat")));
  EXPECT_EQ(p.Description.StructureID, "BR-3SPAN01");
}

// A read that stops with lines left that hold something tells from which line and
// how many; blank lines at the end are nothing left.
TEST(ReadInputText, CountsTheLinesLeftFromWhereTheOrderBreaks) {
  const std::string english = test::Slurp(test::Data("bridge_english.dat"));
  const std::size_t girder3 = english.find("\r\n051") + 2;
  const struct { std::string bytes; int from, count; const char* message; } cases[] = {
      {english, 0, 0, ""},
      {english + "\r\n  \r\n\t\r\n", 0, 0, ""},
      {english + "07 after the approach\r\n \r\n", 28, 1,
       "Line 28 was not read: the record order breaks there. Save would not keep it."},
      {english.substr(0, girder3) + "\r\n" + english.substr(girder3), 17, 12,
       "12 lines from line 17 on were not read: the record order breaks there. Save would not keep them."},
      {english.substr(0, english.find("\r\n08") + 2), 0, 0, ""}};
  for (const auto& c : cases) {
    Project p;
    const ReadReport r = ReadInputText(c.bytes, p, test::kNoWarning);
    EXPECT_EQ(std::to_string(r.unreadFrom) + "/" + std::to_string(r.unreadCount) + " " + UnreadLinesMessage(r),
              std::to_string(c.from) + "/" + std::to_string(c.count) + " " + c.message);
  }
}

TEST(DescriptionRecord, Reading) {
  const struct { const char* line; int metric; const char* projSub; } cases[] = {
      {"00 Units: feet;", 0, "|"}, {"00 Units: metric;", 1, "|"}, {"00 UNITS: METRIC;", 1, "|"},
      {"00 units: MeTrIc;", 1, "|"}, {"00Units:Metric", 1, "|"},  // "Metric" 6 places after the keyword
      {"00 project: A; SUBACCOUNT: B;", 1, "A|B"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    Project p;
    SetUnits(p, true);  // read over a metric project
    ReadDescriptionRecord(test::Pad(c.line), p, {});
    EXPECT_EQ(std::to_string(p.MetricUnits) + "01"[p.Description.Option1] + "01"[p.Description.Option2],
              c.metric ? "110" : "001");
    EXPECT_EQ(test::Join({p.Description.ProjNum, p.Description.SubAcc}) + p.Description.GenDesc, c.projSub);
  }
  // No semicolon: the value runs to the line end. Lines without a keyword append.
  Project p;
  p.Description.GenDesc = "kept\r\n";
  for (const char* l : {"00 Location: Kelso Creek", "00a", "00", "00 mentions designer: here"})
    ReadDescriptionRecord(test::Pad(l), p, {});
  EXPECT_EQ(p.Description.Location, PadRight("Kelso Creek", 81 - 13));
  EXPECT_EQ(p.Description.GenDesc, "kept\r\n" + PadRight("a", 79) + "\r\n" + std::string(79, ' ') + "\r\n");
  EXPECT_EQ(p.Description.Designer, "here" + std::string(81 - 26, ' '));
  const struct { std::string line; const char* id; int metric; } titles[] = {
      {test::Pad("00BR-3SPAN01xyz"), "BR-3SPAN01", 0}, {PadRight("00M-1", 79) + "M", "M-1       ", 1},
      {PadRight("00M-1", 79) + "m", "M-1       ", 1}, {PadRight("00M-1", 79) + "X", "M-1       ", 0}};
  for (const auto& c : titles) {
    Project t;
    ReadTitleLine(c.line, t);
    EXPECT_EQ(t.Description.StructureID + std::to_string(t.MetricUnits), c.id + std::to_string(c.metric)) << c.line;
  }
}

TEST(DescriptionRecord, WriterLines) {
  Project p;
  DescriptionData& d = p.Description;
  d.StructureID = "BR1";
  d.ProjNum = "P", d.SubAcc = "S", d.Designer = "D", d.Detailer = "T", d.Location = "L";
  const struct { std::string genDesc; bool metric; test::Strings tail; } cases[] = {
      {"", false, {"00"}}, {"one line", false, {"00one line"}}, {"a\r\n\r\nb\r\n", true, {"00a", "00", "00b"}},
      {"a\r\nb", false, {"00a", "00b"}}};
  for (const auto& c : cases) {
    d.GenDesc = c.genDesc;
    SetUnits(p, c.metric);
    const LineSink out = test::Write(WriteDescriptionRecords, p);
    test::Strings want = {c.metric ? PadRight("00BR1", 79) + "M" : "00BR1       ",
                          c.metric ? "00 Units: metric;" : "00 Units: feet;", "00 Project: P; Subaccount: S;",
                          "00 Designer: D; Detailer: T;", "00 Location: L;"};
    want.insert(want.end(), c.tail.begin(), c.tail.end());
    EXPECT_EQ(out.lines, want);
    EXPECT_TRUE(out.overflows.empty());
  }
  // A structure ID too long for its columns is kept whole and reported.
  d.StructureID = "ABCDEFGHIJKL";
  const LineSink out = test::Write(WriteDescriptionRecords, p);
  ASSERT_EQ(out.overflows.size(), 1u);
  const Overflow& o = out.overflows[0];
  EXPECT_EQ(std::tie(o.window, o.row, o.field, o.text, o.width, o.used),
            std::make_tuple("Description", -1, "StructureID", "ABCDEFGHIJKL", 10, 12));
  EXPECT_EQ(out.lines[0], "00ABCDEFGHIJKL");
}

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
      {"+5", 3, 0, false, "  5"}, {"", 40, 0, false, std::string(30, ' ')},  // blanks at most 30
      {"999.995", 7, 2, true, "1000.00"}, {"9.5", 3, 0, false, " 10"}, {"-99.96", 6, 1, false, " -1000"}};  // a carry adds a digit
  for (const auto& c : fixed)
    EXPECT_EQ(FormatFixedNumber(c.text, c.w, c.d, c.point), c.want) << c.text << " " << c.w << c.d << c.point;
}

// A number field's text is read off its digits where they hold the number exactly; it
// must be what the double gives, at the limits of that shortcut and on any field.
TEST(FieldRoutines, ReadOffTheDigitsAsTheDoubleGivesIt) {
  std::vector<std::string> texts = {
      "-0", "  -   ", "0000", "-0.000", "123456789012345", "1234567890123456", "-99999999999999.9",
      "999999999999999.9", "0.000000000000001", "0.0000000000000001234", "1e5", " 1.5E-3", "12 ",
      " .5", "-.5", "+7", "1.", std::string(30, '9'), std::string(31, '1'), "000000000000000000012"};
  std::mt19937 random(7);
  for (int i = 0; i < 20000; ++i) {  // digits, blanks around them, a sign, a point
    std::string t(random() % 4, ' ');
    if (random() % 3 == 0) t += "-+"[random() % 2];
    for (int n = 1 + int(random() % 18), at = int(random() % 20); n > 0; --n, --at)
      t += at == 0 ? '.' : char('0' + random() % 10);
    texts.push_back(t + std::string(random() % 3, ' '));
  }
  // The long way: blanks and the sign as zeros, the text through strtod, then the implied decimals.
  auto longWay = [](std::string t, int d) {
    if (!IsNumberText(t)) return 0.0;
    const bool negative = t.find('-') != std::string::npos, point = t.find('.') != std::string::npos;
    for (char& c : t)
      if (c == ' ' || c == '-' || c == '+') c = '0';
    const double v = std::strtod(t.c_str(), nullptr) / (point ? 1.0 : std::strtod(("1e" + std::to_string(d)).c_str(), nullptr));
    return negative ? -v : v;
  };
  for (const std::string& t : texts)
    for (int d : {0, 2, 3, 4, 5, 22, 23}) {
      const double v = ParseNumberField(t, d), want = longWay(t, d);
      ASSERT_EQ(std::pair(v, std::signbit(v)), std::pair(want, std::signbit(want))) << '"' << t << "\" " << d;
      ASSERT_EQ(NumberFieldText(t, d), PlainDecimalText(v)) << '"' << t << "\" " << d;
    }
}

TEST(FieldRoutines, StationsAnglesAndColumns) {
  const struct { const char* text; int d, metric; const char* want; } stations[] = {
      {"001234567", 2, 0, "123+45.67"}, {"001234567", 3, 1, "1+234.567"}, {"000000500", 2, 0, "0+05.00"},
      {"  12345", 0, 0, "123+45.0"}, {"         ", 2, 0, ""}, {"", 2, 0, ""}, {"   45", 2, 0, "0+00.45"},
      {"     123456789", 4, 0, "123+45.6789"}, {"      1234567890", 5, 1, "12+345.67890"}};
  for (const auto& c : stations) EXPECT_EQ(FormatStation(c.text, c.d, c.metric), c.want) << c.text;
  // Packed columns to display text and back.
  const std::string zero = "0" + kDeg + " 0' 0.00\"";
  const struct { const char* packed; int n; std::string display; const char* repacked; } both[] = {
      {"12345678", 2, "12" + kDeg + " 34' 56.78\"", "12345678"}, {"01020304", 2, "1" + kDeg + " 2' 3.04\"", " 1 2 304"},
      {" 12345678", 3, "12" + kDeg + " 34' 56.78\"", " 12345678"}, {"        ", 2, zero, " 0 0 000"},
      {"         ", 3, zero, "  0 0 000"}};
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
