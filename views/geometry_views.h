// Keeps the plan, profile and section views on the project: after every edit (and File
// Open) the geometry is computed anew and the shown views redrawn from it. A click on a
// girder or bent line brings its editor forward with the row's first cell focused; a
// click elsewhere in the plan or the profile takes the section there.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>

#include "drawing/drawing.h"
#include "views/drawing_window.h"

class QAction;
class QLineEdit;
class QListWidget;
class QLabel;

namespace kv {

namespace geom {
class ProjectGeometry;
}
class frmMain;

class GeometryViews : public QObject {
  Q_OBJECT

 public:
  // The views' checkable menu entries; each follows its window being shown.
  GeometryViews(frmMain& window, QAction* plan, QAction* profile, QAction* section);
  ~GeometryViews() override;

  // Redraws once the current event is done (edits come in bursts); `fit`: a new
  // project, shown whole and cut in the middle.
  void Schedule(bool fit = false);
  void Update();

  void ShowPlan(bool show);
  void ShowProfile(bool show);
  void ShowSection(bool show);
  DrawingWindow* Plan() const { return plan_; }
  DrawingWindow* Profile() const { return profile_; }
  DrawingWindow* Section() const { return section_; }
  // The plan's list of the geometry's findings.
  QListWidget* Findings() const { return findings_; }

  double SectionStation() const { return station_; }
  void SetSectionStation(double station);
  const geom::ProjectGeometry* Geometry() const { return geometry_.get(); }

 private:
  enum class Kind { Plan, Profile, Section };
  DrawingWindow* Ensure(Kind kind);
  void Show(Kind kind, bool show);
  void Redraw(Kind kind, bool fit);
  void Clicked(Kind kind, geom::Vec2 at, const draw::Ref& hit);
  void Hovered(Kind kind, geom::Vec2 at, const draw::Ref& hit);
  void RevealFinding(int index);
  bool Shown(const DrawingWindow* w) const;

  frmMain& window_;
  QAction *planEntry_, *profileEntry_, *sectionEntry_;
  QTimer timer_;
  bool fitNext_ = false, stale_ = true;
  std::shared_ptr<const geom::ProjectGeometry> geometry_;
  double station_;  // of the section; NaN until the first drawing chooses one
  QPointer<DrawingWindow> plan_, profile_, section_;
  QListWidget* findings_ = nullptr;
  QLabel* lblFindings_ = nullptr;
  QLineEdit* txtStation_ = nullptr;
};

}  // namespace kv
