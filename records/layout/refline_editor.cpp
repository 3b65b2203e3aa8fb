#include "records/layout/refline_editor.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "app/settings.h"

namespace kv {

namespace {

constexpr int kLineHigh = 255;  // labels, option buttons, one-line lists
constexpr int kBoxHigh = 288;   // text boxes

template <std::size_t N>
std::vector<const char*> Items(const std::array<const char*, N>& a) {
  return {a.begin(), a.end()};
}

}  // namespace

RefLine::RefLine(Project& project, QWidget* parent) : EditorWindow(project, parent) {
  setObjectName(QStringLiteral("RefLine"));
  setWindowTitle(QStringLiteral("Reference Line"));
  QFont small = font();
  small.setPointSize(8);
  setFont(small);
  RefLineData& r = project.RefLine;
  std::vector<QWidget*> tabs;

  auto label = [&](const char* text, int left, int top, int width, int high = kLineHigh) {
    QLabel* l = MakeLabel(this, text);
    l->setWordWrap(true);
    PlaceTwips(l, left, top, width, high);
    return l;
  };
  auto text = [&](const char* name, std::string* field, int left, int top, int width) {
    QLineEdit* box = fields_.Text(this, name, field);
    PlaceTwips(box, left, top, width, kBoxHigh);
    tabs.push_back(box);
  };
  auto list = [&](const char* name, std::vector<const char*> items, int* field, int left,
                  int top, int width) {
    QListWidget* l = fields_.List(this, name, items, field);
    l->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    l->setFrameShape(QFrame::Box);
    PlaceTwips(l, left, top, width, kLineHigh);
    tabs.push_back(l);
  };

  label("Reference Station:", 120, 120, 1500);
  text("RefLineSta", &r.RefLineSta, 1680, 120, 1212);
  label("Station is on:", 3240, 120, 1140);
  list("StaOn", Items(kStaOnItems), &r.StaOn, 4440, 120, 1692);

  label("Skew", 120, 600, 1500);
  auto [left, right] =
      fields_.Options(this, "Option1", "Left", &r.Option1, "Option2", "Right", &r.Option2);
  PlaceTwips(left, 360, 960, 780, kLineHigh);
  PlaceTwips(right, 1200, 960, 900, kLineHigh);
  tabs.push_back(left);
  tabs.push_back(right);
  label("Angle:", 2160, 960, 660);
  text("SkewAngle", &r.SkewAngle, 2880, 960, 1452);

  label("With Respect to:", 360, 1440, 1020, 2 * kLineHigh);
  list("SkewRespTo", Items(kSkewRespToItems), &r.SkewRespTo, 1440, 1440, 1332);
  label("Default Skew Angle for Bent  Lines:", 3120, 1440, 1500, 2 * kLineHigh);
  auto* picture = new QFrame(this);
  picture->setObjectName(QStringLiteral("Picture1"));
  PlaceTwips(picture, 4680, 1320, 2040, 660);
  auto [parallel, same] = fields_.Options(picture, "Option3", "Parallel to Ref. Line", &r.Option3,
                                          "Option4", "Same Skew as Ref. Line", &r.Option4);
  PlaceTwips(parallel, 60, 60, 1960, kLineHigh);
  PlaceTwips(same, 60, 360, 1960, kLineHigh);
  tabs.push_back(parallel);
  tabs.push_back(same);

  label("Layout Line Is:", 120, 2280, 1260);
  list("LayoutLineIs", Items(kLayoutLineIsItems), &r.LayoutLineIs, 1440, 2280, 1332);
  label("Reverse Layout Line:", 3120, 2280, 1500);
  list("RevLayoutLine", Items(kRevLayoutLineItems), &r.RevLayoutLine, 4680, 2280, 1572);

  label("Transform Constant for Layout Coordinates", 120, 2880, 5000);
  label("X:", 360, 3240, 300);
  text("TransX", &r.TransX, 720, 3240, 1212);
  label("Y:", 2160, 3240, 300);
  text("TransY", &r.TransY, 2520, 3240, 1452);

  label("Limits of Valid Elevation and Cross-Slope Data", 120, 3720, 5000);
  label("Begin Station:", 360, 4080, 1260);
  text("LimitBegSta", &r.LimitBegSta, 1680, 4080, 1332);
  label("End Station:", 3360, 4080, 1020);
  text("LimitEndSta", &r.LimitEndSta, 4440, 4080, 1212);

  label("Options", 120, 4560, 2000);
  struct Option {
    const char* name;
    const char* text;
    bool* field;
    int left, top;
  };
  const Option options[] = {
      {"Check1", "Segmented Girder Lines to Be Broken at Reference Line", &r.Check1, 240, 4920},
      {"Check2", "Supress Listing", &r.Check2, 3000, 4920},
      {"Check3", "Offset Option for Segmented Girder Pattern Shift", &r.Check3, 240, 5520},
      {"Check4", "Request X-0 Points", &r.Check4, 3000, 5520}};
  for (const Option& o : options) {
    QCheckBox* box = fields_.Check(this, o.name, o.text, o.field);
    PlaceTwips(box, o.left, o.top, o.left == 240 ? 2700 : 3240, 2 * kLineHigh);
    tabs.push_back(box);
  }

  QPushButton* hide = MakeHideButton(this, "Command4");
  PlaceTwips(hide, 2640, 6120, 1092, 375);
  tabs.push_back(hide);
  for (std::size_t i = 1; i < tabs.size(); ++i) setTabOrder(tabs[i - 1], tabs[i]);

  setFixedSize(TwipsToPixels(6480, logicalDpiX()), TwipsToPixels(6660, logicalDpiY()));
  fields_.Load();
}

}  // namespace kv
