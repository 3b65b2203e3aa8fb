#include "app/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyleOptionMenuItem>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <cstring>
#include <span>
#include <map>
#include <optional>
#include <string>

#include "app/editor_window.h"
#include "app/frm_document.h"
#include "app/settings.h"
#include "inputfile/column_map.h"
#include "inputfile/input_file.h"
#include "views/column_checks.h"
#include "views/geometry_views.h"

// The icons are compiled into this library; a static library needs them pulled in.
static void InitShellResources() { Q_INIT_RESOURCE(icons); }

namespace kv {

namespace {

// One line of a menu: no name means a separator.
struct MenuLine {
  const char* name;
  const char* text;
  const char* shortcut = nullptr;
};

constexpr std::array<const char*, kFormCount> kFormTexts = {
    "&Description", "&Horizontal Alignment", "&Vertical Alignment",
    "&Cross Slope and Transition Data", "&Reference Line", "&Girder Line",
    "&Bent Line", "D&ead Load", "R&oadway Approach"};

struct ToolButton {
  const char* key;
  const char* tooltip;
  const char* icon;
};

constexpr std::array<ToolButton, 5> kToolButtons = {{
    {"New", "New Kelvara input file", "new"},
    {"Open", "Open existing file", "open"},
    {"Save", "Save input file", "save"},
    {"Print", "Print to the default printer", "print"},
    {"Copy", "Copy text from the output area", "copy"},
}};

// The toolbar's images, and the program's own icon (the one the desktop entry names), at
// the sizes drawn for them. Asking which image formats there are would load every image
// plugin at start-up.
QIcon LoadIcon(const char* name) {
  static constexpr int kProgramSizes[] = {16, 32, 48, 64}, kToolSizes[] = {24, 48};
  const bool program = std::strcmp(name, kProgramIconName) == 0;
  QIcon icon;
  for (int size : program ? std::span<const int>(kProgramSizes) : std::span<const int>(kToolSizes))
    icon.addFile(QStringLiteral(":/icons/%1-%2.png").arg(QLatin1String(name)).arg(size), QSize(size, size));
  return icon;
}

// Loaded once for the whole run; a new main window reuses the decoded images.
QIcon BundledIcon(const char* name) {
  static std::map<std::string, QIcon> icons;
  auto it = icons.find(name);
  if (it == icons.end()) it = icons.emplace(name, LoadIcon(name)).first;
  return it->second;
}

// Separator lines with room around them, so the one that opens the Edit menu shows
// and does not melt into the menu's frame.
class MenuStyle : public QProxyStyle {
 public:
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override {
    QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type == CT_MenuItem && item != nullptr &&
        item->menuItemType == QStyleOptionMenuItem::Separator) {
      s.setHeight(std::max(s.height(), 9));
    }
    return s;
  }
};

QMenu* AddMenu(QMenuBar* bar, const char* name, const char* text) {
  QMenu* menu = bar->addMenu(QString::fromLatin1(text));
  menu->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setObjectName(QString::fromLatin1(name));
  return menu;
}

QAction* AddLine(QMenu* menu, const MenuLine& line) {
  if (line.name == nullptr) return menu->addSeparator();
  QAction* a = menu->addAction(QString::fromLatin1(line.text));
  a->setObjectName(QString::fromLatin1(line.name));
  if (line.shortcut != nullptr) a->setShortcut(QKeySequence(QString::fromLatin1(line.shortcut)));
  return a;
}

}  // namespace

QIcon ProgramIcon() { return BundledIcon(kProgramIconName); }

frmMain::frmMain(const Platform& platform, EditorFactories editors, QWidget* parent)
    : QMainWindow(parent),
      platform_(platform),
      editors_(project_, std::move(editors)),
      mdi_(new QMdiArea(this)) {
  InitShellResources();
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QString::fromLatin1(kMainCaption));
  // Every window of the program, dialogs included, carries the program's own icon.
  QApplication::setWindowIcon(ProgramIcon());
  setWindowIcon(ProgramIcon());
  // The bars are switched from the View menu only, so its check marks stay true.
  setContextMenuPolicy(Qt::NoContextMenu);
  setCentralWidget(mdi_);
  BuildMenus();
  BuildToolBar();
  BuildStatusBar();
  columns_ = std::make_unique<ColumnChecks>(*this, mnuViewColumns_);
  views_ = std::make_unique<GeometryViews>(*this, mnuViewPlan_, mnuViewProfile_, mnuViewSection_);

  WindowPlacement place;
  if (platform_.settings != nullptr) place = ReadPlacement(*platform_.settings);
  move(TwipsToPixels(place.left, DpiX()), TwipsToPixels(place.top, DpiY()));
  resize(TwipsToPixels(place.width, DpiX()), TwipsToPixels(place.height, DpiY()));
  KeepReachable();

  HelpFile = QDir::toNativeSeparators(QCoreApplication::applicationDirPath() +
                                      QStringLiteral("/help/index.html"));
}

frmMain::~frmMain() = default;

void frmMain::BuildMenus() {
  QMenuBar* bar = menuBar();
  auto connectTo = [this](QAction* a, void (frmMain::*handler)()) {
    connect(a, &QAction::triggered, this, handler);
  };
  auto hookTo = [this](QAction* a, MenuHook hook) {
    connect(a, &QAction::triggered, this, [this, hook] { RunHook(hook); });
  };

  QMenu* file = AddMenu(bar, "mnuFile", "&File");
  connectTo(AddLine(file, {"mnuFileNew", "&New", "Ctrl+N"}), &frmMain::mnuFileNew_Click);
  connectTo(AddLine(file, {"mnuFileOpen", "&Open", "Ctrl+O"}), &frmMain::mnuFileOpen_Click);
  AddLine(file, {nullptr, nullptr});
  connectTo(AddLine(file, {"mnuFileSave", "&Save", "Ctrl+S"}), &frmMain::mnuFileSave_Click);
  connectTo(AddLine(file, {"mnuFileSaveAs", "Save &As..."}), &frmMain::mnuFileSaveAs_Click);
  AddLine(file, {nullptr, nullptr});
  QMenu* run = file->addMenu(QStringLiteral("Run"));
  run->setObjectName(QStringLiteral("mnuFileRun"));
  run->menuAction()->setObjectName(QStringLiteral("mnuFileRun"));
  hookTo(AddLine(run, {"mnuFileRunGeometry", "Geometry"}), MenuHook::RunGeometry);
  hookTo(AddLine(run, {"mnuFileRunProjCoord", "Project Coordinates"}), MenuHook::RunProjCoord);
  hookTo(AddLine(run, {"mnuFileRunCamber", "Camber"}), MenuHook::RunCamber);
  hookTo(AddLine(run, {"mnuFileRunStick", "Stick Figure"}), MenuHook::RunStick);
  AddLine(file, {nullptr, nullptr});
  connectTo(AddLine(file, {"mnuFilePrint", "&Print...", "Ctrl+P"}), &frmMain::mnuFilePrint_Click);
  AddLine(file, {nullptr, nullptr});
  connectTo(AddLine(file, {"mnuFileExit", "E&xit"}), &frmMain::mnuFileExit_Click);

  QMenu* edit = AddMenu(bar, "mnuEdit", "&Edit");
  edit->setSeparatorsCollapsible(false);  // the menu opens with its separator line
  AddLine(edit, {nullptr, nullptr});
  connectTo(AddLine(edit, {"mnuEditCopy", "&Copy from Output", "Ctrl+C"}),
            &frmMain::mnuEditCopy_Click);

  QMenu* view = AddMenu(bar, "mnuView", "&View");
  mnuViewToolbar_ = AddLine(view, {"mnuViewToolbar", "&Toolbar"});
  mnuViewStatusBar_ = AddLine(view, {"mnuViewStatusBar", "Status &Bar"});
  for (QAction* a : {mnuViewToolbar_, mnuViewStatusBar_}) {
    a->setCheckable(true);
    a->setChecked(true);
  }
  connectTo(mnuViewToolbar_, &frmMain::mnuViewToolbar_Click);
  connectTo(mnuViewStatusBar_, &frmMain::mnuViewStatusBar_Click);
  AddLine(view, {nullptr, nullptr});
  AddLine(view, {"mnuViewOptions", "&Options..."})->setEnabled(false);
  mnuViewColumns_ = AddLine(view, {"mnuViewColumns", "&Columns"});
  mnuViewColumns_->setCheckable(true);
  connectTo(mnuViewColumns_, &frmMain::mnuViewColumns_Click);
  // The drawings of the geometry, each a window of its own with its own check mark.
  mnuViewPlan_ = AddLine(view, {"mnuViewPlan", "&Plan"});
  mnuViewProfile_ = AddLine(view, {"mnuViewProfile", "P&rofile"});
  mnuViewSection_ = AddLine(view, {"mnuViewSection", "&Section"});
  for (QAction* a : {mnuViewPlan_, mnuViewProfile_, mnuViewSection_}) a->setCheckable(true);
  connect(mnuViewPlan_, &QAction::triggered, this, [this](bool on) { views_->ShowPlan(on); });
  connect(mnuViewProfile_, &QAction::triggered, this, [this](bool on) { views_->ShowProfile(on); });
  connect(mnuViewSection_, &QAction::triggered, this, [this](bool on) { views_->ShowSection(on); });

  QMenu* form = AddMenu(bar, "mnuForm", "&Data Entry");
  for (int i = 0; i < kFormCount; ++i) {
    QAction* a = AddLine(form, {kFormMenuNames[i], kFormTexts[i]});
    a->setCheckable(true);
    formActions_[i] = a;
    connect(a, &QAction::triggered, this, [this, i] { OpenEditor(static_cast<Form>(i)); });
  }

  QMenu* help = AddMenu(bar, "mnuHelp", "&Help");
  hookTo(AddLine(help, {"mnuHelpContents", "&Contents"}), MenuHook::HelpContents);
  hookTo(AddLine(help, {"mnuHelpSearch", "&Search For Help On..."}), MenuHook::HelpSearch);
  AddLine(help, {nullptr, nullptr});
  hookTo(AddLine(help, {"mnuHelpAbout", "&About Wexa_Kelvara..."}), MenuHook::HelpAbout);

  // A child made after the menus, so it is destroyed after them.
  auto* style = new MenuStyle;
  style->setParent(this);
  for (QMenu* m : bar->findChildren<QMenu*>()) m->setStyle(style);
}

void frmMain::BuildToolBar() {
  toolBar_ = addToolBar(QStringLiteral("Toolbar"));
  toolBar_->setObjectName(QStringLiteral("tbToolBar"));
  toolBar_->setMovable(false);
  toolBar_->setFloatable(false);
  toolBar_->setIconSize(QSize(24, 24));
  for (const ToolButton& b : kToolButtons) {
    const QString key = QString::fromLatin1(b.key);
    QAction* a = toolBar_->addAction(BundledIcon(b.icon), key);
    a->setObjectName(QStringLiteral("tbToolBar") + key);
    a->setProperty("Key", key);
    a->setToolTip(QString::fromLatin1(b.tooltip));
    connect(a, &QAction::triggered, this, [this, key] { tbToolBar_ButtonClick(key); });
  }
}

void frmMain::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("sbStatusBar"));
  bar->setSizeGripEnabled(false);
  auto panel = [bar](const char* name, int stretch) {
    auto* label = new QLabel(bar);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setContentsMargins(4, 0, 4, 0);
    if (stretch > 0) {
      bar->addWidget(label, stretch);
    } else {
      bar->addPermanentWidget(label);
    }
    return label;
  };
  panel("sbStatusBarText", 1)->setText(QString::fromLatin1(kStatusText));
  datePanel_ = panel("sbStatusBarDate", 0);
  timePanel_ = panel("sbStatusBarTime", 0);
  UpdateClockPanels();
  clockTimer_ = new QTimer(this);
  connect(clockTimer_, &QTimer::timeout, this, &frmMain::UpdateClockPanels);
  clockTimer_->start(1000);
}

void frmMain::UpdateClockPanels() {
  const QDateTime now =
      platform_.clock != nullptr ? platform_.clock->Now() : QDateTime::currentDateTime();
  const QLocale locale;
  datePanel_->setText(locale.toString(now.date(), QLocale::ShortFormat));
  timePanel_->setText(locale.toString(now.time(), QLocale::ShortFormat));
}

double frmMain::DpiX() const {
  const QScreen* s = screen();
  return s != nullptr ? s->logicalDotsPerInchX() : 96.0;
}

double frmMain::DpiY() const {
  const QScreen* s = screen();
  return s != nullptr ? s->logicalDotsPerInchY() : 96.0;
}

void frmMain::RecordProgramFolder() {
  ProgramFolder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

void frmMain::SetMenuHandler(MenuHook hook, std::function<void()> handler) {
  hooks_[static_cast<int>(hook)] = std::move(handler);
}

void frmMain::RunHook(MenuHook hook) {
  if (const auto& h = hooks_[static_cast<int>(hook)]) h();
}

frmDocument* frmMain::Listing() {
  if (listing_ == nullptr) {
    listing_ = new frmDocument;
    // Kept until the program ends: no title bar, no system menu, and a close request
    // (Ctrl+F4, the area's own commands) is refused. Without a title bar the text area
    // that the layout sizes shows whole above the status bar.
    listingFrame_ = mdi_->addSubWindow(listing_, Qt::SubWindow | Qt::FramelessWindowHint);
    listingFrame_->setSystemMenu(nullptr);
    listingFrame_->installEventFilter(this);
    listingFrame_->move(0, 0);
    listingFrame_->show();
  }
  return listing_;
}

ListingText* frmMain::Output() { return Listing()->Output(); }

void frmMain::LayoutListing() {
  if (isMinimized()) return;
  Listing();
  const int wide = width();
  const int high = height();
  listingFrame_->resize(wide + TwipsToPixels(300, DpiX()), high + TwipsToPixels(300, DpiY()));
  listing_->Output()->resize(std::max(0, wide - TwipsToPixels(150, DpiX())),
                             std::max(0, high - TwipsToPixels(1200, DpiY())));
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == listingFrame_ && event->type() == QEvent::Close) {
    event->ignore();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void frmMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  LayoutListing();
}

// A position stored on a screen that is no longer there comes back onto the nearest.
void frmMain::KeepReachable() {
  QList<QRect> areas;
  for (const QScreen* sc : QGuiApplication::screens()) areas << sc->availableGeometry();
  const QPoint at = KeepOnScreen(frameGeometry(), areas);
  if (at != frameGeometry().topLeft()) move(at);
}

void frmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  LayoutListing();
}

void frmMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) LayoutListing();
}

void frmMain::ShowMessage(const QString& text) {
  if (platform_.messages != nullptr) {
    platform_.messages->Show(this, QString::fromLatin1(kProgramTitle), text);
  }
}

void frmMain::ShowMarks() {
  for (int i = 0; i < kFormCount; ++i) formActions_[i]->setChecked(project_.marked[i]);
}

void frmMain::mnuFileNew_Click() {
  if (platform_.dialogs == nullptr) return;
  // The name of a file that does not exist yet is what New is for.
  const QString name = platform_.dialogs->NewFileName(
      this, QStringLiteral("Open New File"), QStringLiteral("All Files (*.dat)|*.dat"),
      DialogFileName);
  if (name.isEmpty()) return;
  DialogFileName = name;
  CurrentInputFile = name;
}

std::optional<std::string> frmMain::LoadForOpen(const QString& name) {
  LoadedFile file = LoadInputFile(QFile::encodeName(name).toStdString());
  if (file.error.empty()) return std::move(file.bytes);
  ShowMessage(QStringLiteral("%1 could not be opened: %2.")
                  .arg(QDir::toNativeSeparators(name), QString::fromLocal8Bit(file.error.c_str())));
  return std::nullopt;
}

void frmMain::ShowProject() {
  ShowMarks();
  editors_.RefreshAll();
  if (columns_) columns_->Schedule();
  if (views_) views_->Schedule(true);
}

void frmMain::mnuFileOpen_Click() {
  if (platform_.dialogs == nullptr) return;
  const QString name = platform_.dialogs->OpenFileName(
      this, QString(), QStringLiteral("Geometry Input Files (*.dat)|*.dat"), DialogFileName);
  if (name.isEmpty()) return;
  OpenFile(name);
}

void frmMain::OpenFile(const QString& name) {
  DialogFileName = name;
  // A file that cannot be read is named with the reason and changes nothing, not even
  // the file Save writes to.
  std::optional<std::string> bytes = LoadForOpen(name);
  if (!bytes) return;
  CurrentInputFile = name;
  // An empty file changes nothing: the project, its rows and the check marks stay.
  if (bytes->empty()) return;
  // A second file must not inherit the first one's fields or rows; the "&Data Entry"
  // check marks stay, since nothing clears them.
  const auto marks = project_.marked;
  project_.Reset();
  project_.marked = marks;
  const ReadReport report = ReadInputText(
      std::move(*bytes), project_,
      [this](const std::string& warning) { ShowMessage(QString::fromLatin1(warning)); });
  if (report.unreadCount > 0) ShowMessage(QString::fromLatin1(UnreadLinesMessage(report)));
  ShowProject();
}

void frmMain::mnuFileSave_Click() {
  const WriteResult r =
      WriteInputFile(QFile::encodeName(CurrentInputFile).toStdString(), project_,
                     [this](const std::string& m) { ShowMessage(QString::fromLatin1(m)); });
  if (r.ok) ReportSaved();
  if (r.ok || CurrentInputFile.isEmpty()) return;
  // Saying nothing would leave the designer believing the work is saved.
  ShowMessage(QStringLiteral("The project could not be saved to %1: %2. %3")
                  .arg(QDir::toNativeSeparators(CurrentInputFile),
                       QString::fromLocal8Bit(r.error.c_str()),
                       r.left == SaveLeft::Previous
                           ? QStringLiteral("The file there is as it was before.")
                       : r.left == SaveLeft::Unconfirmed
                           ? QStringLiteral("The file there holds the project, but the disk did "
                                            "not confirm that it is stored.")
                           : QStringLiteral("The file there may be incomplete.")));
}

// After the file is written as it must be: the values that widened their lines and
// the rows that were left out, at most ten of them. A clean save says nothing.
void frmMain::ReportSaved() {
  constexpr int kListed = 10;
  QStringList listed;
  int more = 0;
  for (const Finding& f : WriteFindings(project_)) {
    if (f.kind == FindingKind::NotANumber) continue;
    if (listed.size() == kListed) {
      ++more;
      continue;
    }
    listed << QString::fromLatin1(FindingPlaceText(f) + ": " + DescribeFinding(f));
  }
  if (listed.isEmpty()) return;
  if (more > 0) listed << QStringLiteral("and %1 more").arg(more);
  ShowMessage(QStringLiteral("The file is saved, but the engine will not read it as entered:\n\n") +
              listed.join(QLatin1Char('\n')));
}

void frmMain::mnuFileSaveAs_Click() {
  if (platform_.dialogs == nullptr) return;
  const QString name = platform_.dialogs->SaveFileName(
      this, QString(), QStringLiteral("Kelvara input (*.dat)|*.dat"), DialogFileName);
  if (name.isEmpty()) return;
  DialogFileName = name;
  CurrentInputFile = name;
  mnuFileSave_Click();
}

void frmMain::mnuFilePrint_Click() {
  Printer* printer = platform_.printer;
  if (printer == nullptr) return;
  printer->SetFont(QStringLiteral("Courier"), 8);
  printer->SetLandscape(true);
  const std::optional<int> copies = printer->ShowPrintDialog(this);
  if (!copies) return;
  const QString text = Output()->toPlainText();
  for (int i = 0; i < *copies; ++i) printer->PrintJob(text);
}

void frmMain::mnuFileExit_Click() { close(); }

void frmMain::mnuEditCopy_Click() {
  if (platform_.clipboard != nullptr) platform_.clipboard->SetText(Output()->SelectedText());
}

void frmMain::mnuViewToolbar_Click() {
  toolBar_->setVisible(mnuViewToolbar_->isChecked());
}

void frmMain::mnuViewStatusBar_Click() {
  statusBar()->setVisible(mnuViewStatusBar_->isChecked());
}

void frmMain::mnuViewColumns_Click() { columns_->ShowView(mnuViewColumns_->isChecked()); }

void frmMain::OpenEditor(Form f) {
  project_.Mark(f);
  formActions_[static_cast<int>(f)]->setChecked(true);
  editors_.Show(f);
  columns_->Schedule();  // a new editor shows the marks too
}

void frmMain::RevealField(const QString& window, int row, const QString& field) {
  for (int i = 0; i < kFormCount; ++i) {
    if (window != QLatin1String(kEditorWindowNames[i])) continue;
    OpenEditor(static_cast<Form>(i));
    if (EditorWindow* editor = editors_.Window(static_cast<Form>(i))) editor->FocusField(row, field);
    return;
  }
}

void frmMain::tbToolBar_ButtonClick(const QString& key) {
  if (key == QLatin1String("New")) {
    mnuFileNew_Click();
  } else if (key == QLatin1String("Open")) {
    mnuFileOpen_Click();
  } else if (key == QLatin1String("Save")) {
    mnuFileSave_Click();
  } else if (key == QLatin1String("Print")) {
    mnuFilePrint_Click();
  } else if (key == QLatin1String("Copy")) {
    mnuEditCopy_Click();
  }
}

void frmMain::closeEvent(QCloseEvent* event) {
  editors_.CloseAll();
  if (!isMinimized() && platform_.settings != nullptr) {
    WritePlacement(*platform_.settings,
                   {PixelsToTwips(x(), DpiX()), PixelsToTwips(y(), DpiY()),
                    PixelsToTwips(width(), DpiX()), PixelsToTwips(height(), DpiY())});
  }
  event->accept();
}

}  // namespace kv
