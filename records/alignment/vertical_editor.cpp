#include "records/alignment/vertical_editor.h"

#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kv {

Vertical::Vertical(Project& project, QWidget* parent) : EditorWindow(project, parent) {
  setObjectName(QStringLiteral("Vertical"));
  setWindowTitle(QStringLiteral("Vertical Alignment"));
  VerticalData& v = project.Vertical;
  auto* grid = new QGridLayout(this);
  grid->setHorizontalSpacing(12);
  struct Row {
    const char* label;
    const char* name;
    std::string* field;
  };
  // Two columns, one per curve; the first column is filled (and tabbed) before the second.
  const Row curves[2][5] = {
      {{"% Grade In:", "GradeIn", &v.GradeIn},
       {"In Length:", "InLength1", &v.InLength1},
       {"Out Length:", "OutLength1", &v.OutLength1},
       {"PI Station:", "PISta1", &v.PISta1},
       {"PI Elevation:", "PIElev1", &v.PIElev1}},
      {{"In Length:", "InLength2", &v.InLength2},
       {"Out Length:", "OutLength2", &v.OutLength2},
       {"PI Station:", "PISta2", &v.PISta2},
       {"PI Elevation:", "PIElev2", &v.PIElev2},
       {"% Grade Out:", "GradeOut", &v.GradeOut}}};
  const char* headings[2] = {"Vertical Curve #1", "Vertical Curve #2"};
  for (int c = 0; c < 2; ++c) {
    QLabel* heading = MakeLabel(this, headings[c]);
    QFont f = heading->font();
    f.setBold(true);
    heading->setFont(f);
    grid->addWidget(heading, 0, 2 * c, 1, 2);
    for (int r = 0; r < 5; ++r) {
      grid->addWidget(MakeLabel(this, curves[c][r].label), r + 1, 2 * c);
      grid->addWidget(fields_.Text(this, curves[c][r].name, curves[c][r].field), r + 1, 2 * c + 1);
    }
  }
  AddHideRow(this, grid, 6, 4);
  fields_.Load();
}

}  // namespace kv
