#include "app/qt_platform.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QSettings>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "app/listing_print.h"
#include "app/settings.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace kv {

QString QtFileFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    const QString& name = parts[i];
    const QString pattern = i + 1 < parts.size() ? parts[i + 1] : QString();
    if (pattern.isEmpty() || name.contains(QLatin1Char('(') + pattern + QLatin1Char(')'))) {
      out.append(name);
    } else {
      out.append(name + QStringLiteral(" (") + QString(pattern).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                 QLatin1Char(')'));
    }
  }
  return out.join(QStringLiteral(";;"));
}

namespace {

class QtFileDialogs final : public FileDialogs {
 public:
  QString OpenFileName(QWidget* parent, const QString& title, const QString& filter,
                       const QString& fileName) override {
    return QFileDialog::getOpenFileName(parent, title, fileName, QtFileFilter(filter));
  }
  QString SaveFileName(QWidget* parent, const QString& title, const QString& filter,
                       const QString& fileName) override {
    return QFileDialog::getSaveFileName(parent, title, fileName, QtFileFilter(filter));
  }
  QString NewFileName(QWidget* parent, const QString& title, const QString& filter,
                      const QString& fileName) override {
    QFileDialog dialog(parent, title, QString(), QtFileFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!fileName.isEmpty()) dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
  }
};

class QtMessageBoxes final : public MessageBoxes {
 public:
  void Show(QWidget* parent, const QString& title, const QString& text, MessageIcon icon) override {
    QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon,
                    title, text, QMessageBox::Ok, parent);
    box.exec();
  }
  bool Ask(QWidget* parent, const QString& title, const QString& text) override {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
  }
};

class QtPrinter final : public Printer {
 public:
  void SetFont(const QString& family, double points) override {
    family_ = family;
    points_ = points;
  }
  void SetLandscape(bool landscape) override {
    Get().setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  }
  std::optional<int> ShowPrintDialog(QWidget* parent) override {
    QPrinter& printer = Get();
    printer.setCopyCount(1);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const int copies = std::max(printer.copyCount(), 1);
    // The copies are printed as jobs of their own, one copy each.
    printer.setCopyCount(1);
    return copies;
  }
  void PrintJob(const QString& text) override {
    PrintListing(Get(), FixedPitchFont(family_, points_), text);
  }
  void PrintPicture(const std::function<void(QPainter&, const QRectF&)>& paint) override {
    QPrinter& printer = Get();
    QPainter painter;
    if (!painter.begin(&printer)) return;
    // Lines and labels keep the sizes they have on screen.
    const double k = printer.resolution() / 96.0;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    painter.scale(k, k);
    paint(painter, QRectF(0, 0, page.width() / k, page.height() / k));
    painter.end();
  }

 private:
  // Made on the first print: a printer loads the print system, which start-up does not need.
  QPrinter& Get() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
  }

  std::unique_ptr<QPrinter> printer_;
  QString family_ = QStringLiteral("Courier");
  double points_ = 8;
};

class QtClipboard final : public Clipboard {
 public:
  void SetText(const QString& text) override { QGuiApplication::clipboard()->setText(text); }
  QString Text() const override { return QGuiApplication::clipboard()->text(); }
};

class QtProgramStarter final : public ProgramStarter {
 public:
  bool Start(const QString& program, const QStringList& arguments, WindowStyle style) override {
#ifdef Q_OS_WIN
    // Every argument in double quotes, and the window shown as the run asks.
    QProcess p;
    p.setProgram(program);
    QStringList quoted;
    for (const QString& a : arguments) quoted << QLatin1Char('"') + a + QLatin1Char('"');
    p.setNativeArguments(quoted.join(QLatin1Char(' ')));
    p.setCreateProcessArgumentsModifier([style](QProcess::CreateProcessArguments* a) {
      a->startupInfo->dwFlags |= STARTF_USESHOWWINDOW;
      a->startupInfo->wShowWindow = style == WindowStyle::Hidden           ? SW_HIDE
                                    : style == WindowStyle::MaximizedFocus ? SW_SHOWMAXIMIZED
                                                                           : SW_SHOWNORMAL;
    });
    return p.startDetached();
#else
    // Elsewhere a detached start has no window of its own to style.
    (void)style;
    return QProcess::startDetached(program, arguments);
#endif
  }
};

class QtClock final : public Clock {
 public:
  QDateTime Now() const override { return QDateTime::currentDateTime(); }
  void After(int milliseconds, QObject* context, std::function<void()> then) override {
    QTimer::singleShot(milliseconds, context, std::move(then));
  }
};

}  // namespace

struct QtPlatform::Parts {
  QtFileDialogs dialogs;
  QtMessageBoxes messages;
  QtPrinter printer;
  QtClipboard clipboard;
  QtProgramStarter starter;
  QtClock clock;
  QSettings settings{QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromLatin1(kSettingsApplication),
                     QString::fromLatin1(kSettingsApplication)};
};

QtPlatform::QtPlatform() : parts_(std::make_unique<Parts>()) {
  platform_ = Platform{&parts_->dialogs, &parts_->messages, &parts_->printer, &parts_->clipboard,
                       &parts_->starter, &parts_->clock,    &parts_->settings};
}

QtPlatform::~QtPlatform() = default;

}  // namespace kv
