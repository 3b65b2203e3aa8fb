// The "&Help" menu: the help document in the program's own help window, at its
// contents or at its search page, and the About dialog.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

class QLabel;
class QPalette;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTextBrowser;

namespace kv {

class frmMain;

inline constexpr const char* kNoHelpText =
    "Unable to display Help Contents. There is no Help associated with this project.";

// One topic of the help document: its page and its title in the contents.
struct HelpTopic {
  QString file;   // file name beside the contents page
  QString title;
};

// The topics the contents page links to, in its order, each page once.
std::vector<HelpTopic> HelpTopicsOf(const QString& contentsHtml);

// The help document's style sheet for a palette: the file's own rules, then its colours
// taken from the palette (text on base, accents mixed from them), so a page reads in a
// dark palette as well as in a light one.
QString HelpStyleSheet(const QString& fileCss, const QPalette& palette);

// The help window: contents and search on the left, the page on the right. One per
// main window, made on first use and only hidden afterwards.
class frmHelp : public QWidget {
  Q_OBJECT

 public:
  explicit frmHelp(QWidget* parent);

  // Reads the document whose contents page is indexPath; false, with the reason, when
  // it cannot be read.
  bool Load(const QString& indexPath, QString* error);
  void ShowContents();
  void ShowSearch();
  // Titles of the topics holding every word of the text, in contents order.
  QStringList Search(const QString& text) const;
  const std::vector<HelpTopic>& Topics() const { return topics_; }
  // The topic with this title, the words of the search marked.
  void OpenTopic(const QString& title);

  QTabWidget* Tabs;
  QListWidget* lstContents;
  QLineEdit* txtSearch;
  QLabel* lblFound;
  QListWidget* lstTopics;
  QPushButton* cmdBack;
  QPushButton* cmdForward;
  QPushButton* cmdHome;
  QTextBrowser* Browser;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // A new palette (a dark theme chosen while the window is open) restyles the page.
  void changeEvent(QEvent* event) override;

 private:
  void ListTopics();
  void Present();

  void ApplyStyle();

  QString folder_;
  QString index_;
  QString fileCss_;
  std::vector<HelpTopic> topics_;
  QStringList plain_;  // text of each topic, for the search
};

// "&Contents" and "&Search For Help On...".
void ShowHelpContents(frmMain& main);
void ShowHelpSearch(frmMain& main);
// "&About Wexa_Kelvara...": frmAbout, modal over the main window.
void ShowAbout(frmMain& main);

// Connects the three "&Help" entries.
void InstallHelp(frmMain& main);

}  // namespace kv
