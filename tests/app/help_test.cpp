// "&Help": the help window, its contents and search, the messages without a help
// document, About and System Info.

#include <QApplication>
#include <QListWidget>
#include <QPointer>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <map>
#include <set>

#include <QRegularExpression>
#include "app/frm_about.h"
#include "app/help.h"
#include "app/system_info.h"
#include "kv_version.h"
#include "shell_fakes.h"

namespace kv {
namespace {

struct HelpShell : testing::Shell {
  HelpShell() { InstallHelp(*window); }
  frmHelp* Help() const { return window->findChild<frmHelp*>(); }
  template <class T>
  T* Top() const {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* t = qobject_cast<T*>(w); t != nullptr && t->isVisible()) return t;
    return nullptr;
  }
};

TEST(Help, BothEntriesOpenTheOneWindowWithEveryTopicAndSearchListsTheTopicsHoldingTheWord) {
  HelpShell s;
  for (auto [action, tab, focus] : {std::tuple{"mnuHelpSearch", 1, "txtSearch"}, {"mnuHelpContents", 0, "lstContents"},
                                    {"mnuHelpSearch", 1, "txtSearch"}}) {
    s.Action(action)->trigger();
    ASSERT_EQ(s.window->findChildren<frmHelp*>().size(), 1) << action;
    frmHelp* help = s.Help();
    EXPECT_TRUE(help->isVisible() && !help->isModal() && help->Tabs->currentIndex() == tab) << action;
    EXPECT_EQ(help->focusWidget() ? help->focusWidget()->objectName() : "", focus) << action;
  }
  frmHelp* help = s.Help();
  EXPECT_TRUE(help->Browser->source().fileName() == "index.html" && s.messages.texts.isEmpty());
  // Every page of the document is a topic of the contents, and every topic a page.
  const QDir folder = QFileInfo(s.window->HelpFile).dir();
  QStringList pages = folder.entryList({"*.html"}, QDir::Files, QDir::Name), listed;
  pages.removeAll("index.html");
  for (const HelpTopic& t : help->Topics()) listed << t.file;
  listed.sort();
  EXPECT_EQ(listed, pages);
  EXPECT_EQ(help->lstContents->count(), pages.size());
  // Every link of every page leads to a page of the document (and to an anchor it has).
  QStringList broken;
  const QRegularExpression href("href=\"([^\"#]*)(#[^\"]*)?\"");
  for (const QString& page : pages + QStringList{"index.html"}) {
    QFile f(folder.filePath(page));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << page.toStdString();
    for (auto it = href.globalMatch(QString::fromUtf8(f.readAll())); it.hasNext();) {
      const auto m = it.next();
      if (m.captured(1).contains(':')) continue;  // a web address
      const QString target = m.captured(1).isEmpty() ? page : m.captured(1);
      QFile t(folder.filePath(target));
      const QString anchor = m.captured(2).mid(1);
      if (!t.open(QIODevice::ReadOnly) ||
          (!anchor.isEmpty() && !QString::fromUtf8(t.readAll()).contains("id=\"" + anchor + "\"")))
        broken << page + " -> " + target + m.captured(2);
    }
  }
  EXPECT_EQ(broken, QStringList());

  const std::tuple<const char*, const char*, const char*> cases[] = {  // words, a topic listed, one not
      {"PIStation", "Horizontal Alignment", "Vertical Alignment"},
      {"pisTA2", "Vertical Alignment", "Horizontal Alignment"},
      {"OverSta", "Cross-Slope and Transition Data", "Dead Load"}, {"RevLayoutLine", "Reference Line", "Girder Line"},
      {"Combo3", "Girder Line", "Bent Line"}, {"Text8", "Bent Line", "Girder Line"},
      {"Text14", "Dead Load", "Bent Line"},
      {"BegStr", "Roadway Approaches", "Dead Load"}, {"GenDesc", "Description", "Reference Line"},
      {"GirderSelect", "Post-Processors: Camber, Stick Figure, Project Coordinates", "Girder Line"},
      {"Insert Row", "Working in the Grids", "Roadway Approaches"},
      {"write error", "The kelvara Command-Line Tool", "Description"},
      {"status line", "The Column View and the Checks", "Description"},
      {"north arrow", "The Plan, Profile and Section Views", "Reference Line"},
      {"clothoid", "How the program reads the geometry", "Horizontal Alignment"},
  };
  for (const auto& [words, in, notIn] : cases) {
    help->txtSearch->clear();
    QTest::keyClicks(help->txtSearch, words);
    QStringList found;
    for (int i = 0; i < help->lstTopics->count(); ++i) found << help->lstTopics->item(i)->text();
    EXPECT_TRUE(found.contains(in) && !found.contains(notIn)) << words << ": " << found.join(", ").toStdString();
    EXPECT_EQ(found, help->Search(words));
  }
  EXPECT_EQ(help->Search("station   IS on").value(0), "Reference Line");  // a phrase first
  EXPECT_EQ(help->Search("PISta"), QStringList{});  // whole words only, not in PISta1 or PISta2
  help->txtSearch->setText("nosuchwordanywhere");
  EXPECT_EQ(help->lblFound->text() + QString::number(help->lstTopics->count()), "No topic holds that word.0");
  help->txtSearch->setText("OverSta");  // Enter opens the first topic found, the word marked
  QTest::keyClick(help->txtSearch, Qt::Key_Return);
  EXPECT_EQ(help->Browser->source().fileName() + " " + help->Browser->textCursor().selectedText().toLower(),
            "crossslope.html oversta");
  QStringList topics;  // the local pages the contents links to
  for (const HelpTopic& t : HelpTopicsOf("<a href=\"a.html\">First <b>one</b></a> <a href=\"index.html\">Contents</a>"
                                         "<A HREF=\"b.html\" class=x>Second</A><a href=\"a.html\">again</a>"
                                         "<a href=\"a.html#part\">anchor</a><a href=\"https://x.org/c.html\">web</a>"))
    topics << t.file + "=" + t.title;
  EXPECT_EQ(topics, (QStringList{"a.html=First one", "b.html=Second"}));
  s.window->close();  // the main window's end takes the help window along
  EXPECT_FALSE(help->isVisible());
}

TEST(Help, MissingOrUnreadableDocumentIsToldAndNoWindowShows) {
  for (const auto& [entry, unreadable] : {std::pair{"mnuHelpContents", false}, {"mnuHelpSearch", true}}) {
    SCOPED_TRACE(entry);
    HelpShell s;  // the document is not there, or is a folder
    s.window->HelpFile = unreadable ? s.dir.path() : s.dir.filePath("help/index.html");
    s.Action(entry)->trigger();
    ASSERT_EQ(s.messages.texts.size(), 1);
    EXPECT_EQ(s.messages.titles[0] + ": " + s.messages.texts[0].left(unreadable ? 32 : -1),
              unreadable ? "Wexa_Kelvara: Unable to open the help document"
                         : "Wexa Kelvara: " + QString(kNoHelpText));
    EXPECT_EQ(s.messages.icons, std::vector{unreadable ? MessageIcon::None : MessageIcon::Information});
    EXPECT_TRUE(s.Help() == nullptr || (unreadable && !s.Help()->isVisible()));
  }
}

TEST(About, TextsButtonsOkAndSystemInfo) {
  HelpShell s;
  s.window->ProgramFolder = "/opt/kv";
  for (bool ok : {true, false}) {
    s.Action("mnuHelpAbout")->trigger();
    QPointer<frmAbout> about = s.Top<frmAbout>();
    ASSERT_FALSE(about.isNull());
    // Modal to the whole program, so no post-processor dialog can start a run behind it.
    EXPECT_TRUE(about->windowModality() == Qt::ApplicationModal && about->parentWidget() == s.window.get());
    EXPECT_EQ((QStringList{about->windowTitle(), about->lblTitle->text(), about->cmdOK->text(),
                           about->cmdSysInfo->text()}),
              (QStringList{"About Wexa_Kelvara", "Wexa_Kelvara", "OK", "&System Info..."}));
    EXPECT_TRUE(about->lblDisclaimer->text().startsWith(QStringLiteral("Version ") + KV_VERSION) &&
                about->lblDisclaimer->text().contains("checked by the designer") && !about->picIcon->pixmap().isNull());
    QTest::mouseClick(ok ? about->cmdOK : about->cmdSysInfo, Qt::LeftButton);
    if (ok) { EXPECT_TRUE(about.isNull() || !about->isVisible()); }
#ifndef Q_OS_WIN
    if (ok) continue;
    frmSysInfo* info = s.Top<frmSysInfo>();
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->isModal());
    std::map<QString, QString> rows;
    for (int i = 0; i < info->lstInfo->topLevelItemCount(); ++i)
      rows[info->lstInfo->topLevelItem(i)->text(0)] = info->lstInfo->topLevelItem(i)->text(1);
    for (const char* n : {"Operating system", "System version", "Kernel", "CPU architecture", "Memory", "Screen",
                          "Logical DPI", "Qt version", "Program folder", "Settings file"})
      EXPECT_EQ(rows.count(n), 1u) << n;
    EXPECT_TRUE(rows["Qt version"].startsWith(qVersion()) && !rows["Kernel"].trimmed().isEmpty());
    EXPECT_EQ(rows["Program folder"] + "|" + rows["Settings file"], "/opt/kv|" + s.settings->fileName());
    QTest::mouseClick(info->cmdCopy, Qt::LeftButton);
    EXPECT_TRUE(s.clipboard.text.contains(QStringLiteral("Qt version: ") + qVersion()));
    QTest::mouseClick(info->cmdClose, Qt::LeftButton);
    EXPECT_TRUE(!info->isVisible() && s.messages.texts.isEmpty());
#endif
  }
}

QByteArray Utf16(const QString& s) { return QByteArray(reinterpret_cast<const char*>(s.utf16()), s.size() * 2); }

TEST(SystemInfo, RegistryValuesAndMemoryAsText) {
  const QString a(kRegistryBufferChars, QLatin1Char('a'));
  const std::pair<RegistryRead, std::optional<QString>> cases[] = {
      {{true, RegistryType::String, Utf16("C:\\Tools\\msinfo32.exe")}, "C:\\Tools\\msinfo32.exe"},
      {{true, RegistryType::String, Utf16("C:\\A") + QByteArray(2, '\0') + Utf16("junk")}, "C:\\A"},
      {{true, RegistryType::ExpandString, Utf16("%X%\\B") + QByteArray(2, '\0')}, "%X%\\B"},
      {{true, RegistryType::String, QByteArray()}, ""}, {{true, RegistryType::Dword, QByteArray("\xF4\x01\x00\x00", 4)}, "&h1F4"},
      {{true, RegistryType::Dword, QByteArray("\xFF\xFF\xFF\xFF", 4)}, "&hFFFFFFFF"},
      {{true, RegistryType::Dword, QByteArray(2, '\1')}, std::nullopt}, {{true, RegistryType::Other, Utf16("x")}, {}},
      {{false, RegistryType::String, Utf16("x")}, std::nullopt}, {{true, RegistryType::String, Utf16(a)}, a},
      {{true, RegistryType::String, Utf16(a + QLatin1Char('a'))}, {}},
  };
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(RegistryValueText(cases[i].first), cases[i].second) << i;
  EXPECT_EQ(MemoryText("MemTotal:       16384000 kB\nMemFree: 1 kB\nMemAvailable:    8192000 kB\n"),
            "15.6 GB total, 7.8 GB available");
  EXPECT_EQ(MemoryText("MemTotal: 1048576 kB\n"), "1.0 GB total");
  EXPECT_EQ(MemoryText("nothing here"), "");
}

// The registry's values and what was read and started, in one log.
struct FakeTool : Registry, ProgramStarter {
  RegistryRead Read(const QString& key, const QString& value) override {
    auto it = values.find(log.emplace_back(key + QLatin1Char('|') + value));
    return it == values.end() ? RegistryRead{} : RegistryRead{true, RegistryType::String, Utf16(it->second)};
  }
  bool Start(const QString& program, const QStringList& args, WindowStyle style) override {
    log << QStringLiteral("start %1 %2 %3").arg(program, args.join(',')).arg(int(style));
    return works;
  }
  std::map<QString, QString> values;
  QStringList log;
  bool works = true;
};

TEST(SystemInfo, ToolFromTheRegistryOrUnavailable) {
  const QString msinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH",
                location = "SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO";
  // What the registry holds, the files there, whether the tool starts; started empty: the unavailable message.
  const struct { std::map<QString, QString> values; std::set<QString> files; bool starts; QString started; } cases[] = {
      {{{msinfo, "C:\\P\\msinfo32.exe"}, {location, "C:\\L"}}, {}, true, "C:\\P\\msinfo32.exe"},
      {{{location, "C:\\L"}}, {"C:\\L\\MSINFO32.EXE"}, true, "C:\\L\\MSINFO32.EXE"},
      {{{location, "C:\\L"}}, {}, true, ""}, {{}, {"C:\\L\\MSINFO32.EXE"}, true, ""},
      {{{msinfo, "C:\\P\\msinfo32.exe"}}, {}, false, "C:\\P\\msinfo32.exe"},
  };
  for (const auto& c : cases) {
    FakeTool tool;
    tool.values = c.values, tool.works = c.starts;
    testing::FakeMessages messages;
    Platform platform;
    platform.starter = &tool, platform.messages = &messages;
    RunSystemInfoTool(platform, tool, nullptr, [&](const QString& p) { return c.files.count(p) > 0; });
    EXPECT_EQ(tool.log.value(0), msinfo);
    const QStringList start{"start " + c.started + "  " + QString::number(int(WindowStyle::NormalFocus))};
    EXPECT_EQ(tool.log.filter("start "), c.started.isEmpty() ? QStringList{} : start);
    EXPECT_EQ(messages.texts, c.started.isEmpty() || !c.starts ? QStringList{kNoSystemInfoText} : QStringList{});
  }
}

}  // namespace
}  // namespace kv
