#include "runs/runs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/frm_document.h"
#include "app/frm_main.h"
#include "runs/post_dialogs.h"

namespace kv {

namespace {

QString Title() { return QString::fromLatin1(kProgramTitle); }

void Tell(frmMain& main, const QString& text) {
  if (MessageBoxes* m = main.platform().messages) m->Show(&main, Title(), text);
}

// Goes on with `then` after the wait, unless the main window is gone by then.
void After(frmMain& main, int milliseconds, std::function<void()> then) {
  if (Clock* c = main.platform().clock) c->After(milliseconds, &main, std::move(then));
}

// The shared open dialog; remembers what was chosen. Empty when cancelled.
QString AskOpen(frmMain& main, const QString& title, const char* filter,
                const QString& fileName) {
  FileDialogs* d = main.platform().dialogs;
  if (d == nullptr) return {};
  const QString name = d->OpenFileName(&main, title, QString::fromLatin1(filter), fileName);
  if (!name.isEmpty()) main.DialogFileName = name;
  return name;
}

}  // namespace

QString BaseName(const QString& path) {
  const qsizetype dot = path.indexOf(QLatin1Char('.'));
  return dot < 0 ? path : path.left(dot);
}

QString ExecutablePath(const QString& folder, const char* name) {
#ifdef Q_OS_WIN
  const char* suffix = ".exe";
#else
  const char* suffix = "";
#endif
  return folder + QDir::separator() + QString::fromLatin1(name) + QString::fromLatin1(suffix);
}

QString QuotedCommandLine(const QString& program, const QStringList& arguments) {
  QStringList parts{program};
  parts += arguments;
  for (QString& p : parts) p = QLatin1Char('"') + p + QLatin1Char('"');
  return parts.join(QLatin1Char(' '));
}

bool FileIsMetric(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return false;
  auto next = [&f] {
    QByteArray line = f.readLine();
    while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
    return QString::fromLatin1(line);
  };
  QString line = next();
  if (line.size() >= 80 && (line[79] == 'M' || line[79] == 'm')) return true;
  bool metric = false;
  while (line.startsWith(QLatin1String("00")) && !f.atEnd()) {
    line = next();
    const qsizetype key = line.indexOf(QLatin1String("Units:"), 2, Qt::CaseInsensitive);
    if (key >= 0)
      metric = line.indexOf(QLatin1String("Metric"), key + 6, Qt::CaseInsensitive) >= 0;
  }
  return metric;
}

bool StartProgram(frmMain& main, const char* name, const QStringList& arguments,
                  WindowStyle style) {
  const QString program = ExecutablePath(main.ProgramFolder, name);
  ProgramStarter* s = main.platform().starter;
  if (s != nullptr && s->Start(program, arguments, style)) return true;
  // Waiting for a listing that cannot come would only end in "not found".
  Tell(main, QStringLiteral("The program ") + program + QStringLiteral(" could not be started."));
  return false;
}

void ShowListing(frmMain& main, const QString& listing) {
  ListingText* out = main.Output();
  out->clear();
  out->SetMaxLength(0);
  QFile f(listing);
  if (!QFileInfo::exists(listing) || !f.open(QIODevice::ReadOnly))
    return Tell(main, QStringLiteral("Output file not found ") + listing);
  if (f.size() > kListingDisplayLimit)
    Tell(main, QStringLiteral("Warning: the output file is too large to display completely."));
  // Counted as the listing is on disk, each line with its carriage return and line feed.
  QStringList lines;
  qsizetype length = 0;
  while (length < kListingDisplayLimit && !f.atEnd()) {
    QByteArray line = f.readLine();
    while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
    lines.append(QString::fromLatin1(line));
    length += line.size() + 2;
  }
  out->setPlainText(lines.join(QLatin1Char('\n')) + (lines.isEmpty() ? "" : "\n"));
}

// One geometry run. Each run keeps its own names and units in its steps, so a run
// started during another's wait does not disturb it, and each shows its own listing
// when its own wait ends.
void RunGeometry(frmMain& main) {
  const QString path = AskOpen(main, QString(), "Kelvara input (*.dat)|*.dat", main.DialogFileName);
  if (path.isEmpty()) return;
  const QString base = BaseName(path);
  if (base.isEmpty()) return Tell(main, QStringLiteral("No input file has been selected."));
  const QString input = base + ".dat", listing = base + ".lis";
  auto show = [&main, listing] { ShowListing(main, listing); };
  if (FileIsMetric(path)) {
    const QString intermediate = base + ".bip";
    if (!StartProgram(main, "KvarM2e", {input, intermediate}, WindowStyle::MaximizedFocus)) return;
    After(main, 1000, [&main, intermediate, listing, show] {
      if (StartProgram(main, "KvarMetr", {intermediate, listing}, WindowStyle::Hidden))
        After(main, 2000, show);
    });
  } else if (StartProgram(main, "KvarEngl", {input, listing}, WindowStyle::Hidden)) {
    After(main, 2000, show);
  }
}

bool RunCamber(frmMain& main, const QString& girderSelect, std::function<void()> done) {
  const QString path =
      AskOpen(main, QString(), "Geometry Output Files (*.lis)|*.lis", QString());
  if (path.isEmpty()) return false;
  const QString base = BaseName(path);
  if (!StartProgram(main, "Kvar2Cmb", {base + ".lis", girderSelect}, WindowStyle::Hidden)) {
    if (done) done();
    return true;
  }
  After(main, 1000, [&main, base, done] {
    if (QFileInfo::exists(base + ".cmb"))
      StartProgram(main, "KvarCamb", {base + ".cmb", base + ".out"}, WindowStyle::Hidden);
    else
      Tell(main, QStringLiteral("File") + base + QStringLiteral(".cmb does not exist.  Camber run aborted."));
    if (done) done();
  });
  return true;
}

bool RunStick(frmMain& main, int outputCode) {
  const QString path =
      AskOpen(main, QString(), "Geometry Output Files (*.lis)|*.lis", QString());
  if (path.isEmpty()) return false;
  if (outputCode != 0)
    StartProgram(main, "KvarStFi", {path, QString::number(outputCode)}, WindowStyle::Hidden);
  return true;
}

bool RunProjectCoord(frmMain& main, const QString& northOff, const QString& eastOff,
                     const std::function<QStringList()>& bearing) {
  const QString path =
      AskOpen(main, QStringLiteral("Select Kelvara Output file for processing."),
              "Kelvara Output Files (*.lis)|*.lis", main.DialogFileName);
  if (path.isEmpty()) return false;
  const QString base = BaseName(path);
  QStringList args{base + ".lis", base + ".pcf", northOff, eastOff};
  args += bearing();
  StartProgram(main, "KvarPrCo", args, WindowStyle::Hidden);
  return true;
}

void InstallRuns(frmMain& main) {
  main.SetMenuHandler(MenuHook::RunGeometry, [&main] { RunGeometry(main); });
  main.SetMenuHandler(MenuHook::RunCamber, [&main] { ShowPostDialog<Camber>(main); });
  main.SetMenuHandler(MenuHook::RunStick, [&main] { ShowPostDialog<Stick>(main); });
  main.SetMenuHandler(MenuHook::RunProjCoord, [&main] { ShowPostDialog<ProjectCoord>(main); });
}

}  // namespace kv
