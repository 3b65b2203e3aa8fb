#include "inputfile/description_editor.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kv {

Description::Description(Project& project, QWidget* parent) : EditorWindow(project, parent) {
  setObjectName(QStringLiteral("Description"));
  setWindowTitle(QStringLiteral("Description"));
  DescriptionData& d = project.Description;
  auto* grid = new QGridLayout(this);
  int row = 0;
  auto line = [&](const char* label, const char* name, std::string* field) {
    grid->addWidget(MakeLabel(this, label), row, 0);
    grid->addWidget(fields_.Text(this, name, field), row, 1);
    ++row;
  };
  line("Structure ID:", "StructureID", &d.StructureID);
  grid->addWidget(MakeLabel(this, "Units:"), row, 0);
  // Picking a units button switches the project's units at once; held values stay.
  auto [metric, english] = fields_.Options(this, "Option1", "Metric", &d.Option1, "Option2",
                                           "English", &d.Option2,
                                           [this](bool first) { SetUnits(this->project(), first); });
  auto* units = new QHBoxLayout;
  units->addWidget(metric);
  units->addWidget(english);
  units->addStretch();
  grid->addLayout(units, row++, 1);
  line("Project Number:", "ProjNum", &d.ProjNum);
  line("Subaccount:", "SubAcc", &d.SubAcc);
  line("Designer:", "Designer", &d.Designer);
  line("Detailer:", "Detailer", &d.Detailer);
  line("Location:", "Location", &d.Location);
  grid->addWidget(MakeLabel(this, "General Description:"), row++, 0, 1, 2);
  QPlainTextEdit* gen = fields_.MultiText(this, "GenDesc", &d.GenDesc);
  gen->setMinimumSize(420, 120);
  grid->addWidget(gen, row++, 0, 1, 2);
  AddHideRow(this, grid, row, 2);
  fields_.Load();
}

}  // namespace kv
