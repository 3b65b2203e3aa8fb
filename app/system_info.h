// "&System Info...": on Windows the system-information tool found through the
// local-machine registry; elsewhere the program's own window of system facts.
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "app/platform.h"

class QScreen;
class QTreeWidget;
class QPushButton;

namespace kv {

inline constexpr const char* kNoSystemInfoText = "System Information Is Unavailable At This Time";
inline constexpr int kRegistryBufferChars = 1024;

enum class RegistryType { String, ExpandString, Dword, Other };

// One value as the registry handed it over.
struct RegistryRead {
  bool ok = false;  // key opened and value read into the buffer
  RegistryType type = RegistryType::Other;
  QByteArray data;  // the bytes read; strings in UTF-16, little-endian
};

// The value as text: a string up to its first zero character, a 32-bit value as
// "&h" and hexadecimal digits; nothing for a value that cannot be read or used.
std::optional<QString> RegistryValueText(const RegistryRead& read);

// Reads values under keys of the local-machine hive.
class Registry {
 public:
  virtual ~Registry() = default;
  virtual RegistryRead Read(const QString& key, const QString& value) = 0;
};

// The tool's path: the MSINFO key's PATH, else the shared tools folder and
// "\MSINFO32.EXE" when that file exists.
std::optional<QString> SystemInfoToolPath(Registry& registry,
                                          const std::function<bool(const QString&)>& exists);

// Starts the tool in a normal window with the focus, or says it is unavailable.
void RunSystemInfoTool(const Platform& platform, Registry& registry, QWidget* parent,
                       const std::function<bool(const QString&)>& exists);

// The registry of this machine; nothing is found off Windows.
Registry& MachineRegistry();

// Name and value of every line of the system-information window, in order.
using InfoLines = std::vector<std::pair<QString, QString>>;
InfoLines SystemInfoLines(const QString& programFolder, const QString& settingsFile,
                          const QScreen* screen);
// "/proc/meminfo" as total and available memory; empty when it says neither.
QString MemoryText(const QByteArray& meminfo);

// The window of system facts for platforms without the tool.
class frmSysInfo : public QDialog {
  Q_OBJECT

 public:
  frmSysInfo(const InfoLines& lines, Clipboard* clipboard, QWidget* parent);

  QTreeWidget* lstInfo;
  QPushButton* cmdCopy;
  QPushButton* cmdClose;

 private:
  QString Text() const;
};

}  // namespace kv
