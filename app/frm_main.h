// The main window: the multiple-document frame with the menus, the toolbar, the status
// bar and the listing window, the file commands, and the closing sequence.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <memory>

#include "app/editor_registry.h"
#include "app/platform.h"
#include "inputfile/project.h"

class QAction;
class QIcon;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QTimer;
class QToolBar;

namespace kv {

class ColumnChecks;
class GeometryViews;
class frmDocument;
class ListingText;

inline constexpr const char* kMainCaption = "Wexa Kelvara";
// The program's title: the title of its message boxes.
inline constexpr const char* kProgramTitle = "Wexa_Kelvara";
inline constexpr const char* kStatusText = "Use File | New or File | Open to start";
// The program's icon, by the name the desktop entry gives it, and the desktop entry's own
// name (the AppStream component's), so desktops match the window with its launcher.
inline constexpr const char* kProgramIconName = "wexa-kelvara";
inline constexpr const char* kDesktopFileName = "io.github.wexa_kelvara.wexa_kelvara";

QIcon ProgramIcon();

// Menu entries whose behaviour lives outside the shell; their owners connect here.
enum class MenuHook { RunGeometry, RunProjCoord, RunCamber, RunStick, HelpContents, HelpSearch, HelpAbout };
inline constexpr int kMenuHookCount = 7;

class frmMain : public QMainWindow {
  Q_OBJECT

 public:
  // Reads the window's position from platform.settings. The seams must outlive it.
  explicit frmMain(const Platform& platform, EditorFactories editors = DefaultEditorFactories(),
                   QWidget* parent = nullptr);
  ~frmMain() override;

  Project& project() { return project_; }
  const Platform& platform() const { return platform_; }
  EditorRegistry& editors() { return editors_; }
  // The column map kept current after every edit, the editors' marks and the column view.
  ColumnChecks& columns() { return *columns_; }
  // The plan, profile and section views, redrawn after every edit.
  GeometryViews& views() { return *views_; }
  // The listing window, created when it does not exist.
  frmDocument* Listing();
  ListingText* Output();

  QString CurrentInputFile;
  QString ProgramFolder;
  QString HelpFile;
  // The common dialog's file name, kept between uses.
  QString DialogFileName;

  // Records the folder of the executable; start-up calls it once the window is shown.
  void RecordProgramFolder();
  void SetMenuHandler(MenuHook hook, std::function<void()> handler);
  // The project was replaced outside File Open (a recovered copy): the "&Data Entry"
  // marks and every created editor show it.
  void ShowProject();

  void mnuFileNew_Click();
  void mnuFileOpen_Click();
  // File Open of a chosen name (also the name given on the command line).
  void OpenFile(const QString& name);
  void mnuFileSave_Click();
  void mnuFileSaveAs_Click();
  void mnuFilePrint_Click();
  void mnuFileExit_Click();
  void mnuEditCopy_Click();
  void mnuViewToolbar_Click();
  void mnuViewStatusBar_Click();
  void mnuViewColumns_Click();
  void OpenEditor(Form f);
  // The editor window named `window` opened as "&Data Entry" opens it, with the focus in
  // a field (row -1) or a grid row's cell (an empty field: the row's first cell).
  void RevealField(const QString& window, int row, const QString& field);
  void tbToolBar_ButtonClick(const QString& key);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolBar();
  void BuildStatusBar();
  void UpdateClockPanels();
  void LayoutListing();
  void ShowMessage(const QString& text);
  // The bytes of the file File Open chose, or nothing after telling the user why not.
  std::optional<std::string> LoadForOpen(const QString& name);
  void ReportSaved();
  void ShowMarks();
  void KeepReachable();
  void RunHook(MenuHook hook);
  double DpiX() const;
  double DpiY() const;

  Platform platform_;
  Project project_;
  EditorRegistry editors_;
  QMdiArea* mdi_;
  QPointer<QMdiSubWindow> listingFrame_;
  QPointer<frmDocument> listing_;
  QToolBar* toolBar_ = nullptr;
  QAction* mnuViewToolbar_ = nullptr;
  QAction* mnuViewStatusBar_ = nullptr;
  QAction* mnuViewColumns_ = nullptr;
  QAction* mnuViewPlan_ = nullptr;
  QAction* mnuViewProfile_ = nullptr;
  QAction* mnuViewSection_ = nullptr;
  std::array<QAction*, kFormCount> formActions_{};
  QLabel* datePanel_ = nullptr;
  QLabel* timePanel_ = nullptr;
  QTimer* clockTimer_ = nullptr;
  std::array<std::function<void()>, kMenuHookCount> hooks_;
  // Gone before the editors they follow.
  std::unique_ptr<ColumnChecks> columns_;
  std::unique_ptr<GeometryViews> views_;
};

}  // namespace kv
