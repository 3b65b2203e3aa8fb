// The recovery copy: the project as Save would write it, kept in the user's data
// folder a few seconds after each edit, so that a crash loses at most those seconds.
// A normal end of the program removes it; the next start after one that did not end
// normally offers it with one message box. Exit itself still asks nothing.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

class QLockFile;

namespace kv {

class frmMain;

class RecoveryCopy : public QObject {
  Q_OBJECT

 public:
  // Takes the first copy slot in folder that no running program holds.
  explicit RecoveryCopy(frmMain& window, QString folder = DefaultFolder(), int delayMs = 3000);
  ~RecoveryCopy() override;

  // "recovery" in the user's data folder (QStandardPaths::AppLocalDataLocation).
  static QString DefaultFolder();

  // A copy left in this slot by a run that did not end normally: one message box
  // offers to open it. Opened, it becomes the project, with the file name it had; its
  // copy stays until the next edit or exit. Declined, it is removed. True when opened.
  bool OfferLeftCopy();

  // Writes the copy now; the timer does this a few seconds after an edit.
  void WriteNow();
  // The copy's file; empty when no slot could be taken.
  QString CopyPath() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QString SlotFile(const char* suffix) const;
  void Remove();

  frmMain& window_;
  QString folder_;
  QTimer timer_;
  std::unique_ptr<QLockFile> lock_;
  int slot_ = -1;
};

}  // namespace kv
