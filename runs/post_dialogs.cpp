#include "runs/post_dialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/editor_widgets.h"
#include "app/frm_main.h"
#include "runs/runs.h"

namespace kv {

namespace {

QLabel* Label(QWidget* parent, const char* text, const char* name) {
  auto* l = new QLabel(QString::fromLatin1(text), parent);
  l->setObjectName(QString::fromLatin1(name));
  return l;
}

QLineEdit* Field(QWidget* parent, const char* name, int width = 0) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(QString::fromLatin1(name));
  if (width > 0) e->setFixedWidth(width);
  return e;
}

struct OutputType {
  const char* item;
  int code;
};
constexpr OutputType kOutputTypes[] = {{"Series 5000", 4}, {"AutoCAD DXF", 8}, {"MX Genio", 16}};

}  // namespace

PostDialog::PostDialog(frmMain& main, const char* name, const char* caption)
    : QWidget(nullptr, Qt::Window), main_(&main) {
  setObjectName(QString::fromLatin1(name));
  setWindowTitle(QString::fromLatin1(caption));
  setAttribute(Qt::WA_DeleteOnClose);
  // Closing the main window leaves the dialog open; destroying it takes the dialog along.
  connect(&main, &QObject::destroyed, this, [this] { delete this; });
}

void PostDialog::FinishLayout(QGridLayout* grid, int row, int columns) {
  Command1 = new QPushButton(QStringLiteral("OK"), this);
  Command1->setObjectName(QStringLiteral("Command1"));
  Command1->setDefault(true);
  grid->addWidget(Command1, row, 0, 1, columns, Qt::AlignHCenter);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  connect(Command1, &QPushButton::clicked, this, &PostDialog::Command1_Click);
}

void PostDialog::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (enter && plain && Command1 != nullptr && Command1->isEnabled()) {
    Command1->click();
    return;
  }
  QWidget::keyPressEvent(event);
}

void PostDialog::Command1_Click() {
  if (main_.isNull()) return;
  // The camber run goes on after its wait; this dialog may be gone by then.
  Run([self = QPointer<PostDialog>(this)] {
    if (self) self->close();
  });
}

Camber::Camber(frmMain& main) : PostDialog(main, "Camber", "Camber") {
  auto* grid = new QGridLayout(this);
  grid->addWidget(Label(this, "Girder selection list:", "Label1"), 0, 0);
  GirderSelect = Field(this, "GirderSelect", 160);
  grid->addWidget(GirderSelect, 0, 1);
  grid->addWidget(Label(this, "e.g.  1,3,4,6  or 1-20", "Label2"), 1, 1);
  FinishLayout(grid, 2, 2);
}

void Camber::Run(std::function<void()> finished) {
  RunCamber(*main(), GirderSelect->text(), std::move(finished));
}

Stick::Stick(frmMain& main) : PostDialog(main, "Stick", "Stick Figure") {
  auto* grid = new QGridLayout(this);
  grid->addWidget(Label(this, "Select Output Type:", "Label1"), 0, 0);
  cmbOutType = new QComboBox(this);
  cmbOutType->setObjectName(QStringLiteral("cmbOutType"));
  for (const OutputType& t : kOutputTypes)
    cmbOutType->addItem(QString::fromLatin1(t.item), t.code);
  cmbOutType->setPlaceholderText(QStringLiteral("Output Type"));
  cmbOutType->setCurrentIndex(-1);
  cmbOutType->setMinimumWidth(150);
  TakeWheelOnlyWithFocus(cmbOutType);
  grid->addWidget(cmbOutType, 0, 1);
  FinishLayout(grid, 1, 2);
}

int Stick::OutputCode() const {
  return cmbOutType->currentIndex() < 0 ? 0 : cmbOutType->currentData().toInt();
}

void Stick::Run(std::function<void()> finished) {
  if (RunStick(*main(), OutputCode())) finished();
}

ProjectCoord::ProjectCoord(frmMain& main)
    : PostDialog(main, "ProjectCoord", "Project Coordinates") {
  auto* grid = new QGridLayout(this);
  grid->addWidget(Label(this, "Northing Offset:", "Label1"), 0, 0);
  NorthOff = Field(this, "NorthOff", 120);
  grid->addWidget(NorthOff, 0, 1, 1, 3);
  grid->addWidget(Label(this, "Easting Offset:", "Label2"), 1, 0);
  EastOff = Field(this, "EastOff", 120);
  grid->addWidget(EastOff, 1, 1, 1, 3);

  const char* heads[][2] = {{"N/S", "Label4"}, {"Deg.", "Label5"}, {"Min.", "Label6"},
                            {"Sec.", "Label7"}, {"E/W", "Label8"}};
  for (int c = 0; c < 5; ++c)
    grid->addWidget(Label(this, heads[c][0], heads[c][1]), 2, c + 1, Qt::AlignHCenter);
  grid->addWidget(Label(this, "Bearing:", "Label3"), 3, 0);
  NorS = Field(this, "NorS", 36);
  Degrees = Field(this, "Degrees", 48);
  Minutes = Field(this, "Minutes", 48);
  Seconds = Field(this, "Seconds", 60);
  EorW = Field(this, "EorW", 36);
  QLineEdit* row[] = {NorS, Degrees, Minutes, Seconds, EorW};
  for (int c = 0; c < 5; ++c) grid->addWidget(row[c], 3, c + 1);
  grid->addWidget(Label(this, "All bearing fields must be filled.", "Label9"), 4, 0, 1, 6);
  FinishLayout(grid, 5, 6);
}

void ProjectCoord::Run(std::function<void()> finished) {
  const bool started = RunProjectCoord(*main(), NorthOff->text(), EastOff->text(), [this] {
    return QStringList{NorS->text(), Degrees->text(), Minutes->text(), Seconds->text(),
                       EorW->text()};
  });
  if (started) finished();
}

}  // namespace kv
