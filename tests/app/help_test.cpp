// "&Help": the help window at its contents and its search page, the messages when the
// help document is missing or unreadable, About, and System Info.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>
#include <map>
#include <set>

#include "app/frm_about.h"
#include "app/help.h"
#include "app/system_info.h"
#include "kv_version.h"
#include "shell_fakes.h"

namespace kv {
namespace {

using testing::Shell;

struct HelpShell : Shell {
  HelpShell() { InstallHelp(*window); }
  void Choose(const char* action) { Action(QString::fromLatin1(action))->trigger(); }
  frmHelp* Help() const { return window->findChild<frmHelp*>(); }
  template <class T>
  T* Top() const {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* t = qobject_cast<T*>(w); t != nullptr && t->isVisible()) return t;
    return nullptr;
  }
};

TEST(Help, BothEntriesOpenTheOneHelpWindowAtTheirPage) {
  HelpShell s;
  ASSERT_TRUE(QFileInfo::exists(s.window->HelpFile)) << s.window->HelpFile.toStdString();
  struct Case {
    const char* action;
    int tab;
    const char* focus;
  };
  for (const Case& c : {Case{"mnuHelpSearch", 1, "txtSearch"}, Case{"mnuHelpContents", 0, "lstContents"},
                        Case{"mnuHelpSearch", 1, "txtSearch"}}) {
    s.Choose(c.action);
    frmHelp* help = s.Help();
    ASSERT_NE(help, nullptr) << c.action;
    EXPECT_EQ(s.window->findChildren<frmHelp*>().size(), 1);
    EXPECT_TRUE(help->isVisible());
    EXPECT_FALSE(help->isModal());
    EXPECT_EQ(help->Tabs->currentIndex(), c.tab) << c.action;
    ASSERT_NE(help->focusWidget(), nullptr) << c.action;
    EXPECT_EQ(help->focusWidget()->objectName(), c.focus) << c.action;
  }
  EXPECT_EQ(s.Help()->Browser->source().fileName(), "index.html");
  EXPECT_TRUE(s.messages.texts.isEmpty());
  // The main window's end takes the help window along.
  s.window->close();
  EXPECT_FALSE(s.Help()->isVisible());
}

TEST(Help, MissingDocumentIsToldWithTheMainCaptionAndTheInformationIcon) {
  for (const char* entry : {"mnuHelpContents", "mnuHelpSearch"}) {
    for (bool empty : {true, false}) {
      HelpShell s;
      s.window->HelpFile = empty ? QString() : s.Path("help/index.html");
      s.Choose(entry);
      ASSERT_EQ(s.messages.texts, QStringList{kNoHelpText}) << entry;
      EXPECT_EQ(s.messages.titles, QStringList{"Wexa Kelvara"});
      EXPECT_EQ(s.messages.icons, std::vector<MessageIcon>{MessageIcon::Information});
      EXPECT_EQ(s.Help(), nullptr);
    }
  }
}

TEST(Help, UnreadableDocumentShowsWhyAndNoWindow) {
  HelpShell s;
  s.window->HelpFile = s.dir.path();  // a folder: there, but no page to read
  s.Choose("mnuHelpContents");
  ASSERT_EQ(s.messages.texts.size(), 1);
  EXPECT_TRUE(s.messages.texts[0].startsWith("Unable to open the help document")) << s.messages.texts[0].toStdString();
  EXPECT_EQ(s.messages.titles, QStringList{"Wexa_Kelvara"});
  EXPECT_EQ(s.messages.icons, std::vector<MessageIcon>{MessageIcon::None});
  EXPECT_TRUE(s.Help() == nullptr || !s.Help()->isVisible());
}

TEST(Help, EveryTopicOfTheContentsIsThere) {
  HelpShell s;
  s.Choose("mnuHelpContents");
  const auto& topics = s.Help()->Topics();
  EXPECT_EQ(topics.size(), 17u);
  EXPECT_EQ(s.Help()->lstContents->count(), int(topics.size()));
  for (const HelpTopic& t : topics) {
    EXPECT_TRUE(QFileInfo::exists(QFileInfo(s.window->HelpFile).dir().filePath(t.file))) << t.file.toStdString();
  }
}

TEST(Help, SearchListsTheTopicsHoldingTheWord) {
  HelpShell s;
  s.Choose("mnuHelpSearch");
  frmHelp* help = s.Help();
  struct Case {
    const char* words;
    const char* in;      // a topic that must be listed
    const char* notIn;   // one that must not
  };
  const Case cases[] = {
      {"PIStation", "Horizontal Alignment", "Vertical Alignment"},
      {"pisTA2", "Vertical Alignment", "Horizontal Alignment"},
      {"OverSta", "Cross-Slope and Transition Data", "Dead Load"},
      {"RevLayoutLine", "Reference Line", "Girder Line"},
      {"Combo3", "Girder Line", "Bent Line"},
      {"Text8", "Bent Line", "Girder Line"},
      {"Text14", "Dead Load", "Bent Line"},
      {"BegStr", "Roadway Approaches", "Dead Load"},
      {"GenDesc", "Description", "Reference Line"},
      {"GirderSelect", "Post-Processors: Camber, Stick Figure, Project Coordinates", "Girder Line"},
      {"Insert Row", "Working in the Grids", "Roadway Approaches"},
  };
  for (const Case& c : cases) {
    help->txtSearch->clear();
    QTest::keyClicks(help->txtSearch, QString::fromLatin1(c.words));
    QStringList listed;
    for (int i = 0; i < help->lstTopics->count(); ++i) listed << help->lstTopics->item(i)->text();
    EXPECT_TRUE(listed.contains(c.in)) << c.words << ": " << listed.join(", ").toStdString();
    EXPECT_FALSE(listed.contains(c.notIn)) << c.words;
    EXPECT_EQ(listed, help->Search(c.words));
  }
  // Topics with the words as a phrase come first.
  ASSERT_FALSE(help->Search("station   IS on").isEmpty());
  EXPECT_EQ(help->Search("station   IS on").first(), "Reference Line");
  // Whole words only: PISta is not found inside PISta1 or PISta2.
  EXPECT_EQ(help->Search("PISta"), QStringList{});
  help->txtSearch->setText("nosuchwordanywhere");
  EXPECT_EQ(help->lstTopics->count(), 0);
  EXPECT_EQ(help->lblFound->text(), "No topic holds that word.");
  // Enter opens the first topic found.
  help->txtSearch->setText("OverSta");
  QTest::keyClick(help->txtSearch, Qt::Key_Return);
  EXPECT_EQ(help->Browser->source().fileName(), "crossslope.html");
  EXPECT_TRUE(help->Browser->textCursor().selectedText().compare("OverSta", Qt::CaseInsensitive) == 0);
}

TEST(Help, TopicsAreTheLocalPagesTheContentsLinksTo) {
  const auto topics = HelpTopicsOf(
      "<a href=\"a.html\">First <b>one</b></a> <a href=\"index.html\">Contents</a>"
      "<A HREF=\"b.html\" class=x>Second</A><a href=\"a.html\">again</a>"
      "<a href=\"a.html#part\">anchor</a><a href=\"https://x.org/c.html\">web</a>");
  ASSERT_EQ(topics.size(), 2u);
  EXPECT_EQ(topics[0].file, "a.html");
  EXPECT_EQ(topics[0].title, "First one");
  EXPECT_EQ(topics[1].file, "b.html");
  EXPECT_EQ(topics[1].title, "Second");
}

TEST(About, TextsButtonsAndOk) {
  HelpShell s;
  s.Choose("mnuHelpAbout");
  QPointer<frmAbout> about = s.Top<frmAbout>();
  ASSERT_FALSE(about.isNull());
  EXPECT_TRUE(about->isModal());
  EXPECT_EQ(about->parentWidget(), s.window.get());
  EXPECT_EQ(about->windowTitle(), "About Wexa_Kelvara");
  EXPECT_EQ(about->lblTitle->text(), "Wexa_Kelvara");
  EXPECT_TRUE(about->lblDisclaimer->text().startsWith(QStringLiteral("Version ") + KV_VERSION));
  EXPECT_TRUE(about->lblDisclaimer->text().contains("checked by the designer"));
  EXPECT_FALSE(about->picIcon->pixmap().isNull());
  EXPECT_EQ(about->cmdOK->text(), "OK");
  EXPECT_EQ(about->cmdSysInfo->text(), "&System Info...");
  QTest::mouseClick(about->cmdOK, Qt::LeftButton);
  EXPECT_TRUE(about.isNull() || !about->isVisible());
}

#ifndef Q_OS_WIN
TEST(About, SystemInfoOpensTheSystemInformationWindow) {
  HelpShell s;
  s.window->ProgramFolder = "/opt/kv";
  s.Choose("mnuHelpAbout");
  frmAbout* about = s.Top<frmAbout>();
  ASSERT_NE(about, nullptr);
  QTest::mouseClick(about->cmdSysInfo, Qt::LeftButton);
  frmSysInfo* info = s.Top<frmSysInfo>();
  ASSERT_NE(info, nullptr);
  EXPECT_TRUE(info->isModal());
  std::map<QString, QString> rows;
  QStringList names;
  for (int i = 0; i < info->lstInfo->topLevelItemCount(); ++i) {
    names << info->lstInfo->topLevelItem(i)->text(0);
    rows[names.back()] = info->lstInfo->topLevelItem(i)->text(1);
  }
  for (const char* n : {"Operating system", "System version", "Kernel", "CPU architecture", "Memory", "Screen",
                        "Logical DPI", "Qt version", "Program folder", "Settings file"})
    EXPECT_TRUE(names.contains(n)) << n;
  EXPECT_TRUE(rows["Qt version"].startsWith(qVersion()));
  EXPECT_EQ(rows["Program folder"], "/opt/kv");
  EXPECT_EQ(rows["Settings file"], s.settings->fileName());
  EXPECT_FALSE(rows["Kernel"].trimmed().isEmpty());
  QTest::mouseClick(info->cmdCopy, Qt::LeftButton);
  EXPECT_TRUE(s.clipboard.text.contains(QStringLiteral("Qt version: ") + qVersion()));
  QTest::mouseClick(info->cmdClose, Qt::LeftButton);
  EXPECT_FALSE(info->isVisible());
  EXPECT_TRUE(s.messages.texts.isEmpty());
}
#endif

QByteArray Utf16(const QString& s) {
  return QByteArray(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
}

TEST(SystemInfo, RegistryValueRules) {
  const QByteArray dword("\xF4\x01\x00\x00", 4);
  struct Case {
    RegistryRead read;
    std::optional<QString> text;
  };
  const Case cases[] = {
      {{true, RegistryType::String, Utf16(QStringLiteral("C:\\Tools\\msinfo32.exe"))}, "C:\\Tools\\msinfo32.exe"},
      {{true, RegistryType::String, Utf16(QStringLiteral("C:\\A")) + QByteArray(2, '\0') + Utf16("junk")}, "C:\\A"},
      {{true, RegistryType::ExpandString, Utf16(QStringLiteral("%X%\\B")) + QByteArray(2, '\0')}, "%X%\\B"},
      {{true, RegistryType::String, QByteArray()}, ""},
      {{true, RegistryType::Dword, dword}, "&h1F4"},
      {{true, RegistryType::Dword, QByteArray(4, '\0')}, "&h0"},
      {{true, RegistryType::Dword, QByteArray("\xFF\xFF\xFF\xFF", 4)}, "&hFFFFFFFF"},
      {{true, RegistryType::Dword, QByteArray(2, '\1')}, std::nullopt},
      {{true, RegistryType::Other, Utf16("x")}, std::nullopt},
      {{false, RegistryType::String, Utf16("x")}, std::nullopt},
      {{true, RegistryType::String, Utf16(QString(kRegistryBufferChars, QLatin1Char('a')))},
       QString(kRegistryBufferChars, QLatin1Char('a'))},
      {{true, RegistryType::String, Utf16(QString(kRegistryBufferChars + 1, QLatin1Char('a')))}, std::nullopt},
  };
  int i = 0;
  for (const Case& c : cases) EXPECT_EQ(RegistryValueText(c.read), c.text) << "case " << i++;
}

class FakeRegistry : public Registry {
 public:
  RegistryRead Read(const QString& key, const QString& value) override {
    reads << key + QLatin1Char('|') + value;
    auto it = values.find(key + QLatin1Char('|') + value);
    return it == values.end() ? RegistryRead{} : RegistryRead{true, RegistryType::String, Utf16(it->second)};
  }
  std::map<QString, QString> values;
  QStringList reads;
};

class FakeStarter : public ProgramStarter {
 public:
  bool Start(const QString& program, const QStringList& args, WindowStyle style) override {
    started << program;
    EXPECT_TRUE(args.isEmpty());
    EXPECT_EQ(style, WindowStyle::NormalFocus);
    return works;
  }
  QStringList started;
  bool works = true;
};

TEST(SystemInfo, ToolFromTheRegistryOrUnavailable) {
  const QString msinfo = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH";
  const QString location = "SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO";
  struct Case {
    std::map<QString, QString> values;
    std::set<QString> files;
    bool starts;
    const char* started;  // nullptr: the unavailable message
  };
  const Case cases[] = {
      {{{msinfo, "C:\\P\\msinfo32.exe"}, {location, "C:\\L"}}, {}, true, "C:\\P\\msinfo32.exe"},
      {{{location, "C:\\L"}}, {"C:\\L\\MSINFO32.EXE"}, true, "C:\\L\\MSINFO32.EXE"},
      {{{location, "C:\\L"}}, {}, true, nullptr},
      {{}, {"C:\\L\\MSINFO32.EXE"}, true, nullptr},
      {{{msinfo, "C:\\P\\msinfo32.exe"}}, {}, false, "C:\\P\\msinfo32.exe"},
  };
  for (const Case& c : cases) {
    FakeRegistry registry;
    registry.values = c.values;
    FakeStarter starter;
    starter.works = c.starts;
    testing::FakeMessages messages;
    Platform platform;
    platform.starter = &starter;
    platform.messages = &messages;
    RunSystemInfoTool(platform, registry, nullptr, [&](const QString& p) { return c.files.count(p) > 0; });
    EXPECT_EQ(registry.reads.first(), msinfo);
    if (c.started != nullptr) EXPECT_EQ(starter.started, QStringList{c.started});
    const bool told = c.started == nullptr || !c.starts;
    EXPECT_EQ(messages.texts, told ? QStringList{kNoSystemInfoText} : QStringList{});
  }
}

TEST(SystemInfo, MemoryFromMeminfo) {
  EXPECT_EQ(MemoryText("MemTotal:       16384000 kB\nMemFree: 1 kB\nMemAvailable:    8192000 kB\n"),
            "15.6 GB total, 7.8 GB available");
  EXPECT_EQ(MemoryText("MemTotal: 1048576 kB\n"), "1.0 GB total");
  EXPECT_EQ(MemoryText("nothing here"), "");
}

}  // namespace
}  // namespace kv
