// The recovery copy: which edits tell the project changed, the copy a few moments
// after one, offered once after a run that ended without its closing sequence, and
// gone after a normal end, a refusal, or a Save that holds the same bytes.
#include <QFileInfo>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>

#include "app/recovery.h"
#include "shell_fakes.h"

namespace kv {
namespace {

using testing::FileBytes;
using testing::RealShell;
using testing::Slurp;

const QString kEnglish = KV_TEST_DATA "/bridge_english.dat";

// Typing, a pick, a grid cell and a row button each tell their window's Edited once
// or more; showing the project anew (File Open) tells nothing.
TEST(RecoveryCopy, EditsOfEveryKindAreNoticed) {
  RealShell s;
  const struct { Form form; const char* widget; bool click; } edits[] = {
      {Form::Desc, "StructureID", false}, {Form::Desc, "Option1", true}, {Form::Gird, "AddRecord", true},
      {Form::Bent, "Text4", false}, {Form::Cross, "OverSta", false}};
  for (const auto& e : edits) {
    SCOPED_TRACE(e.widget);
    s.window->OpenEditor(e.form);
    QWidget* w = s.Editor(e.form)->findChild<QWidget*>(e.widget);
    ASSERT_NE(w, nullptr);
    QSignalSpy spy(s.Editor(e.form), &EditorWindow::Edited);
    if (e.click) QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(4, w->height() / 2));
    else QTest::keyClicks(w, "7");
    EXPECT_GE(spy.count(), 1);
    spy.clear();
    s.dialogs.answers = {kEnglish};
    s.window->mnuFileOpen_Click();
    EXPECT_EQ(spy.count(), 0);
  }
}

TEST(RecoveryCopy, KeptAfterACrashOfferedOnceAndGoneAfterANormalEnd) {
  QTemporaryDir data;
  const QString folder = data.filePath("recovery");
  std::string edited;
  QString copy;
  {  // an edit, then the program dies without its closing sequence
    RealShell s;
    s.dialogs.answers = {kEnglish};
    s.window->mnuFileOpen_Click();
    RecoveryCopy recovery(*s.window, folder, 50);
    EXPECT_FALSE(recovery.OfferLeftCopy());
    copy = recovery.CopyPath();
    s.window->OpenEditor(Form::Desc);
    QTest::keyClicks(s.Editor(Form::Desc)->findChild<QWidget*>("Designer"), "X");
    EXPECT_FALSE(QFile::exists(copy)) << "not at once";
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(copy); }, 3000));
    edited = FileBytes(s.window->project());
    EXPECT_EQ(Slurp(copy), edited);
    RealShell other;  // a second program running at once keeps a copy of its own
    EXPECT_NE(RecoveryCopy(*other.window, folder).CopyPath(), copy);
  }
  const QString made = QLocale().toString(QFileInfo(copy).lastModified(), QLocale::ShortFormat);
  {  // the next start offers it once; taken, it is the project with its file name
    RealShell s;
    s.messages.answers = {true};
    RecoveryCopy recovery(*s.window, folder);
    EXPECT_TRUE(recovery.OfferLeftCopy());
    EXPECT_EQ(s.messages.texts, QStringList("Wexa Kelvara did not end normally. A recovery copy of the project it "
                                            "held (" + QDir::toNativeSeparators(kEnglish) + "), made " + made +
                                            ", was kept.\n\nOpen the recovery copy?"));
    EXPECT_EQ(s.messages.titles, QStringList("Wexa_Kelvara"));
    EXPECT_TRUE(FileBytes(s.window->project()) == edited && s.window->CurrentInputFile == kEnglish);
    EXPECT_TRUE(s.Action("mnuFormDesc")->isChecked());
    s.window->close();  // a normal end
    EXPECT_FALSE(QFile::exists(copy));
  }
  for (const bool saved : {false, true}) {  // refused, or the file holds it already: removed, project untouched
    {
      RealShell s;
      s.dialogs.answers = {kEnglish, data.filePath("saved.dat")};
      s.window->mnuFileOpen_Click();
      s.window->project().Description.StructureID = "CHANGED";
      if (saved) s.window->mnuFileSaveAs_Click();
      RecoveryCopy(*s.window, folder).WriteNow();
    }
    RealShell s;
    RecoveryCopy recovery(*s.window, folder);
    EXPECT_FALSE(recovery.OfferLeftCopy());
    EXPECT_EQ(s.messages.texts.size(), saved ? 0 : 1);
    EXPECT_FALSE(QFile::exists(copy));
    EXPECT_TRUE(s.window->CurrentInputFile.isEmpty() && s.window->project().Description.StructureID.empty());
  }
}

}  // namespace
}  // namespace kv
