// File New, Open, Save and Save As, Print and Copy through scripted seams; the listing
// window, its text area and the listing's layout on paper.

#include <sys/stat.h>

#include <QClipboard>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QFileDialog>
#include <QTimer>
#include <QFontInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/listing_print.h"
#include "app/qt_platform.h"
#include "shell_fakes.h"

namespace kv {
namespace {

using testing::FileBytes;
using testing::ReadFresh;
using testing::Shell;
using testing::Slurp;

void Select(ListingText* out, int from, int to) {
  QTextCursor c = out->textCursor();
  c.setPosition(from), c.setPosition(to, QTextCursor::KeepAnchor), out->setTextCursor(c);
}

const QString kEnglish = KV_TEST_DATA "/bridge_english.dat";

const QString kMetricTitle = KV_TEST_DATA "/metric_title_only.dat";

TEST(FileCommands, CancelledSaveAsWritesNothingAndSaveWithoutANameIsTold) {
  Shell s;
  s.Action("mnuFileSaveAs")->trigger();
  EXPECT_TRUE(s.dialogs.calls.size() == 1 && s.window->CurrentInputFile.isEmpty() && s.messages.texts.isEmpty() &&
              QDir(s.dir.path()).isEmpty());
  s.Action("mnuFileSave")->trigger();
  EXPECT_EQ(s.messages.titles + s.messages.texts, (QStringList{"Wexa_Kelvara", "No file specified for output."}));
}

TEST(FileCommands, EachDialogNewAndSaveAsNameTheFileSaveWrites) {
  Shell s;
  const QString renamed = s.Path("renamed.dat"), copy = s.Path("copy.dat");
  s.dialogs.answers = {kEnglish, renamed, copy, s.Path("no/such/folder/x.dat")};
  s.window->mnuFileOpen_Click();
  s.window->project().Description.StructureID = "NEWNAME";
  s.Action("mnuFileNew")->trigger();
  EXPECT_TRUE(s.window->CurrentInputFile == renamed && !QFile::exists(renamed)) << "New names the file, creates none";
  s.Action("mnuFileSave")->trigger();
  Project expected = ReadFresh(kEnglish);
  expected.Description.StructureID = "NEWNAME";
  EXPECT_EQ(Slurp(renamed), FileBytes(expected));
  s.Action("mnuFileSaveAs")->trigger();
  EXPECT_EQ(s.window->CurrentInputFile, copy);
  EXPECT_EQ(Slurp(copy), FileBytes(expected));
  s.window->project().Description.StructureID = "AGAIN";
  s.window->mnuFileSave_Click();  // Save goes on writing to the new name
  EXPECT_EQ(Slurp(copy).substr(0, 7) + Slurp(renamed).substr(0, 9), "00AGAIN00NEWNAME");
  s.window->mnuFileSaveAs_Click();  // a write error is named with its reason
  EXPECT_EQ(s.messages.texts, QStringList("The project could not be saved to " +
                                          QDir::toNativeSeparators(s.Path("no/such/folder/x.dat")) +
                                          ": No such file or directory. The file there is as it was before."));
  EXPECT_FALSE(QFile::exists(s.Path("no/such/folder/x.dat")));
  EXPECT_EQ(s.dialogs.calls, (std::vector<QStringList>{  // each dialog starts at the last name chosen
                                {"open", "", "Geometry Input Files (*.dat)|*.dat", ""},
                                {"new", "Open New File", "All Files (*.dat)|*.dat", kEnglish},
                                {"save", "", "Kelvara input (*.dat)|*.dat", renamed},
                                {"save", "", "Kelvara input (*.dat)|*.dat", copy}}));
}

// Bad codes and hostile files, with every editor created: the warnings in order and
// the lines not read, a missing file named and changing nothing (not even the file
// Save writes to), the next Open and Save behave as on a fresh start.
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
    s.window->mnuFileOpen_Click();  // cannot be read: what the first one read stays
    EXPECT_EQ(FileBytes(s.window->project()), read);
    EXPECT_EQ(s.window->CurrentInputFile, file);
    warnings << QDir::toNativeSeparators(s.Path("missing.dat")) + " could not be opened: No such file or directory.";
    s.window->mnuFileOpen_Click();
    EXPECT_EQ(s.messages.texts, warnings);
    s.window->mnuFileSaveAs_Click();
    EXPECT_EQ(Slurp(s.Path("saved.dat")), english);
  }
}

// What is no input file is refused by name and reason, at once (a FIFO does not
// freeze the window), and the project and the file Save writes to stay.
TEST(FileCommands, OpenRefusesWhatIsNoInputFile) {
  Shell s;
  s.dialogs.answers = {kEnglish};
  s.window->mnuFileOpen_Click();
  const std::string held = FileBytes(s.window->project());
  ASSERT_EQ(::mkfifo(QFile::encodeName(s.Path("fifo.dat")).constData(), 0600), 0);
  QDir(s.dir.path()).mkdir("folder.dat");
  QFile utf16(s.Path("utf16.dat"));
  ASSERT_TRUE(utf16.open(QIODevice::WriteOnly) && utf16.write(QByteArray("\xFF\xFE" "0\0" "0\0", 6)) == 6);
  utf16.close();
  const std::pair<QString, QString> cases[] = {
      {s.Path("fifo.dat"), "Not a regular file"}, {s.Path("folder.dat"), "Is a directory"},
      {s.Path("utf16.dat"), kUtf16Text}};
  for (const auto& [file, reason] : cases) {
    s.dialogs.answers = {file};
    s.messages.texts.clear();
    s.window->mnuFileOpen_Click();
    EXPECT_EQ(s.messages.texts, QStringList(QDir::toNativeSeparators(file) + " could not be opened: " + reason + "."));
    EXPECT_TRUE(FileBytes(s.window->project()) == held && s.window->CurrentInputFile == kEnglish);
  }
}

TEST(FileCommands, OpenOfASecondFileLeavesNothingOfTheFirst) {
  const Project second = ReadFresh(kMetricTitle);
  Shell s(true);
  s.window->OpenEditor(Form::Vert);        // shown
  s.window->editors().Ensure(Form::Bent);  // hidden
  // The check marks stay: those of opened editors and of earlier reads.
  std::array<bool, kFormCount> marks{};
  marks[int(Form::Vert)] = true;
  for (const QString& file : {kEnglish, kMetricTitle}) {
    s.dialogs.answers = {file};
    s.window->mnuFileOpen_Click();
    const Project expected = ReadFresh(file);
    for (int i = 0; i < kFormCount; ++i) {
      marks[i] = marks[i] || expected.marked[i];
      EXPECT_EQ(s.Action(kFormMenuNames[i])->isChecked(), marks[i]) << kFormMenuNames[i];
    }
  }
  EXPECT_EQ(FileBytes(s.window->project()), FileBytes(second));
  EXPECT_TRUE(s.window->project().marked == marks && s.window->project().MetricUnits == 1);
  for (Form f : {Form::Vert, Form::Bent})
    EXPECT_EQ(static_cast<testing::FakeEditor*>(s.Editor(f))->refreshes, 2) << kEditorWindowNames[int(f)];
  EXPECT_EQ(s.Editor(Form::Gird), nullptr) << "Open creates no editor";
}

TEST(FileCommands, PrintMakesAJobPerCopyAndCopyTakesTheSelection) {
  const QString text = "LINE ONE\nLINE TWO\n\nLAST";
  for (std::optional<int> copies : {std::optional<int>(3), std::optional<int>(1), std::optional<int>()}) {
    Shell s;
    s.window->Output()->setPlainText(text), s.printer.copies = copies;
    s.Action("mnuFilePrint")->trigger();
    EXPECT_TRUE(s.printer.dialogs == 1 && s.printer.font == "Courier 8" && s.printer.landscape);
    EXPECT_EQ(s.printer.jobs, QStringList(QList<QString>(copies.value_or(0), text)));
  }
  const std::tuple<int, int, const char*> selections[] = {
      {0, 0, ""}, {9, 15, "Output"}, {16, 30, "Display\nsecond"}, {5, 5, ""}};
  for (const auto& [from, to, expected] : selections) {
    Shell s;
    s.window->Output()->setPlainText("Geometry Output Display\nsecond line");
    Select(s.window->Output(), from, to);
    s.Action("mnuEditCopy")->trigger();
    EXPECT_EQ(QStringList({QString::number(s.clipboard.sets), s.clipboard.text}), QStringList({"1", expected}));
  }
}

TEST(Listing, IsTheOneChildWindowHoldsTypingToItsLimitAndFollowsTheMainWindowsSize) {
  Shell s;
  s.window->show();
  const auto subs = s.window->findChild<QMdiArea*>()->subWindowList();
  ASSERT_EQ(subs.size(), 1);
  EXPECT_EQ(subs[0]->widget()->objectName(), "frmDocument");
  ListingText* out = subs[0]->widget()->findChild<ListingText*>("Output");
  ASSERT_EQ(out, s.window->Output());
  EXPECT_EQ(out->toPlainText(), "Geometry Output Display");
  EXPECT_TRUE(out->lineWrapMode() == QPlainTextEdit::NoWrap && out->font().pointSizeF() == 7.5 &&
              out->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn &&
              out->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn);
  EXPECT_TRUE(IsFixedPitch(out->font())) << QFontInfo(out->font()).family().toStdString();
  EXPECT_TRUE(IsFixedPitch(FixedPitchFont("Courier", 8)));
  out->setPlainText(QString(64998, 'x'));
  out->moveCursor(QTextCursor::End);
  QTest::keyClicks(out, "abcd");
  QTest::keyClick(out, Qt::Key_Return);
  EXPECT_TRUE(out->Length() == 65000 && out->toPlainText().endsWith("xab"));
  Select(out, 0, 3);  // a selection makes room for what replaces it; a paste is cut to the room
  QGuiApplication::clipboard()->setText("12345");
  out->paste();
  EXPECT_TRUE(out->Length() == 65000 && out->toPlainText().startsWith("123xx"));
  QList<int> lengths;  // after a Backspace, typing with the limit lifted, text the program sets (never cut)
  QTest::keyClick(out, Qt::Key_Backspace), lengths << out->Length();
  out->SetMaxLength(0), QTest::keyClicks(out, "more"), lengths << out->Length();
  out->SetMaxLength(65000), out->setPlainText(QString(70000, 'y')), lengths << out->Length();
  EXPECT_EQ(lengths, QList<int>({64999, 65003, 70000}));
  const double dpi = s.window->screen()->logicalDotsPerInchX();
  auto px = [dpi](int w, int h) { return QSize(TwipsToPixels(w, dpi), TwipsToPixels(h, dpi)); };
  for (QSize z : {QSize(600, 500), QSize(900, 300)}) {
    s.window->resize(z);
    EXPECT_EQ(subs[0]->size(), z + px(300, 300));
    EXPECT_EQ(out->size(), z - px(150, 1200));
  }
  const QSize frame = subs[0]->size(), text = out->size();
  subs[0]->resize(150, 120);  // resizing the listing window leaves its text area alone
  EXPECT_EQ(out->size(), text);
  subs[0]->resize(frame);
  s.window->showMinimized();  // nothing changes while minimized
  s.window->resize(200, 200);
  EXPECT_EQ(QList({subs[0]->size(), out->size()}), QList({frame, text}));
}

// At the default size with both bars on, the whole text area, its scroll bars included,
// shows above the status bar; and the listing window cannot be closed, by any means.
TEST(ListingWindow, ShowsWholeAtTheDefaultSizeAndStaysUntilTheEnd) {
  Shell s;
  s.window->show();
  QMdiArea* area = s.window->findChild<QMdiArea*>();
  const QRect text(s.window->Output()->mapTo(area, QPoint()), s.window->Output()->size());
  EXPECT_TRUE(area->rect().contains(text)) << text.bottom() << " below " << area->rect().bottom();
  QMdiSubWindow* frame = area->subWindowList().at(0);
  EXPECT_EQ(frame->systemMenu(), nullptr);
  frame->close();
  area->closeAllSubWindows();
  QCoreApplication::processEvents();
  EXPECT_EQ(area->subWindowList(), QList<QMdiSubWindow*>({frame}));
  EXPECT_TRUE(frame->isVisible() && s.window->Output()->isVisible());
}

// An empty file, or one that cannot be read, leaves the project, its rows and the check
// marks as they were; Save As then writes the project held.
TEST(FileCommands, OpenOfAnEmptyOrUnreadableFileChangesNothing) {
  testing::RealShell s;
  const QString empty = s.Path("empty.dat");
  QFile(empty).open(QIODevice::WriteOnly);
  s.dialogs.answers = {kEnglish, empty, s.Path("missing.dat"), s.Path("copy.dat")};
  s.Action("mnuFileOpen")->trigger();
  s.window->OpenEditor(Form::Gird);
  const std::string held = FileBytes(s.window->project());
  const auto marks = s.window->project().marked;
  for (int i = 0; i < 2; ++i) s.Action("mnuFileOpen")->trigger();
  s.Action("mnuFileSaveAs")->trigger();
  EXPECT_EQ(Slurp(s.Path("copy.dat")), held);
  EXPECT_TRUE(s.window->project().marked == marks && s.Action("mnuFormGird")->isChecked());
}

// New takes the name of a file that does not exist yet: the real dialog, typed into.
TEST(FileCommands, NewAcceptsANameThatDoesNotExistYet) {
  QtPlatform real;
  Shell s;
  const QString name = s.Path("brand new.dat");
  QString title, filters;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    QTest::qWait(200);  // the dialog reads its folder first
    title = dialog->windowTitle(), filters = dialog->nameFilters().join(";;");
    auto* box = dialog->findChild<QLineEdit*>("fileNameEdit");
    box->clear(), QTest::keyClicks(box, name);
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open)->click();
    if (dialog->isVisible()) dialog->reject();  // refused: the test fails below, without hanging
  });
  const QString chosen = real.Get().dialogs->NewFileName(s.window.get(), "Open New File", "All Files (*.dat)|*.dat", {});
  EXPECT_EQ((QStringList{chosen, title, filters}), (QStringList{name, "Open New File", "All Files (*.dat)"}));
  EXPECT_FALSE(QFile::exists(name));
}

TEST(PrintLayout, LinesWrapPagesBreakAndFiltersInQtsForm) {
  const struct { const char* text; int columns, rows; QList<QStringList> pages; } cases[] = {
      {"ABCDEFGH", 3, 10, {{"ABC", "DEF", "GH"}}}, {"ONE\r\nTWO\r\n", 10, 10, {{"ONE", "TWO"}}},
      {"A\n\nB\rC", 10, 2, {{"A", ""}, {"B", "C"}}}, {"123456\n7", 3, 2, {{"123", "456"}, {"7"}}},
      {"a\tb", 20, 5, {{"a       b"}}},            {"", 5, 5, {{""}}},
  };
  for (const auto& c : cases) EXPECT_EQ(PaginateListing(c.text, c.columns, c.rows), c.pages) << c.text;
  const std::pair<const char*, const char*> filters[] = {{"All Files (*.dat)|*.dat", "All Files (*.dat)"},
                                                         {"Listings|*.lis|All|*.*", "Listings (*.lis);;All (*.*)"},
                                                         {"Input|*.dat;*.txt", "Input (*.dat *.txt)"}};
  for (const auto& [ours, qt] : filters) EXPECT_EQ(QtFileFilter(ours), qt) << ours;
}

}  // namespace
}  // namespace kv
