// File Open of a hostile file, with every editor created, leaves the program working:
// its warnings come as messages, and the next Open and Save behave as on a fresh start.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "app/editor_window.h"
#include "inputfile/input_file.h"
#include "shell_fakes.h"

namespace kv {
namespace {

std::string Bytes(const Project& p) {
  std::string out;
  for (const std::string& l : WriteProjectLines(p).lines) out += l + "\r\n";
  return out;
}

Project ReadFresh(const QString& path, QStringList* warnings) {
  Project p;
  ReadInputFile(QFile::encodeName(path).toStdString(), p,
                [&](const std::string& w) { warnings->append(QString::fromLatin1(w)); });
  return p;
}

TEST(HostileOpen, EachFileLeavesTheProgramWorking) {
  const QString english = QStringLiteral(KV_TEST_DATA "/bridge_english.dat");
  QStringList none;
  const std::string englishBytes = Bytes(ReadFresh(english, &none));
  const QStringList files =
      QDir(QStringLiteral(KV_TEST_DATA "/hostile")).entryList({"*.dat"}, QDir::Files, QDir::Name);
  ASSERT_GE(files.size(), 10);
  for (const QString& name : files) {
    SCOPED_TRACE(name.toStdString());
    const QString hostile = QStringLiteral(KV_TEST_DATA "/hostile/") + name;
    testing::Shell s;
    // The real editors, created and hidden, follow every read.
    s.window = std::make_unique<frmMain>(
        Platform{&s.dialogs, &s.messages, &s.printer, &s.clipboard, nullptr, &s.clock,
                 s.settings.get()});
    for (int f = 0; f < kFormCount; ++f) s.window->editors().Ensure(static_cast<Form>(f));

    QStringList warnings;
    const std::string hostileBytes = Bytes(ReadFresh(hostile, &warnings));
    s.dialogs.answers = {hostile};
    s.window->mnuFileOpen_Click();
    EXPECT_EQ(s.messages.texts, warnings);
    EXPECT_EQ(Bytes(s.window->project()), hostileBytes);

    s.messages.texts.clear();
    const QString saved = s.Path("saved.dat");
    s.dialogs.answers = {english, saved};
    s.window->mnuFileOpen_Click();
    EXPECT_EQ(s.messages.texts, QStringList{});
    s.window->mnuFileSaveAs_Click();
    QFile out(saved);
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    EXPECT_EQ(out.readAll().toStdString(), englishBytes);
  }
}

}  // namespace
}  // namespace kv
