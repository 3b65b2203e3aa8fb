#include "app/recovery.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QPointer>
#include <QStandardPaths>

#include "app/frm_main.h"
#include "inputfile/input_file.h"
#include "inputfile/safe_save.h"

namespace kv {
namespace {

// Programs running at once each hold a slot of their own.
constexpr int kSlots = 16;

std::string Path(const QString& file) { return QFile::encodeName(file).toStdString(); }

}  // namespace

QString RecoveryCopy::DefaultFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
         QStringLiteral("/recovery");
}

RecoveryCopy::RecoveryCopy(frmMain& window, QString folder, int delayMs)
    : QObject(&window), window_(window), folder_(std::move(folder)) {
  QDir().mkpath(folder_);
  for (int k = 0; k < kSlots && slot_ < 0; ++k) {
    auto lock = std::make_unique<QLockFile>(folder_ + QStringLiteral("/copy-%1.lock").arg(k));
    // Only a lock whose program has ended is stale, however old.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) slot_ = k, lock_ = std::move(lock);
  }
  if (slot_ < 0) return;
  timer_.setSingleShot(true);
  timer_.setInterval(delayMs);
  connect(&timer_, &QTimer::timeout, this, &RecoveryCopy::WriteNow);
  // The first edit after a copy starts the wait; later ones ride along, so steady
  // typing still gets a copy every few seconds.
  window_.editors().OnEdited([self = QPointer<RecoveryCopy>(this)] {
    if (self && !self->timer_.isActive()) self->timer_.start();
  });
  window_.installEventFilter(this);
}

RecoveryCopy::~RecoveryCopy() = default;

QString RecoveryCopy::SlotFile(const char* suffix) const {
  return slot_ < 0 ? QString() : folder_ + QStringLiteral("/copy-%1%2").arg(slot_).arg(QLatin1String(suffix));
}

QString RecoveryCopy::CopyPath() const { return SlotFile(".dat"); }

void RecoveryCopy::WriteNow() {
  if (slot_ < 0) return;
  timer_.stop();
  // Failures stay quiet: the next edit tries again, and the project itself is untouched.
  SafeSave(Path(SlotFile(".name")), window_.CurrentInputFile.toUtf8().toStdString());
  SafeSave(Path(CopyPath()), ProjectFileBytes(window_.project()));
}

void RecoveryCopy::Remove() {
  timer_.stop();
  QFile::remove(CopyPath());
  QFile::remove(SlotFile(".name"));
}

bool RecoveryCopy::eventFilter(QObject* watched, QEvent* event) {
  // The main window's closing sequence is the program's normal end.
  if (watched == &window_ && event->type() == QEvent::Close) Remove();
  return QObject::eventFilter(watched, event);
}

bool RecoveryCopy::OfferLeftCopy() {
  if (slot_ < 0 || !QFile::exists(CopyPath())) return false;
  LoadedFile copy = LoadInputFile(Path(CopyPath()));
  QFile nameFile(SlotFile(".name"));
  const QString original =
      nameFile.open(QIODevice::ReadOnly) ? QString::fromUtf8(nameFile.readAll()) : QString();
  // A copy the file on disk already holds lost nothing.
  if (!copy.error.empty() || (!original.isEmpty() && LoadInputFile(Path(original)).bytes == copy.bytes)) {
    Remove();
    return false;
  }
  const QString when =
      QLocale().toString(QFileInfo(CopyPath()).lastModified(), QLocale::ShortFormat);
  const QString text =
      QStringLiteral("Wexa Kelvara did not end normally. A recovery copy of the project it held "
                     "(%1), made %2, was kept.\n\nOpen the recovery copy?")
          .arg(original.isEmpty() ? QStringLiteral("not saved under any name yet")
                                  : QDir::toNativeSeparators(original),
               when);
  MessageBoxes* messages = window_.platform().messages;
  if (messages == nullptr || !messages->Ask(&window_, QString::fromLatin1(kProgramTitle), text)) {
    Remove();
    return false;
  }
  Project recovered;
  ReadInputText(std::move(copy.bytes), recovered, {});
  window_.project() = std::move(recovered);
  window_.CurrentInputFile = original;
  window_.ShowProject();
  return true;
}

}  // namespace kv
