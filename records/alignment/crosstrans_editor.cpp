#include "records/alignment/crosstrans_editor.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollBar>

#include "app/grid_binding.h"
#include "app/frm_main.h"
#include "app/settings.h"
#include "records/alignment/crosstrans_record.h"

namespace kv {

namespace {

// Layout in twips.
constexpr int kLineHigh = 255;  // labels
constexpr int kBoxHigh = 288;   // text boxes
constexpr int kPitch = 360;     // between rows of single fields
constexpr int kClientWidth = 10500;
constexpr int kClientHeight = 6480;

// Override grid: rows 240 apart; a row is 260 high, so one appended below the last
// (its top + 260 - 20) keeps the same pitch.
constexpr int kFrameLeft = 6720, kFrameTop = 840;
constexpr int kRowTop = 60, kRowSpacing = 240, kRowHeight = 260, kAppendOffset = -20;
constexpr int kFrameWidth = 3300;
constexpr int kFrameHeight = kRowTop + (kOverrideInitialRows - 1) * kRowSpacing + kRowHeight + 60;

constexpr const char* kFullMessage =
    "The override table is full: no more overrides can be added.";

// Station, left and right slope of each override.
const GridTableDesc<CrossTransData, OverrideRow>& Overrides() {
  using K = GridColumn::Kind;
  static const GridTableDesc<CrossTransData, OverrideRow> desc = {
      &CrossTransData::rows, &CrossTransData::scroll, AddOverRecord, nullptr, nullptr,
      {{{K::TextBox, "OverSta", 60, 1212, "Station"}, {.text = &OverrideRow::OverSta}},
       {{K::TextBox, "OverLeft", 1272, 972, "Left Slope"}, {.text = &OverrideRow::OverLeft}},
       {{K::TextBox, "OverRight", 2244, 972, "Right Slope"}, {.text = &OverrideRow::OverRight}}}};
  return desc;
}

// The four crown shapes in cross-section, each under its letter: "A" a crown at the
// profile line, "B" one slope across, "C" a crown off the profile line, "P" a parabola.
class CrownSketch : public QFrame {
 public:
  explicit CrownSketch(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("CrownSketch"));
    setFrameShape(QFrame::Box);
    for (const char* letter : kCrownTypeItems) {
      QLabel* l = MakeLabel(this, letter);
      l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QFrame::resizeEvent(event);
    const auto letters = findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    const int cell = width() / int(letters.size());
    for (int i = 0; i < int(letters.size()); ++i)
      letters[i]->setGeometry(i * cell, 2, cell, letters[i]->sizeHint().height());
  }

  void paintEvent(QPaintEvent* event) override {
    QFrame::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(palette().color(QPalette::WindowText), 1.5));
    const int n = int(kCrownTypeItems.size());
    const double cell = double(width()) / n;
    const double top = fontMetrics().height() + 8, bottom = height() - 8;
    const double rise = (bottom - top) * 0.55;
    for (int i = 0; i < n; ++i) {
      const double l = i * cell + 10, r = (i + 1) * cell - 10, mid = (l + r) / 2;
      const double low = top + rise;
      QPainterPath path;
      switch (i) {
        case 0:
          path.moveTo(l, low), path.lineTo(mid, top), path.lineTo(r, low);
          break;
        case 1:
          path.moveTo(l, top), path.lineTo(r, low);
          break;
        case 2:
          path.moveTo(l, low), path.lineTo(l + (r - l) * 0.3, top), path.lineTo(r, low);
          break;
        default:
          path.moveTo(l, low), path.quadTo(mid, top - rise, r, low);
          break;
      }
      p.drawPath(path);
      // The profile line, dashed, under each shape.
      p.save();
      p.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DashLine));
      p.drawLine(QPointF(mid, top - 2), QPointF(mid, bottom));
      p.restore();
    }
  }
};

}  // namespace

CrossTrans::CrossTrans(Project& project, QWidget* parent) : EditorWindow(project, parent) {
  setObjectName(QStringLiteral("CrossTrans"));
  setWindowTitle(QStringLiteral("Cross-Slope and Transition Data"));
  QFont small = font();
  small.setPointSize(8);
  setFont(small);
  CrossTransData& c = project.CrossTrans;
  std::vector<QWidget*> tabs;

  auto label = [&](const char* text, int left, int top, int width) {
    QLabel* l = MakeLabel(this, text);
    PlaceTwips(l, left, top + (kBoxHigh - kLineHigh) / 2, width, kLineHigh);
    return l;
  };
  auto text = [&](const char* caption, const char* name, std::string* field, int labelLeft,
                  int boxLeft, int top, int width) {
    label(caption, labelLeft, top, boxLeft - labelLeft - 60);
    QLineEdit* box = fields_.Text(this, name, field);
    PlaceTwips(box, boxLeft, top, width, kBoxHigh);
    tabs.push_back(box);
  };

  label("Crown Type:", 120, 120, 1080);
  QListWidget* crown =
      fields_.List(this, "CrownType", {kCrownTypeItems.begin(), kCrownTypeItems.end()}, &c.CrownType);
  crown->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  crown->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  crown->setFrameShape(QFrame::Box);
  PlaceTwips(crown, 1260, 120, 540, 1020);
  tabs.push_back(crown);
  PlaceTwips(new CrownSketch(this), 1980, 120, 4200, 1020);

  // The single fields, each box after its label; the long labels set the box column.
  constexpr int kBoxLeft = 3960, kBoxWidth = 1092;
  int top = 1320;
  text("Nominal Cross-Slope:", "CrossSlope", &c.CrossSlope, 120, kBoxLeft, top, kBoxWidth);
  text("Super Rate (e):", "SuperRate", &c.SuperRate, 120, kBoxLeft, top += kPitch, kBoxWidth);
  text("Pivot Offset from Profile Line (-Left):", "PivotOffset", &c.PivotOffset, 120, kBoxLeft,
       top += kPitch, kBoxWidth);

  // Transition in and out side by side, each read down its column.
  struct Column {
    const char* heading;
    int left;
    const char* names[3];
    std::string* fields[3];
  };
  const Column transitions[] = {
      {"Transition In", 120, {"InRunOut", "InTransLength", "InTransPer"},
       {&c.InRunOut, &c.InTransLength, &c.InTransPer}},
      {"Transition Out", 3360, {"OutRunout", "OutTransLength", "OutTransPer"},
       {&c.OutRunout, &c.OutTransLength, &c.OutTransPer}}};
  const char* transitionLabels[] = {"Run-Out:", "Transition Length:", "Percent of Transition:"};
  const int transitionTop = top + 480;
  for (const Column& col : transitions) {
    label(col.heading, col.left, transitionTop, 2400);
    for (int i = 0; i < 3; ++i)
      text(transitionLabels[i], col.names[i], col.fields[i], col.left + 120, col.left + 2160,
           transitionTop + kPitch * (i + 1), 972);
  }
  top = transitionTop + kPitch * 4 + 120;
  text("Transition Vertical curve Maximum Length:", "MaxTransVC", &c.MaxTransVC, 120, kBoxLeft,
       top, kBoxWidth);

  top += 480;
  label("Parabolic Crown", 120, top, 2400);
  const Column crownColumns[] = {
      {nullptr, 120, {"CrownWidth", "CrownHeight"}, {&c.CrownWidth, &c.CrownHeight}},
      {nullptr, 3360, {"CrownLeft", "CrownRight"}, {&c.CrownLeft, &c.CrownRight}}};
  const char* crownLabels[2][2] = {{"Width:", "Height:"}, {"Left Slope:", "Right Slope:"}};
  for (int k = 0; k < 2; ++k)
    for (int i = 0; i < 2; ++i)
      text(crownLabels[k][i], crownColumns[k].names[i], crownColumns[k].fields[i],
           crownColumns[k].left + 120, crownColumns[k].left + 2160, top + kPitch * (i + 1), 972);
  lastField_ = tabs.back();

  // The overrides, right of the single fields.
  label("Optional Superelevation Override", kFrameLeft, 120, 3600);
  GridGeometry g;
  g.frameLeft = kFrameLeft, g.frameTop = kFrameTop;
  g.frameWidth = kFrameWidth, g.frameHeight = kFrameHeight;
  g.scrollLeft = kFrameLeft + kFrameWidth, g.scrollTop = kFrameTop;
  g.scrollWidth = 255, g.scrollHeight = kFrameHeight;
  g.rowTop = kRowTop, g.rowSpacing = kRowSpacing, g.rowHeight = kRowHeight;
  g.initialRows = kOverrideInitialRows, g.appendOffset = kAppendOffset;
  g.headingTop = kFrameTop - kLineHigh - 30, g.headingHeight = kLineHigh;
  overrides_ = new GridBinding(this, c, Overrides(), g);
  // Row by row in the tab order, after the single fields and before "Add New Override".
  overrides_->Grid().SetTabAnchor(lastField_);

  add_ = new QPushButton(QStringLiteral("Add New Override"), this);
  add_->setObjectName(QStringLiteral("AddOverRecord"));
  PlaceTwips(add_, kFrameLeft + (kFrameWidth + 255 - 1812) / 2, kFrameTop + kFrameHeight + 180, 1812,
             375);
  connect(add_, &QPushButton::clicked, this, &CrossTrans::AddOverRecord_Click);

  QPushButton* hide = MakeHideButton(this, "Command4");
  PlaceTwips(hide, (kClientWidth - 1092) / 2, kClientHeight - 375 - 180, 1092, 375);

  for (std::size_t i = 1; i < tabs.size(); ++i) setTabOrder(tabs[i - 1], tabs[i]);
  setTabOrder(lastField_, add_);
  setTabOrder(add_, hide);

  setFixedSize(TwipsToPixels(kClientWidth, logicalDpiX()), TwipsToPixels(kClientHeight, logicalDpiY()));
  Refresh();
}

void CrossTrans::Refresh() {
  fields_.Load();
  overrides_->Refresh();
}

ControlGrid& CrossTrans::Grid() const { return overrides_->Grid(); }

void CrossTrans::AddOverRecord_Click() {
  if (!overrides_->AddRow()) ShowMessage(QString::fromLatin1(kFullMessage));
}

void CrossTrans::VScroll1_Change(int value) { overrides_->VScroll1_Change(value); }

}  // namespace kv
