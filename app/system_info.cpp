#include "app/system_info.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLibraryInfo>
#include <QPushButton>
#include <QScreen>
#include <QSysInfo>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtEndian>
#include <algorithm>

#include "kv_version.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace kv {

std::optional<QString> RegistryValueText(const RegistryRead& read) {
  if (!read.ok) return std::nullopt;
  // More than the buffer holds is a value that could not be read.
  if (read.data.size() > kRegistryBufferChars * 2) return std::nullopt;
  switch (read.type) {
    case RegistryType::String:
    case RegistryType::ExpandString: {
      QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(read.data.constData()),
                                        read.data.size() / 2);
      const qsizetype zero = text.indexOf(QChar(0));
      if (zero >= 0) text.truncate(zero);
      return text;
    }
    case RegistryType::Dword: {
      if (read.data.size() != 4) return std::nullopt;
      const quint32 v = qFromLittleEndian<quint32>(read.data.constData());
      return QStringLiteral("&h") + QString::number(v, 16).toUpper();
    }
    case RegistryType::Other:
      break;
  }
  return std::nullopt;
}

std::optional<QString> SystemInfoToolPath(Registry& registry,
                                          const std::function<bool(const QString&)>& exists) {
  if (auto path = RegistryValueText(
          registry.Read(QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"), QStringLiteral("PATH")))) {
    return path;
  }
  if (auto folder = RegistryValueText(registry.Read(
          QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"), QStringLiteral("MSINFO")))) {
    const QString path = *folder + QStringLiteral("\\MSINFO32.EXE");
    if (exists(path)) return path;
  }
  return std::nullopt;
}

void RunSystemInfoTool(const Platform& platform, Registry& registry, QWidget* parent,
                       const std::function<bool(const QString&)>& exists) {
  const auto path = SystemInfoToolPath(registry, exists);
  if (path && platform.starter != nullptr &&
      platform.starter->Start(*path, {}, WindowStyle::NormalFocus)) {
    return;
  }
  if (platform.messages != nullptr) {
    platform.messages->Show(parent, QStringLiteral("Wexa_Kelvara"), QString::fromLatin1(kNoSystemInfoText));
  }
}

namespace {

#ifdef Q_OS_WIN
class WindowsRegistry final : public Registry {
 public:
  RegistryRead Read(const QString& key, const QString& value) override {
    RegistryRead read;
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, reinterpret_cast<LPCWSTR>(key.utf16()), 0, KEY_QUERY_VALUE,
                      &handle) != ERROR_SUCCESS) {
      return read;
    }
    wchar_t buffer[kRegistryBufferChars] = {};
    DWORD type = 0;
    DWORD size = sizeof(buffer);
    const LONG rc = RegQueryValueExW(handle, reinterpret_cast<LPCWSTR>(value.utf16()), nullptr, &type,
                                     reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(handle);
    if (rc != ERROR_SUCCESS) return read;
    read.ok = true;
    read.type = type == REG_SZ          ? RegistryType::String
                : type == REG_EXPAND_SZ ? RegistryType::ExpandString
                : type == REG_DWORD     ? RegistryType::Dword
                                        : RegistryType::Other;
    read.data = QByteArray(reinterpret_cast<const char*>(buffer), int(size));
    return read;
  }
};
#else
class NoRegistry final : public Registry {
 public:
  RegistryRead Read(const QString&, const QString&) override { return {}; }
};
#endif

QString Gigabytes(double kilobytes) {
  return QString::number(kilobytes / (1024.0 * 1024.0), 'f', 1) + QStringLiteral(" GB");
}

QString SystemMemory() {
  QFile f(QStringLiteral("/proc/meminfo"));
  if (f.open(QIODevice::ReadOnly)) {
    const QString text = MemoryText(f.readAll());
    if (!text.isEmpty()) return text;
  }
  return QStringLiteral("Not known");
}

}  // namespace

Registry& MachineRegistry() {
#ifdef Q_OS_WIN
  static WindowsRegistry registry;
#else
  static NoRegistry registry;
#endif
  return registry;
}

QString MemoryText(const QByteArray& meminfo) {
  // The figure of a "Key:   1234 kB" line, -1 without one.
  auto kilobytes = [&](const char* key) -> double {
    const QByteArray start = QByteArray(key) + ':';
    for (const QByteArray& line : meminfo.split('\n')) {
      if (!line.startsWith(start)) continue;
      const QByteArray figure = line.mid(start.size()).trimmed();
      if (!figure.endsWith("kB")) return -1;
      const QByteArray digits = figure.chopped(2).trimmed();
      bool ok = !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
      return ok ? digits.toDouble() : -1;
    }
    return -1;
  };
  const double total = kilobytes("MemTotal");
  const double avail = kilobytes("MemAvailable");
  QStringList parts;
  if (total >= 0) parts << Gigabytes(total) + QStringLiteral(" total");
  if (avail >= 0) parts << Gigabytes(avail) + QStringLiteral(" available");
  return parts.join(QStringLiteral(", "));
}

InfoLines SystemInfoLines(const QString& programFolder, const QString& settingsFile,
                          const QScreen* screen) {
  InfoLines lines;
  lines.emplace_back(QStringLiteral("Program"), QStringLiteral("Wexa_Kelvara ") + QString::fromLatin1(KV_VERSION));
  lines.emplace_back(QStringLiteral("Operating system"), QSysInfo::prettyProductName());
  lines.emplace_back(QStringLiteral("System version"), QSysInfo::productVersion());
  lines.emplace_back(QStringLiteral("Kernel"), QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::kernelVersion());
  lines.emplace_back(QStringLiteral("CPU architecture"), QSysInfo::currentCpuArchitecture());
  lines.emplace_back(QStringLiteral("Memory"), SystemMemory());
  if (screen != nullptr) {
    const QRect g = screen->geometry();
    lines.emplace_back(QStringLiteral("Screen"),
                       QStringLiteral("%1 x %2 pixels").arg(g.width()).arg(g.height()));
    lines.emplace_back(QStringLiteral("Logical DPI"), QStringLiteral("%1 x %2")
                                                          .arg(screen->logicalDotsPerInchX(), 0, 'f', 0)
                                                          .arg(screen->logicalDotsPerInchY(), 0, 'f', 0));
    lines.emplace_back(QStringLiteral("Device pixel ratio"), QString::number(screen->devicePixelRatio()));
  } else {
    lines.emplace_back(QStringLiteral("Screen"), QStringLiteral("Not known"));
    lines.emplace_back(QStringLiteral("Logical DPI"), QStringLiteral("Not known"));
  }
  lines.emplace_back(QStringLiteral("Qt version"),
                     QString::fromLatin1(qVersion()) + QStringLiteral(" (built with ") +
                         QString::fromLatin1(QT_VERSION_STR) + QLatin1Char(')'));
  lines.emplace_back(QStringLiteral("Program folder"), QDir::toNativeSeparators(programFolder));
  lines.emplace_back(QStringLiteral("Settings file"),
                     settingsFile.isEmpty() ? QStringLiteral("None") : QDir::toNativeSeparators(settingsFile));
  return lines;
}

frmSysInfo::frmSysInfo(const InfoLines& lines, Clipboard* clipboard, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("frmSysInfo"));
  setWindowTitle(QStringLiteral("System Information"));
  lstInfo = new QTreeWidget(this);
  lstInfo->setObjectName(QStringLiteral("lstInfo"));
  lstInfo->setColumnCount(2);
  lstInfo->setHeaderLabels({QStringLiteral("Item"), QStringLiteral("Value")});
  lstInfo->setRootIsDecorated(false);
  lstInfo->setSelectionMode(QAbstractItemView::ExtendedSelection);
  for (const auto& [name, value] : lines) new QTreeWidgetItem(lstInfo, {name, value});
  lstInfo->resizeColumnToContents(0);
  lstInfo->resizeColumnToContents(1);
  lstInfo->setColumnWidth(0, lstInfo->columnWidth(0) + 16);
  lstInfo->header()->setStretchLastSection(true);

  cmdCopy = new QPushButton(QStringLiteral("&Copy"), this);
  cmdCopy->setObjectName(QStringLiteral("cmdCopy"));
  cmdCopy->setAutoDefault(false);
  cmdClose = new QPushButton(QStringLiteral("Close"), this);
  cmdClose->setObjectName(QStringLiteral("cmdClose"));
  cmdClose->setDefault(true);
  connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
  connect(cmdCopy, &QPushButton::clicked, this, [this, clipboard] {
    if (clipboard != nullptr) clipboard->SetText(Text());
  });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdCopy);
  buttons->addWidget(cmdClose);
  auto* v = new QVBoxLayout(this);
  v->addWidget(lstInfo, 1);
  v->addLayout(buttons);
  // Tall enough for every line, so the list needs no scrolling.
  const int rows = std::max(1, int(lines.size()));
  const int rowHigh = std::max(lstInfo->sizeHintForRow(0), fontMetrics().height() + 2);
  lstInfo->setMinimumHeight(lstInfo->header()->sizeHint().height() + rowHigh * rows +
                            2 * lstInfo->frameWidth() + 6);
  const int wide = lstInfo->columnWidth(0) + lstInfo->columnWidth(1) + 60;
  resize(std::clamp(wide, 480, 900), sizeHint().height());
  if (parent != nullptr) move(parent->geometry().center() - rect().center());
}

QString frmSysInfo::Text() const {
  QStringList out;
  for (int i = 0; i < lstInfo->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = lstInfo->topLevelItem(i);
    out << item->text(0) + QStringLiteral(": ") + item->text(1);
  }
  return out.join(QLatin1Char('\n'));
}

}  // namespace kv
