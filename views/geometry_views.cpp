#include "views/geometry_views.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <cmath>
#include <limits>

#include "app/frm_main.h"
#include "drawing/drawing_parts.h"
#include "drawing/project_drawings.h"
#include "geometry/project_geometry.h"
#include "inputfile/field_routines.h"
#include "views/drawing_canvas.h"
#include "views/drawing_window.h"

namespace kv {
namespace {

QString Latin(const std::string& s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

// A station as typed in a station field: 126+50, 12650 or 1+234.5.
std::optional<double> StationOf(const QString& text) {
  std::string t = text.trimmed().toLatin1().toStdString();
  if (t.size() > 1)
    if (auto plus = t.find('+', 1); plus != std::string::npos) t.erase(plus, 1);
  if (t.empty() || !IsNumberText(t)) return std::nullopt;
  return ParseNumberField(t, 0);
}

}  // namespace

GeometryViews::GeometryViews(frmMain& window, QAction* plan, QAction* profile, QAction* section)
    : window_(window),
      planEntry_(plan),
      profileEntry_(profile),
      sectionEntry_(section),
      station_(std::numeric_limits<double>::quiet_NaN()) {
  timer_.setSingleShot(true);
  timer_.setInterval(0);
  connect(&timer_, &QTimer::timeout, this, &GeometryViews::Update);
  window.editors().OnEdited([self = QPointer<GeometryViews>(this)] {
    if (self) self->Schedule();
  });
}

GeometryViews::~GeometryViews() {
  delete plan_;
  delete profile_;
  delete section_;
}

bool GeometryViews::Shown(const DrawingWindow* w) const { return w != nullptr && w->isVisible(); }

void GeometryViews::Schedule(bool fit) {
  fitNext_ = fitNext_ || fit;
  stale_ = true;
  timer_.start();
}

void GeometryViews::Update() {
  timer_.stop();
  // Nothing shows it: computed when a view is shown.
  if (!Shown(plan_) && !Shown(profile_) && !Shown(section_)) return;
  const bool fit = fitNext_;
  fitNext_ = false;
  geometry_ = std::make_shared<const geom::ProjectGeometry>(window_.project());
  stale_ = false;
  if (fit || std::isnan(station_)) station_ = draw::MiddleStation(*geometry_);
  for (Kind k : {Kind::Plan, Kind::Profile, Kind::Section}) Redraw(k, fit);
}

void GeometryViews::Redraw(Kind kind, bool fit) {
  DrawingWindow* w = kind == Kind::Plan ? plan_ : kind == Kind::Profile ? profile_ : section_;
  if (!Shown(w) || !geometry_) return;
  const geom::ProjectGeometry& g = *geometry_;
  const bool cut = Shown(section_);
  auto d = std::make_shared<draw::Drawing>();
  switch (kind) {
    case Kind::Plan:
      *d = draw::BuildPlan(g);
      if (cut) draw::AddPlanCut(*d, g, station_);
      break;
    case Kind::Profile:
      *d = draw::BuildProfile(g);
      if (cut) draw::AddProfileCut(*d, g, station_);
      break;
    case Kind::Section:
      *d = draw::BuildSection(g, station_);
      if (txtStation_ != nullptr && !txtStation_->hasFocus()) txtStation_->setText(Latin(draw::StationLabel(g, station_)));
      break;
  }
  if (kind == Kind::Plan) {
    QStringList texts;
    for (const std::string& f : d->findings) texts << Latin(f);
    QStringList shown;
    for (int i = 0; i < findings_->count(); ++i) shown << findings_->item(i)->text();
    if (texts != shown) {
      findings_->clear();
      findings_->addItems(texts);
    }
    lblFindings_->setText(texts.isEmpty()        ? QStringLiteral("No geometry findings.")
                          : texts.size() == 1 ? QStringLiteral("1 geometry finding, marked in red:")
                                              : QStringLiteral("%1 geometry findings, marked in red:").arg(texts.size()));
    findings_->setVisible(!texts.isEmpty());
  }
  w->SetDrawing(std::move(d), fit);
}

DrawingWindow* GeometryViews::Ensure(Kind kind) {
  QPointer<DrawingWindow>& w = kind == Kind::Plan ? plan_ : kind == Kind::Profile ? profile_ : section_;
  if (w) return w;
  static const char* const names[] = {"PlanView", "ProfileView", "SectionView"};
  static const char* const captions[] = {"Plan", "Profile", "Section"};
  const int i = static_cast<int>(kind);
  // A window of its own that goes with the main window.
  w = new DrawingWindow(QString::fromLatin1(names[i]), QString::fromLatin1(captions[i]), window_.platform(), &window_);
  QAction* entry = kind == Kind::Plan ? planEntry_ : kind == Kind::Profile ? profileEntry_ : sectionEntry_;
  connect(w, &DrawingWindow::VisibilityChanged, entry, &QAction::setChecked);
  connect(w->Canvas, &DrawingCanvas::Clicked, this, [this, kind](geom::Vec2 at, draw::Ref hit) { Clicked(kind, at, hit); });
  connect(w->Canvas, &DrawingCanvas::Hovered, this, [this, kind](geom::Vec2 at, draw::Ref hit) { Hovered(kind, at, hit); });
  if (kind == Kind::Plan) {
    lblFindings_ = new QLabel(w);
    lblFindings_->setObjectName(QStringLiteral("lblFindings"));
    w->AddBelow(lblFindings_);
    findings_ = new QListWidget(w);
    findings_->setObjectName(QStringLiteral("lstFindings"));
    findings_->setAccessibleName(QStringLiteral("Geometry findings"));
    findings_->setMaximumHeight(findings_->fontMetrics().height() * 5 + 8);
    w->AddBelow(findings_);
    connect(findings_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { RevealFinding(findings_->row(item)); });
    connect(findings_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) { RevealFinding(findings_->row(item)); });
    w->resize(1000, 640);
  } else if (kind == Kind::Section) {
    auto* label = new QLabel(QStringLiteral("S&tation:"), w);
    txtStation_ = new QLineEdit(w);
    txtStation_->setObjectName(QStringLiteral("txtStation"));
    txtStation_->setAccessibleName(QStringLiteral("Station"));
    txtStation_->setMaximumWidth(140);
    txtStation_->setToolTip(QStringLiteral("The station of the section; or click in the plan or the profile"));
    label->setBuddy(txtStation_);
    w->AddBeside(label);
    w->AddBeside(txtStation_);
    connect(txtStation_, &QLineEdit::returnPressed, this, [this] {
      if (const std::optional<double> s = StationOf(txtStation_->text())) SetSectionStation(*s);
    });
    w->resize(820, 520);
  } else {
    w->resize(1000, 520);
  }
  return w;
}

void GeometryViews::ShowPlan(bool show) { Show(Kind::Plan, show); }
void GeometryViews::ShowProfile(bool show) { Show(Kind::Profile, show); }
void GeometryViews::ShowSection(bool show) { Show(Kind::Section, show); }

void GeometryViews::Show(Kind kind, bool show) {
  if (!show) {
    if (DrawingWindow* w = kind == Kind::Plan ? plan_ : kind == Kind::Profile ? profile_ : section_) w->hide();
  } else {
    DrawingWindow* w = Ensure(kind);
    const bool first = w->drawing() == nullptr;
    w->show();
    w->raise();
    if (stale_ || !geometry_) {
      Update();
    } else {
      Redraw(kind, first);
    }
  }
  // The section's cut comes and goes with it.
  if (kind == Kind::Section) {
    Redraw(Kind::Plan, false);
    Redraw(Kind::Profile, false);
  }
}

void GeometryViews::SetSectionStation(double station) {
  station_ = station;
  if (!geometry_) return;
  Redraw(Kind::Section, true);
  Redraw(Kind::Plan, false);
  Redraw(Kind::Profile, false);
}

void GeometryViews::Clicked(Kind kind, geom::Vec2 at, const draw::Ref& hit) {
  if (!geometry_) return;
  switch (hit.kind) {
    case draw::Ref::GirderRow: window_.RevealField(QStringLiteral("GirderLine"), hit.index - 1, QString()); return;
    case draw::Ref::BentRow: window_.RevealField(QStringLiteral("BentLine"), hit.index - 1, QString()); return;
    case draw::Ref::Finding: RevealFinding(hit.index); return;
    case draw::Ref::None: break;
  }
  // Elsewhere in the plan or the profile: the section there.
  std::optional<double> station;
  if (kind == Kind::Plan) station = draw::PlanStation(*geometry_, at);
  if (kind == Kind::Profile) station = draw::ProfileStation(*geometry_, at);
  if (!station) return;
  station_ = *station;
  if (!Shown(section_)) {
    sectionEntry_->setChecked(true);
    Show(Kind::Section, true);
  }
  SetSectionStation(*station);
}

void GeometryViews::Hovered(Kind kind, geom::Vec2 at, const draw::Ref& hit) {
  DrawingWindow* w = kind == Kind::Plan ? plan_ : kind == Kind::Profile ? profile_ : section_;
  if (!geometry_ || w == nullptr) return;
  const geom::ProjectGeometry& g = *geometry_;
  std::string text;
  if (kind == Kind::Plan) text = draw::DescribePlanPoint(g, at, 6 / w->Canvas->view().scale);
  if (kind == Kind::Profile) text = draw::DescribeProfilePoint(g, at);
  if (kind == Kind::Section) text = draw::DescribeSectionPoint(g, station_, at);
  if (hit.kind == draw::Ref::GirderRow) text = "Click to edit girder line row " + std::to_string(hit.index) + ". " + text;
  if (hit.kind == draw::Ref::BentRow) text = "Click to edit bent line row " + std::to_string(hit.index) + ". " + text;
  w->lblStatus->setText(Latin(text));
}

void GeometryViews::RevealFinding(int index) {
  if (!geometry_ || index < 0 || index >= int(geometry_->findings().size())) return;
  const geom::Finding& f = geometry_->findings()[std::size_t(index)];
  const std::vector<int> rows = draw::parts::Rows(f.rows);
  const std::string field = f.field.substr(0, f.field.find(','));
  window_.RevealField(Latin(f.window), rows.empty() ? -1 : rows.front() - 1, Latin(field));
}

}  // namespace kv
