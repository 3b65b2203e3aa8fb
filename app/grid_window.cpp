#include "app/grid_window.h"

#include <QLabel>
#include <QPushButton>

#include "app/editor_widgets.h"
#include "app/settings.h"

namespace kv {

void GridWindow::BuildLabels() {
  setObjectName(QString::fromLatin1(layout_.name));
  setWindowTitle(QString::fromLatin1(layout_.title));
  setFixedSize(TwipsToPixels(layout_.clientWidth, logicalDpiX()), TwipsToPixels(layout_.clientHeight, logicalDpiY()));
  for (const GridLabel& h : layout_.labels) {
    auto* l = new QLabel(QString::fromLatin1(h.text), this);
    l->setObjectName(QString::fromLatin1(h.name));
    l->setAlignment(h.align);
    l->setWordWrap(h.wrap);
    PlaceTwips(l, h.left, h.top, h.width, h.height);
    if (h.small) {
      QFont small = l->font();
      small.setPointSizeF(small.pointSizeF() * 0.8);
      l->setFont(small);
    }
  }
}

void GridWindow::Finish() {
  QStringList names;
  for (const char* n : layout_.cellNames) names << QString::fromLatin1(n);
  binding_->Grid().SetColumnLabels(names);
  // The rows that the window starts with take their place in the Tab order as they are made.
  if (!layout_.buttonsFirstInTab) binding_->Refresh();
  for (const GridButton& b : layout_.buttons) {
    auto* button = new QPushButton(QString::fromLatin1(b.caption), this);
    button->setObjectName(QString::fromLatin1(b.name));
    PlaceTwips(button, b.left, b.top, b.width, b.height);
    switch (b.role) {
      case GridButton::Role::Add: connect(button, &QPushButton::clicked, this, &GridWindow::AddRecord_Click); break;
      case GridButton::Role::Insert: connect(button, &QPushButton::clicked, this, &GridWindow::Insert_Click); break;
      case GridButton::Role::Delete: connect(button, &QPushButton::clicked, this, &GridWindow::Delete_Click); break;
      case GridButton::Role::Hide: connect(button, &QPushButton::clicked, this, &EditorWindow::HideEditor); break;
    }
  }
  if (layout_.buttonsFirstInTab) binding_->Refresh();
}

void GridWindow::Refresh() { binding_->Refresh(); }

void GridWindow::AddRecord_Click() {
  if (!binding_->AddRow()) ShowMessage(QString::fromLatin1(layout_.fullMessage));
}

void GridWindow::Insert_Click() {
  if (!binding_->InsertRow()) ShowMessage(QString::fromLatin1(layout_.fullMessage));
}

void GridWindow::Delete_Click() { binding_->DeleteRow(); }

}  // namespace kv
