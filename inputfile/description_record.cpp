#include "inputfile/description_record.h"

#include <algorithm>

#include "inputfile/field_routines.h"
#include "inputfile/project.h"

namespace kv {
namespace {

// Case-blind search from a 0-based position; npos when absent.
std::size_t FindNoCase(std::string_view hay, std::string_view needle, std::size_t from) {
  if (needle.empty() || from > hay.size() || hay.size() - from < needle.size())
    return std::string_view::npos;
  // The keywords are ASCII: the user's locale (which the window program takes on) must
  // not change what matches them.
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  for (std::size_t i = from; i + needle.size() <= hay.size(); ++i) {
    std::size_t k = 0;
    while (k < needle.size() && lower(hay[i + k]) == lower(needle[k])) ++k;
    if (k == needle.size()) return i;
  }
  return std::string_view::npos;
}

struct Keyword {
  const char* word;
  std::size_t valueOffset;
  std::string DescriptionData::*field;
};

// In the order the reader takes them.
const Keyword kKeywords[] = {
    {"Project:", 9, &DescriptionData::ProjNum},
    {"Designer:", 10, &DescriptionData::Designer},
    {"Detailer:", 10, &DescriptionData::Detailer},
    {"Subaccount:", 12, &DescriptionData::SubAcc},
    {"Location:", 10, &DescriptionData::Location},
};

constexpr std::size_t kFrom = 2;  // keywords are looked for from column 3 on

}  // namespace

void SetUnits(Project& p, bool metric) {
  p.Description.Option1 = metric;
  p.Description.Option2 = !metric;
  p.MetricUnits = metric ? 1 : 0;
}

void ReadTitleLine(std::string_view line, Project& p) {
  p.Description.StructureID = Columns(line, 3, 10);
  const char mark = line.size() >= 80 ? line[79] : ' ';
  SetUnits(p, mark == 'M' || mark == 'm');
}

void ReadDescriptionRecord(std::string_view line, Project& p, const WarningSink&) {
  p.Mark(Form::Desc);
  bool any = false;
  if (auto at = FindNoCase(line, "Units:", kFrom); at != std::string_view::npos) {
    any = true;
    SetUnits(p, false);
    if (FindNoCase(line, "Metric", at + 6) != std::string_view::npos) SetUnits(p, true);
  }
  for (const Keyword& k : kKeywords) {
    auto at = FindNoCase(line, k.word, kFrom);
    if (at == std::string_view::npos) continue;
    any = true;
    std::size_t start = std::min(at + k.valueOffset, line.size());
    std::size_t end = line.find(';', start);
    p.Description.*k.field = std::string(line.substr(start, end == std::string_view::npos
                                                                 ? std::string_view::npos
                                                                 : end - start));
  }
  if (!any) {
    p.Description.GenDesc += std::string(line.substr(std::min(kFrom, line.size())));
    p.Description.GenDesc += "\r\n";
  }
}

void WriteDescriptionRecords(const Project& p, LineSink& out) {
  const DescriptionData& d = p.Description;
  constexpr const char* kWindow = "Description";
  // A keyword value or a general description line: as long as its text.
  auto put = [&](std::string& line, const std::string& text, const char* field) {
    out.Field(line, text, int(text.size()), kWindow, -1, field, text);
  };
  std::string title = "00";
  out.Field(title, PadRight(d.StructureID, 10), 10, kWindow, -1, "StructureID", d.StructureID);
  if (p.MetricUnits == 1) {
    // Keep the units mark in column 80 whenever the ID leaves room for it.
    title = PadRight(title, 79) + "M";
  }
  out.Line(title);
  std::string units = "00 Units: ";
  put(units, d.Option2 ? "feet" : "metric", "Option2");
  AlsoIn(out, kWindow, -1, "Option1");
  out.Line(units + ";");
  std::string project = "00 Project: ";
  put(project, d.ProjNum, "ProjNum");
  project += "; Subaccount: ";
  put(project, d.SubAcc, "SubAcc");
  out.Line(project + ";");
  std::string people = "00 Designer: ";
  put(people, d.Designer, "Designer");
  people += "; Detailer: ";
  put(people, d.Detailer, "Detailer");
  out.Line(people + ";");
  std::string location = "00 Location: ";
  put(location, d.Location, "Location");
  out.Line(location + ";");
  const std::string& g = d.GenDesc;
  auto genDesc = [&](const std::string& text) {
    std::string line = "00";
    put(line, text, "GenDesc");
    out.Line(std::move(line));
  };
  if (g.find("\r\n") == std::string::npos) {
    genDesc(g);
    return;
  }
  std::size_t start = 0;
  while (start < g.size()) {
    std::size_t brk = g.find("\r\n", start);
    if (brk == std::string::npos) brk = g.size();
    genDesc(g.substr(start, brk - start));
    start = brk + 2;
  }
}

}  // namespace kv
