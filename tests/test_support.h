// Helpers the core tests share: sample paths, file bytes, temporary folders, records.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <initializer_list>
#include <string>
#include <vector>

#include <unistd.h>

#include "inputfile/field_routines.h"
#include "inputfile/input_file.h"
#include "inputfile/project.h"

namespace kv::test {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;
using Ints = std::vector<int>;
inline const std::string kDeg(1, kDegreeSign);

inline std::string Data(const std::string& name) { return std::string(KV_TEST_DATA) + "/" + name; }

inline std::string Slurp(const fs::path& path) {
  std::ostringstream s;
  s << std::ifstream(path, std::ios::binary).rdbuf();
  return s.str();
}

// A sample file read as File Open reads it.
inline Project Read(const std::string& name) {
  Project p;
  ReadInputFile(Data(name), p, {});
  return p;
}

// A project in the given units (1 metric).
inline Project Units(int metric) {
  Project p;
  p.MetricUnits = int16_t(metric);
  return p;
}

inline std::string Bytes(const Project& p) {
  std::string s;
  for (const std::string& l : WriteProjectLines(p).lines) s += l + "\r\n";
  return s;
}

// A line as the file reader hands it to a record reader.
inline std::string Pad(const std::string& line) { return PadRight(line, 81); }

// The line with texts put at their 1-based columns.
inline std::string Put(std::string line, const std::vector<std::pair<int, std::string>>& at) {
  for (const auto& [col, text] : at) line.replace(col - 1, text.size(), text);
  return line;
}

// Texts joined by "|", to compare several cells at once.
inline std::string Join(const Strings& v) {
  std::string s;
  for (const std::string& t : v) s += (&t == v.data() ? "" : "|") + t;
  return s;
}

inline const WarningSink kNoWarning = [](const std::string& w) { ADD_FAILURE() << w; };
inline const WarningSink kIgnore = [](const std::string&) {};

// Insert Row, then Delete Row, at each row of `at` on a copy of `before`: an insert adds a
// row and two scroll steps, a delete neither. The rows below move down (up) one and the freed
// row is emptied; `model(want, insert, at)` adds what else the table does to its rows.
template <class Table, class Model, class Cells>
void EachInsertAndDelete(const Table& before, std::initializer_list<int> at, bool (*insert)(Table&, int),
                         void (*remove)(Table&, int), Model model, Cells cells) {
  for (const bool inserting : {true, false})
    for (const int current : at) {
      SCOPED_TRACE((inserting ? "insert at " : "delete at ") + std::to_string(current));
      Table t = before;
      auto want = before.rows;
      if (inserting) {
        ASSERT_TRUE(insert(t, current));
        want.emplace(want.begin() + current);
      } else {
        remove(t, current);
        want.erase(want.begin() + current), want.emplace_back();
      }
      model(want, inserting, current);
      EXPECT_EQ(t.scroll.Max, before.scroll.Max + (inserting ? 600 : 0));
      ASSERT_EQ(t.rows.size(), want.size());
      for (std::size_t i = 0; i < want.size(); ++i) EXPECT_EQ(cells(t.rows[i]), cells(want[i])) << i;
    }
}

// The warnings a reader raises, in order.
template <class Reader>
Strings Warned(Reader read) {
  Strings w;
  read([&](const std::string& s) { w.push_back(s); });
  return w;
}

inline LineSink Write(void (*write)(const Project&, LineSink&), const Project& p) {
  LineSink out;
  write(p, out);
  return out;
}

// A fresh folder per test, removed (with its permissions restored) afterwards.
class TempDir {
 public:
  TempDir()
      : path_(fs::temp_directory_path() /
              ("kv-test-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec), fs::remove_all(path_, ec);
  }
  // The path of a file in the folder, written with bytes when given any.
  std::string File(const std::string& name, const std::string& bytes = {}) const {
    std::string p = (path_ / name).string();
    if (!bytes.empty()) std::ofstream(p, std::ios::binary) << bytes;
    return p;
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

}  // namespace kv::test
