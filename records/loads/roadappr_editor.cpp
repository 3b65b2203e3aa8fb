#include "records/loads/roadappr_editor.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/settings.h"

namespace kv {

namespace {

constexpr int kRowTop = 480;
constexpr int kRowHigh = 288;
constexpr int kRowRight = 7920 + 852;  // right end of the last offset box

QFrame* Line(QWidget* parent, const char* name, bool horizontal, int left, int top, int length) {
  auto* line = new QFrame(parent);
  line->setObjectName(QString::fromLatin1(name));
  line->setFrameShape(horizontal ? QFrame::HLine : QFrame::VLine);
  line->setFrameShadow(QFrame::Plain);
  line->setLineWidth(1);
  if (horizontal) PlaceTwips(line, left, top - 15, length, 30);
  else PlaceTwips(line, left - 15, top, 30, length);
  return line;
}

}  // namespace

RoadAppr::RoadAppr(Project& project, QWidget* parent) : EditorWindow(project, parent) {
  setObjectName(QStringLiteral("RoadAppr"));
  setWindowTitle(QStringLiteral("Roadway Approaches"));
  QFont small = font();
  small.setPointSize(8);
  setFont(small);
  RoadApprData& a = project.RoadAppr;

  auto heading = [&](const char* text, int left, int width) {
    QLabel* l = MakeLabel(this, text);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    PlaceTwips(l, left, 0, width, kRowTop - 30);
  };
  heading("Begin Structure", 120, 852);
  heading("End Structure", 960, 732);
  heading("Approach Length", 1680, 972);

  // The common heading sits in the gap of a bracket over the seven offset boxes.
  QLabel* common = MakeLabel(this, "Offsets from Horizontal Control");
  common->setAlignment(Qt::AlignCenter);
  const double dpi = logicalDpiX();
  const int textTwips = int(PixelsToTwips(common->sizeHint().width(), dpi)) + 120;
  const int middle = (2760 + kRowRight) / 2;
  const int gapLeft = middle - textTwips / 2, gapRight = middle + textTwips / 2;
  PlaceTwips(common, gapLeft, 60, gapRight - gapLeft, 300);
  const int bar = 210, foot = 420;
  Line(this, "Line1", false, 2760, bar, foot - bar);
  Line(this, "Line2", true, 2760, bar, gapLeft - 2760);
  Line(this, "Line3", true, gapRight, bar, kRowRight - gapRight);
  Line(this, "Line4", false, kRowRight, bar, foot - bar);

  struct Box {
    const char* name;
    std::string* field;
    int left, width;
  };
  const Box boxes[] = {{"BegStr", &a.BegStr, 120, 852},  {"EndStr", &a.EndStr, 960, 732},
                       {"Length", &a.Length, 1680, 972}, {"Off1", &a.Off1, 2760, 972},
                       {"Off2", &a.Off2, 3720, 852},     {"Off3", &a.Off3, 4560, 852},
                       {"Off4", &a.Off4, 5400, 852},     {"Off5", &a.Off5, 6240, 852},
                       {"Off6", &a.Off6, 7080, 852},     {"Off7", &a.Off7, 7920, 852}};
  QWidget* previous = nullptr;
  for (const Box& b : boxes) {
    QLineEdit* box = fields_.Text(this, b.name, b.field);
    PlaceTwips(box, b.left, kRowTop, b.width, kRowHigh);
    // The seven offsets share one heading; each is named by it and its place.
    if (b.name[0] == 'O')
      box->setAccessibleName(QStringLiteral("Offset %1 from Horizontal Control").arg(QLatin1Char(b.name[3])));
    if (previous != nullptr) setTabOrder(previous, box);
    previous = box;
  }
  QPushButton* hide = MakeHideButton(this, "Command1");
  PlaceTwips(hide, 4200, 1080, 1092, 375);
  setTabOrder(previous, hide);

  setFixedSize(TwipsToPixels(8985, logicalDpiX()), TwipsToPixels(1470, logicalDpiY()));
  fields_.Load();
}

}  // namespace kv
