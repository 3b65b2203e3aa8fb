#include "records/layout/refline_editor.h"

#include <algorithm>

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "app/interface_font.h"
#include "app/settings.h"

namespace kv {

namespace {

constexpr int kLineHigh = 255;  // labels, option buttons, one-line lists
constexpr int kBoxHigh = 288;   // text boxes
// Picture1 holds the two bent-line skew options, as wide as their texts need.
constexpr int kPictureWidth = 2520;

// One item fills the one-line list, so it is shown whole rather than cut at its foot.
class OneItemDelegate : public QStyledItemDelegate {
 public:
  // Pixels between the viewport's edges and the text: less than the style's own, so the
  // longer items fit the narrow lists.
  static constexpr int kTextMargin = 1;
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (auto* view = qobject_cast<QAbstractItemView*>(parent()))
      size.setHeight(view->viewport()->height());
    return size;
  }
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const QWidget* view = qobject_cast<const QWidget*>(parent());
    const int styleMargin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    QStyleOptionViewItem o = option;
    o.rect.adjust(kTextMargin - styleMargin, 0, styleMargin - kTextMargin, 0);
    QStyledItemDelegate::paint(painter, o, index);
  }
};

// A slimmer scroll bar leaves more of the one-line list for the item's text.
class SlimScrollBar : public QScrollBar {
 public:
  using QScrollBar::QScrollBar;
  QSize sizeHint() const override {
    QSize size = QScrollBar::sizeHint();
    size.setWidth(std::min(size.width(), 10));
    return size;
  }
};

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

  // A label's first line stands level with the text of the box beside it; a label too
  // long for its width wraps downwards into the room left above the next row.
  const int lineInset = std::max(0, (TwipsToPixels(kLineHigh, logicalDpiY()) - fontMetrics().height()) / 2);
  auto label = [&](const char* text, int left, int top, int width, int high = kLineHigh) {
    QLabel* l = MakeLabel(this, text);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setContentsMargins(0, lineInset, 0, 0);
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
    l->setVerticalScrollBar(new SlimScrollBar(Qt::Vertical, l));
    l->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    l->setUniformItemSizes(true);
    l->setItemDelegate(new OneItemDelegate(l));
    l->setProperty("kvTextMargin", OneItemDelegate::kTextMargin);
    // The narrow face lets the longer items fit the list's width.
    l->setFont(InterfaceNarrowFont());
    // The whole chosen item in the tip, for items longer than the list is wide.
    auto tip = [l] {
      const int row = SelectedRow(l);
      l->setToolTip(row >= 0 ? l->item(row)->text() : QString());
    };
    QObject::connect(l, &QListWidget::itemSelectionChanged, l, tip);
    l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    l->setFrameShape(QFrame::Box);
    PlaceTwips(l, left, top, width, kLineHigh);
    tabs.push_back(l);
  };

  label("Reference Station:", 120, 120, 1500, 600 - 120);
  text("RefLineSta", &r.RefLineSta, 1680, 120, 1212);
  label("Station is on:", 3240, 120, 1140, 600 - 120);
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

  label("With Respect to:", 360, 1440, 1020, 2280 - 1440);
  list("SkewRespTo", Items(kSkewRespToItems), &r.SkewRespTo, 1440, 1440, 1332);
  label("Default Skew Angle for Bent  Lines:", 3120, 1440, 1500, 2280 - 1440);
  auto* picture = new QFrame(this);
  picture->setObjectName(QStringLiteral("Picture1"));
  PlaceTwips(picture, 4680, 1320, kPictureWidth, 660);
  auto [parallel, same] = fields_.Options(picture, "Option3", "Parallel to Ref. Line", &r.Option3,
                                          "Option4", "Same Skew as Ref. Line", &r.Option4);
  PlaceTwips(parallel, 60, 60, kPictureWidth - 120, kLineHigh);
  PlaceTwips(same, 60, 360, kPictureWidth - 120, kLineHigh);
  tabs.push_back(parallel);
  tabs.push_back(same);

  label("Layout Line Is:", 120, 2280, 1260, 2880 - 2280);
  list("LayoutLineIs", Items(kLayoutLineIsItems), &r.LayoutLineIs, 1440, 2280, 1332);
  label("Reverse Layout Line:", 3120, 2280, 1500, 2880 - 2280);
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

  setFixedSize(TwipsToPixels(4680 + kPictureWidth + 120, logicalDpiX()), TwipsToPixels(6660, logicalDpiY()));
  fields_.Load();
}

}  // namespace kv
