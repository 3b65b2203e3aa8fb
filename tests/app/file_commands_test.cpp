// File New, Open, Save and Save As, Print and Copy, through scripted seams.
#include <gtest/gtest.h>

#include <QTextCursor>

#include "app/frm_document.h"
#include "shell_fakes.h"

namespace kv {
namespace {

using testing::FileBytes;
using testing::ReadFresh;
using testing::Shell;
using testing::Slurp;

const QString kEnglish = KV_TEST_DATA "/bridge_english.dat";
const QString kMetricTitle = KV_TEST_DATA "/metric_title_only.dat";

TEST(FileCommands, DialogOfEachCommandCancellingAndSaveWithoutAName) {
  const std::pair<const char*, QStringList> cases[] = {
      {"mnuFileNew", {"open", "Open New File", "All Files (*.dat)|*.dat", ""}},
      {"mnuFileOpen", {"open", "", "Geometry Input Files (*.dat)|*.dat", ""}},
      {"mnuFileSaveAs", {"save", "", "Kelvara input (*.dat)|*.dat", ""}},
  };
  for (const auto& [action, call] : cases) {
    SCOPED_TRACE(action);
    Shell s;
    s.window->project().Description.StructureID = "HELD";
    s.Action(action)->trigger();  // cancelled: nothing changes
    ASSERT_EQ(s.dialogs.calls.size(), 1u);
    EXPECT_EQ(s.dialogs.calls[0], call);
    EXPECT_TRUE(s.window->CurrentInputFile.isEmpty() && s.messages.texts.isEmpty());
    EXPECT_EQ(s.window->project().Description.StructureID, "HELD");
    EXPECT_TRUE(QDir(s.dir.path()).entryList(QDir::Files).isEmpty());
    s.Action("mnuFileSave")->trigger();
    EXPECT_EQ(s.messages.texts, QStringList{"No file specified for output."});
    EXPECT_EQ(s.messages.titles, QStringList{"Wexa_Kelvara"});
  }
  Shell s;  // the dialog keeps the last name chosen
  s.dialogs.answers = {s.Path("first.dat"), "", ""};
  s.window->mnuFileNew_Click();
  s.window->mnuFileOpen_Click();
  s.window->mnuFileSaveAs_Click();
  EXPECT_EQ(s.dialogs.calls[1][3], s.Path("first.dat"));
  EXPECT_EQ(s.dialogs.calls[2][3], s.Path("first.dat"));
}

TEST(FileCommands, NewAndSaveAsNameTheFileSaveWrites) {
  Shell s;
  const QString renamed = s.Path("renamed.dat"), copy = s.Path("copy.dat");
  s.dialogs.answers = {kEnglish, renamed, copy, s.Path("no/such/folder/x.dat")};
  s.window->mnuFileOpen_Click();
  s.window->project().Description.StructureID = "NEWNAME";
  s.Action("mnuFileNew")->trigger();
  EXPECT_EQ(s.window->CurrentInputFile, renamed);
  EXPECT_FALSE(QFile::exists(renamed)) << "New creates no file";
  s.Action("mnuFileSave")->trigger();
  Project expected = ReadFresh(kEnglish);
  expected.Description.StructureID = "NEWNAME";
  EXPECT_EQ(Slurp(renamed).substr(0, 12), "00NEWNAME   ");
  EXPECT_EQ(Slurp(renamed), FileBytes(expected));
  s.Action("mnuFileSaveAs")->trigger();
  EXPECT_EQ(s.window->CurrentInputFile, copy);
  EXPECT_EQ(Slurp(copy), FileBytes(expected));
  s.window->project().Description.StructureID = "AGAIN";
  s.window->mnuFileSave_Click();  // Save goes on writing to the new name
  EXPECT_EQ(Slurp(copy).substr(0, 7), "00AGAIN");
  EXPECT_EQ(Slurp(renamed).substr(0, 9), "00NEWNAME");
  s.window->mnuFileSaveAs_Click();  // a write error ends without a message
  EXPECT_TRUE(s.messages.texts.isEmpty());
  EXPECT_FALSE(QFile::exists(s.Path("no/such/folder/x.dat")));
}

// Bad codes and hostile files, with every editor created: the warnings come in order,
// an unreadable file changes nothing, and the next Open and Save behave as on a fresh start.
TEST(FileCommands, OpenShowsEachWarningAndLeavesTheProgramWorking) {
  const std::string english = FileBytes(ReadFresh(kEnglish));
  QStringList files{KV_TEST_DATA "/bad_codes.dat"}, badCodes;
  ReadFresh(files[0], &badCodes);
  ASSERT_GE(badCodes.size(), 2);
  for (const QString& n : QDir(KV_TEST_DATA "/hostile").entryList({"*.dat"}, QDir::Files, QDir::Name))
    files << KV_TEST_DATA "/hostile/" + n;
  ASSERT_GE(files.size(), 11);
  for (const QString& file : files) {
    SCOPED_TRACE(file.toStdString());
    testing::RealShell s;
    for (int f = 0; f < kFormCount; ++f) s.window->editors().Ensure(Form(f));
    QStringList warnings;
    const std::string read = FileBytes(ReadFresh(file, &warnings));
    s.dialogs.answers = {file, s.Path("missing.dat"), kEnglish, s.Path("saved.dat")};
    s.Action("mnuFileOpen")->trigger();
    EXPECT_EQ(s.messages.texts, warnings);
    EXPECT_EQ(s.messages.titles, QStringList(QList<QString>(warnings.size(), "Wexa_Kelvara")));
    EXPECT_EQ(FileBytes(s.window->project()), read);
    s.window->mnuFileOpen_Click();  // cannot be read
    EXPECT_EQ(FileBytes(s.window->project()), read);
    s.window->mnuFileOpen_Click();
    EXPECT_EQ(s.messages.texts, warnings);
    s.window->mnuFileSaveAs_Click();
    EXPECT_EQ(Slurp(s.Path("saved.dat")), english);
  }
}

TEST(FileCommands, OpenOfASecondFileLeavesNothingOfTheFirst) {
  Project inherited = ReadFresh(kEnglish);  // read over the first file, the second inherits
  ReadInputFile(QFile::encodeName(kMetricTitle).toStdString(), inherited, {});
  const Project second = ReadFresh(kMetricTitle);
  ASSERT_NE(FileBytes(inherited), FileBytes(second));

  Shell s(true);
  s.window->OpenEditor(Form::Vert);        // shown
  s.window->editors().Ensure(Form::Bent);  // hidden
  for (const QString& file : {kEnglish, kMetricTitle}) {
    s.dialogs.answers = {file};
    s.window->mnuFileOpen_Click();
    const Project expected = ReadFresh(file);
    for (int i = 0; i < kFormCount; ++i)
      EXPECT_EQ(s.Action(kFormMenuNames[i])->isChecked(), expected.marked[i]) << kFormMenuNames[i];
  }
  EXPECT_EQ(FileBytes(s.window->project()), FileBytes(second));
  EXPECT_EQ(s.window->project().marked, second.marked);
  EXPECT_EQ(s.window->project().MetricUnits, 1);
  EXPECT_TRUE(s.Action("mnuFormDesc")->isChecked());
  EXPECT_FALSE(s.Action("mnuFormVert")->isChecked()) << "the second file has no vertical record";
  for (Form f : {Form::Vert, Form::Bent})
    EXPECT_EQ(static_cast<testing::FakeEditor*>(s.Editor(f))->refreshes, 2) << kEditorWindowNames[int(f)];
  EXPECT_EQ(s.Editor(Form::Gird), nullptr) << "Open creates no editor";
}

TEST(Print, EachCopyIsAJobOfTheWholeText) {
  const QString text = "LINE ONE\nLINE TWO\n\nLAST";
  for (std::optional<int> copies : {std::optional<int>(3), std::optional<int>(1), std::optional<int>()}) {
    Shell s;
    s.window->Output()->setPlainText(text);
    s.printer.copies = copies;
    s.Action("mnuFilePrint")->trigger();
    EXPECT_EQ(s.printer.dialogs, 1);
    EXPECT_EQ(s.printer.font, "Courier 8");
    EXPECT_TRUE(s.printer.landscape);
    EXPECT_EQ(s.printer.jobs, QStringList(QList<QString>(copies.value_or(0), text)));
  }
}

TEST(Copy, ClipboardGetsTheSelectedText) {
  const struct {
    int from, to;  // in "Geometry Output Display\nsecond line"
    const char* expected;
  } cases[] = {{0, 0, ""}, {9, 15, "Output"}, {16, 30, "Display\nsecond"}, {5, 5, ""}};
  for (const auto& c : cases) {
    Shell s;
    ListingText* out = s.window->Output();
    out->setPlainText("Geometry Output Display\nsecond line");
    QTextCursor cur = out->textCursor();
    cur.setPosition(c.from);
    cur.setPosition(c.to, QTextCursor::KeepAnchor);
    out->setTextCursor(cur);
    s.Action("mnuEditCopy")->trigger();
    EXPECT_EQ(s.clipboard.sets, 1);
    EXPECT_EQ(s.clipboard.text, c.expected) << c.from << "-" << c.to;
  }
}

}  // namespace
}  // namespace kv
