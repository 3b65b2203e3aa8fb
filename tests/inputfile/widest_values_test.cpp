// Files whose every field holds the widest value its columns take: nothing may be
// lost, widened or reformatted on the way through the project and back.
#include <map>

#include "tests/test_support.h"

namespace kv {
namespace {

// Longest line each record code may have.
const std::map<std::string, std::size_t> kMaxLength = {{"00", 80}, {"01", 80}, {"02", 80}, {"03", 80}, {"04", 80},
                                                       {"05", 57}, {"06", 46}, {"07", 80}, {"08", 80}};

// Texts that show the units and the per-row decimals were taken as meant; a file
// read in the wrong units would still write back the same bytes.
std::string Held(const Project& p) {
  const auto& g = p.GirderLine.rows;
  const auto& b = p.BentLine.rows;
  const auto& d = p.DeadLoad.rows;
  return test::Join({p.Horizontal.PIStation, p.Horizontal.Delta, p.Horizontal.Radius, p.Horizontal.Ahead,
                     p.Vertical.GradeIn, p.Vertical.PISta2, p.CrossTrans.CrownHeight,
                     std::to_string(p.CrossTrans.rows.size()), g[4].Text3, g[3].Text3, b[3].Text3, b[1].Text3,
                     d[1].Text3, d[2].Text3, p.RoadAppr.BegStr});
}

TEST(WidestValues, RoundTripKeepsEveryByte) {
  const struct { const char* name; std::string held; } cases[] = {
      {"widest_english.dat", "99999+99.9999|999\xB0 99' 99.99\"|9999.99|-9999+99.9999|-99.999999|-9999+99.99|"
                             "99.999|7|-999.9999|-999.9999|-99|-99.9999|-99.999|999.999|99999+99.0"},
      {"widest_metric.dat", "999+999.99999|999\xB0 99' 99.99\"|9999.99|-99+999.99999|-99.999999|-99+999.999|"
                            "999.99|6|-99.99999|-9999.999|-99|-99.9999|-9.9999|9999.99|9999+999.0"}};
  test::TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string original = test::Slurp(test::Data(c.name));
    ASSERT_FALSE(original.empty());
    std::string path = test::Data(c.name);
    for (int pass = 0; pass < 2; ++pass) {  // the file, then what was written from it
      Project p;
      test::Strings warnings;
      ASSERT_TRUE(ReadInputFile(path, p, [&](const std::string& w) { warnings.push_back(w); }));
      EXPECT_EQ(warnings, test::Strings{});
      EXPECT_EQ(p.MetricUnits, c.name[7] == 'm' ? 1 : 0);
      EXPECT_EQ(Held(p), c.held);
      for (const std::string& l : WriteProjectLines(p).lines) {
        ASSERT_TRUE(kMaxLength.count(l.substr(0, 2))) << l;
        EXPECT_LE(l.size(), kMaxLength.at(l.substr(0, 2))) << l;
      }
      path = dir.File(std::to_string(pass) + c.name);
      const WriteResult w = WriteInputFile(path, p, {});
      ASSERT_TRUE(w.ok) << w.error;
      EXPECT_TRUE(w.overflows.empty()) << w.overflows.front().field;
      EXPECT_EQ(test::Slurp(path), original);
    }
  }
}

}  // namespace
}  // namespace kv
