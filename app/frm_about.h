// The About dialog: the program's title, version and disclaimer, and the way to the
// system information.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kv {

class frmMain;

inline constexpr const char* kAboutCaption = "About Wexa_Kelvara";

class frmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit frmAbout(frmMain& main);

  QLabel* picIcon;
  QLabel* lblTitle;
  QLabel* lblDisclaimer;
  QPushButton* cmdOK;
  QPushButton* cmdSysInfo;

  void cmdOK_Click();
  void cmdSysInfo_Click();

 private:
  void Form_Load();
  frmMain& main_;
};

// The text of lblDisclaimer: the version and what the designer has to check.
QString AboutDisclaimer();

}  // namespace kv
