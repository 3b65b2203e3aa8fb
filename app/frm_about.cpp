#include "app/frm_about.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "app/frm_main.h"
#include "app/system_info.h"
#include "kv_version.h"

namespace kv {

QString AboutDisclaimer() {
  return QStringLiteral(
             "Version %1\n\n"
             "Wexa_Kelvara prepares and checks the input file of the geometry engine and "
             "shows the listings of the engine and its post-processors. It computes no "
             "geometry itself. The results of every run are to be checked by the designer "
             "before they are used.")
      .arg(QString::fromLatin1(KV_VERSION));
}

frmAbout::frmAbout(frmMain& main) : QDialog(&main), main_(main) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QString::fromLatin1(kAboutCaption));

  picIcon = new QLabel(this);
  picIcon->setObjectName(QStringLiteral("picIcon"));
  picIcon->setFixedSize(64, 64);
  picIcon->setAlignment(Qt::AlignCenter);
  lblTitle = new QLabel(this);
  lblTitle->setObjectName(QStringLiteral("lblTitle"));
  QFont big = lblTitle->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  lblTitle->setFont(big);
  lblDisclaimer = new QLabel(this);
  lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
  lblDisclaimer->setWordWrap(true);
  lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  auto* rule = new QFrame(this);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
  cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
  cmdSysInfo->setAutoDefault(false);

  auto* grid = new QGridLayout(this);
  grid->setHorizontalSpacing(16);
  grid->addWidget(picIcon, 0, 0, 2, 1, Qt::AlignTop);
  grid->addWidget(lblTitle, 0, 1);
  grid->addWidget(lblDisclaimer, 1, 1);
  grid->addWidget(rule, 2, 0, 1, 2);
  for (QPushButton* b : {cmdOK, cmdSysInfo}) b->setMinimumWidth(120);
  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(8);
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdSysInfo);
  auto* foot = new QHBoxLayout;
  foot->addStretch(1);
  foot->addLayout(buttons);
  grid->addLayout(foot, 3, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  lblDisclaimer->setMinimumWidth(340);
  setSizeGripEnabled(false);

  connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
  connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
  Form_Load();
  setFixedSize(sizeHint());
  // Centred over the main window, wherever the window manager would put it.
  move(main.geometry().center() - rect().center());
}

void frmAbout::Form_Load() {
  lblTitle->setText(QString::fromLatin1(kProgramTitle));
  lblDisclaimer->setText(AboutDisclaimer());
  QIcon icon = main_.windowIcon();
  setWindowIcon(icon);
  picIcon->setPixmap(icon.pixmap(QSize(48, 48)));
}

void frmAbout::cmdOK_Click() { close(); }

void frmAbout::cmdSysInfo_Click() {
  const Platform& platform = main_.platform();
#ifdef Q_OS_WIN
  RunSystemInfoTool(platform, MachineRegistry(), this,
                    [](const QString& path) { return QFileInfo::exists(path); });
#else
  const QString folder =
      main_.ProgramFolder.isEmpty() ? QCoreApplication::applicationDirPath() : main_.ProgramFolder;
  const QString settings = platform.settings != nullptr ? platform.settings->fileName() : QString();
  auto* info = new frmSysInfo(SystemInfoLines(folder, settings, screen()), platform.clipboard, this);
  info->setAttribute(Qt::WA_DeleteOnClose);
  info->open();
#endif
}

}  // namespace kv
