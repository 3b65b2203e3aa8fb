// The listing window and its text area, and the listing's layout on paper.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QFontInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include "app/frm_document.h"
#include "app/listing_print.h"
#include "app/qt_platform.h"
#include "app/settings.h"
#include "shell_fakes.h"

namespace kv {
namespace {

TEST(Listing, IsTheOneChildWindowAndFollowsTheMainWindowsSize) {
  testing::Shell s;
  s.window->show();
  const auto subs = s.window->findChild<QMdiArea*>()->subWindowList();
  ASSERT_EQ(subs.size(), 1);
  EXPECT_EQ(subs[0]->widget()->objectName(), "frmDocument");
  ListingText* out = subs[0]->widget()->findChild<ListingText*>("Output");
  ASSERT_EQ(out, s.window->Output());
  EXPECT_EQ(out->toPlainText(), "Geometry Output Display");
  EXPECT_EQ(out->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(out->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(out->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_DOUBLE_EQ(out->font().pointSizeF(), 7.5);
  EXPECT_TRUE(IsFixedPitch(out->font())) << QFontInfo(out->font()).family().toStdString();
  EXPECT_TRUE(IsFixedPitch(FixedPitchFont("Courier", 8)));

  const double dpi = s.window->screen()->logicalDotsPerInchX();
  for (QSize z : {QSize(600, 500), QSize(900, 300)}) {
    s.window->resize(z);
    EXPECT_EQ(subs[0]->size(), z + QSize(TwipsToPixels(300, dpi), TwipsToPixels(300, dpi)));
    EXPECT_EQ(out->size(), z - QSize(TwipsToPixels(150, dpi), TwipsToPixels(1200, dpi)));
  }
  const QSize frame = subs[0]->size(), text = out->size();
  subs[0]->resize(150, 120);  // resizing the listing window leaves its text area alone
  EXPECT_EQ(out->size(), text);
  subs[0]->resize(frame);
  s.window->showMinimized();  // nothing changes while minimized
  s.window->resize(200, 200);
  EXPECT_EQ(subs[0]->size(), frame);
  EXPECT_EQ(out->size(), text);
}

TEST(Listing, TypingAndPastingStopAtTheLimitUntilItIsLifted) {
  testing::Shell s;
  s.window->show();
  ListingText* out = s.window->Output();
  EXPECT_EQ(out->MaxLength(), 65000);
  out->setPlainText(QString(64998, 'x'));
  out->moveCursor(QTextCursor::End);
  QTest::keyClicks(out, "abcd");
  QTest::keyClick(out, Qt::Key_Return);
  EXPECT_EQ(out->Length(), 65000);
  EXPECT_TRUE(out->toPlainText().endsWith("xab"));
  // A selection makes room for what replaces it; a paste is cut to the room.
  QTextCursor c = out->textCursor();
  c.setPosition(0);
  c.setPosition(3, QTextCursor::KeepAnchor);
  out->setTextCursor(c);
  QGuiApplication::clipboard()->setText("12345");
  out->paste();
  EXPECT_EQ(out->Length(), 65000);
  EXPECT_TRUE(out->toPlainText().startsWith("123xx"));
  QTest::keyClick(out, Qt::Key_Backspace);
  EXPECT_EQ(out->Length(), 64999);
  out->SetMaxLength(0);  // lifted
  QTest::keyClicks(out, "more");
  EXPECT_EQ(out->Length(), 65003);
  out->SetMaxLength(65000);  // text the program sets is not cut
  out->setPlainText(QString(70000, 'y'));
  EXPECT_EQ(out->Length(), 70000);
}

TEST(PrintLayout, LinesWrapAndPagesBreak) {
  const struct {
    const char* text;
    int columns, rows;
    QList<QStringList> pages;
  } cases[] = {
      {"ABCDEFGH", 3, 10, {{"ABC", "DEF", "GH"}}}, {"ONE\r\nTWO\r\n", 10, 10, {{"ONE", "TWO"}}},
      {"A\n\nB\rC", 10, 2, {{"A", ""}, {"B", "C"}}}, {"123456\n7", 3, 2, {{"123", "456"}, {"7"}}},
      {"a\tb", 20, 5, {{"a       b"}}},            {"", 5, 5, {{""}}},
  };
  for (const auto& c : cases) EXPECT_EQ(PaginateListing(c.text, c.columns, c.rows), c.pages) << c.text;
}

TEST(PrintLayout, DialogFiltersInQtsForm) {
  const std::pair<const char*, const char*> cases[] = {
      {"All Files (*.dat)|*.dat", "All Files (*.dat)"},
      {"Listings|*.lis|All|*.*", "Listings (*.lis);;All (*.*)"},
      {"Input|*.dat;*.txt", "Input (*.dat *.txt)"}};
  for (const auto& [ours, qt] : cases) EXPECT_EQ(QtFileFilter(ours), qt) << ours;
}

}  // namespace
}  // namespace kv
