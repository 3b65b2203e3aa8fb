// A bare Qt main window to hold the program's start-up against: a multiple-document
// area, the same menus, texts and shortcuts as the main window's with nothing behind
// them, and a status bar; with `listing`, also a child window holding a text area with
// both scroll bars, the part of the main window's first frame that costs the most.
#pragma once

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <memory>
#include <string>
#include <vector>

inline std::unique_ptr<QMainWindow> BareWindow(bool listing) {
  static const std::vector<std::vector<const char*>> menus = {
      {"&File", "&New", "Ctrl+N", "&Open", "Ctrl+O", "-", "", "&Save", "Ctrl+S", "Save &As...", "",
       "-", "", "Run", "", "-", "", "&Print...", "Ctrl+P", "-", "", "E&xit", ""},
      {"&Edit", "-", "", "&Copy from Output", "Ctrl+C"},
      {"&View", "&Toolbar", "", "Status &Bar", "", "-", "", "&Options...", ""},
      {"&Data Entry", "&Description", "", "&Horizontal Alignment", "", "&Vertical Alignment", "",
       "&Cross Slope and Transition Data", "", "&Reference Line", "", "&Girder Line", "",
       "&Bent Line", "", "D&ead Load", "", "R&oadway Approach", ""},
      {"&Help", "&Contents", "", "&Search For Help On...", "", "-", "", "&About Wexa_Kelvara...", ""}};
  auto w = std::make_unique<QMainWindow>();
  w->setWindowTitle(QStringLiteral("Bare"));
  auto* mdi = new QMdiArea;
  w->setCentralWidget(mdi);
  for (const auto& m : menus) {
    QMenu* menu = w->menuBar()->addMenu(QString::fromLatin1(m[0]));
    for (std::size_t i = 1; i + 1 < m.size(); i += 2) {
      if (std::string(m[i]) == "-") {
        menu->addSeparator();
      } else {
        menu->addAction(QString::fromLatin1(m[i]))
            ->setShortcut(QKeySequence(QString::fromLatin1(m[i + 1])));
      }
    }
  }
  w->statusBar()->showMessage(QStringLiteral("Ready"));
  w->resize(433, 433);
  if (listing) {
    auto* text = new QPlainTextEdit(QStringLiteral("Geometry Output Display"));
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QMdiSubWindow* sub = mdi->addSubWindow(text);
    sub->resize(453, 453);
    sub->show();
  }
  return w;
}
