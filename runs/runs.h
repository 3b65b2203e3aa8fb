// The computation runs: the geometry engine on an input file on disk, and the three
// post-processors on a listing. Each run keeps its own names and units, so a run
// started during another's wait does not disturb it.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "app/platform.h"

namespace kv {

class frmMain;

inline constexpr int kListingDisplayLimit = 65000;

// The characters of the whole path before its first period.
QString BaseName(const QString& path);
// The program folder, a separator, the name and the platform's executable suffix.
QString ExecutablePath(const QString& folder, const char* name);
// The line as the engine sees it: program and arguments, each in double quotes.
QString QuotedCommandLine(const QString& program, const QStringList& arguments);
// Metric when column 80 of the title line says so or a "Units:" line of the
// description names metric; a file that cannot be read counts as English.
bool FileIsMetric(const QString& path);

// Starts folder + name through the seam; on failure tells the user which program and
// returns false.
bool StartProgram(frmMain& main, const char* name, const QStringList& arguments,
                  WindowStyle style);
// Empties the listing window, lifts its limit and shows base + ".lis" up to the first
// line end at or after 65000 characters.
void ShowListing(frmMain& main, const QString& listing);

// "Run", "Geometry".
void RunGeometry(frmMain& main);
// The post-processor runs; false when the file dialog was cancelled (the dialog stays).
// The camber run goes on after its wait; `done` runs when it has finished.
bool RunCamber(frmMain& main, const QString& girderSelect, std::function<void()> done = {});
bool RunStick(frmMain& main, int outputCode);  // code 0: no type chosen
bool RunProjectCoord(frmMain& main, const QString& northOff, const QString& eastOff,
                     const std::function<QStringList()>& bearing);

// Connects "Run" and its entries to the runs and the post-processor dialogs.
void InstallRuns(frmMain& main);

}  // namespace kv
