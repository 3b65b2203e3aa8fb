#include "records/alignment/horizontal_editor.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kv {

namespace {

QLabel* Heading(QWidget* parent, const char* text) {
  QLabel* l = MakeLabel(parent, text);
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  return l;
}

}  // namespace

Horizontal::Horizontal(Project& project, QWidget* parent) : EditorWindow(project, parent) {
  setObjectName(QStringLiteral("Horizontal"));
  setWindowTitle(QStringLiteral("Horizontal Alignment"));
  HorizontalData& h = project.Horizontal;
  auto* grid = new QGridLayout(this);
  int row = 0;
  auto line = [&](const char* label, const char* name, std::string* field) {
    QLabel* l = MakeLabel(this, label);
    QLineEdit* box = fields_.Text(this, name, field);
    grid->addWidget(l, row, 0);
    grid->addWidget(box, row, 1);
    ++row;
    return std::pair{l, box};
  };
  line("PI Station:", "PIStation", &h.PIStation);
  grid->addWidget(Heading(this, "Curve Data"), row++, 0, 1, 2);
  grid->addWidget(MakeLabel(this, "Direction:"), row, 0);
  auto [left, right] =
      fields_.Options(this, "Option1", "Left", &h.Option1, "Option2", "Right", &h.Option2);
  auto* dir = new QHBoxLayout;
  dir->addWidget(left);
  dir->addWidget(right);
  dir->addStretch();
  grid->addLayout(dir, row++, 1);
  line("Combined Delta:", "Delta", &h.Delta);
  // The degree of curve belongs to English projects only.
  auto [degreeLabel, degree] = line("Degree:", "Degree", &h.Degree);
  degreeLabel->setObjectName(QStringLiteral("lblDegree"));
  const bool english = project.MetricUnits == 0;
  degreeLabel->setEnabled(english);
  degree->setEnabled(english);
  line("Radius:", "Radius", &h.Radius);
  line("In Spiral Length:", "InSpiral", &h.InSpiral);
  line("Out Spiral Length:", "OutSpiral", &h.OutSpiral);
  line("Profile Offset:", "ProfOffset", &h.ProfOffset);
  grid->addWidget(MakeLabel(this, "(negative values for left)"), row++, 0, 1, 2);
  grid->addWidget(Heading(this, "Station Equation"), row++, 0, 1, 2);
  line("Back:", "Back", &h.Back);
  line("Ahead:", "Ahead", &h.Ahead);
  AddHideRow(this, grid, row, 2);
  fields_.Load();
}

}  // namespace kv
