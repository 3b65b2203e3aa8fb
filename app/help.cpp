#include "app/help.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>
#include <set>

#include "app/frm_about.h"
#include "app/frm_main.h"

namespace kv {

namespace {

QString PlainText(const QString& html) {
  QTextDocument doc;
  doc.setHtml(html);
  return doc.toPlainText();
}

bool ReadText(const QString& path, QString* text, QString* error) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    if (error != nullptr) {
      *error = QStringLiteral("Unable to open the help document %1: %2")
                   .arg(QDir::toNativeSeparators(path), f.errorString());
    }
    return false;
  }
  *text = QString::fromUtf8(f.readAll());
  return true;
}

QStringList Words(const QString& text) {
  return text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QRegularExpression WordPattern(const QString& word) {
  return QRegularExpression(QStringLiteral("\\b") + QRegularExpression::escape(word) +
                                QStringLiteral("\\b"),
                            QRegularExpression::CaseInsensitiveOption);
}

// The words next to each other, as a label or a message has them.
QRegularExpression PhrasePattern(const QStringList& words) {
  QStringList escaped;
  for (const QString& w : words) escaped << QRegularExpression::escape(w);
  return QRegularExpression(QStringLiteral("\\b") + escaped.join(QStringLiteral("\\s+")) +
                                QStringLiteral("\\b"),
                            QRegularExpression::CaseInsensitiveOption);
}

}  // namespace

std::vector<HelpTopic> HelpTopicsOf(const QString& contentsHtml) {
  static const QRegularExpression link(
      QStringLiteral("<a\\s+href=\"([^\"#:]+\\.html)\"[^>]*>(.*?)</a>"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  std::vector<HelpTopic> topics;
  std::set<QString> seen;
  for (auto it = link.globalMatch(contentsHtml); it.hasNext();) {
    const auto m = it.next();
    const QString file = m.captured(1);
    if (file.compare(QLatin1String("index.html"), Qt::CaseInsensitive) == 0) continue;
    if (!seen.insert(file).second) continue;
    topics.push_back({file, PlainText(m.captured(2)).simplified()});
  }
  return topics;
}

frmHelp::frmHelp(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("frmHelp"));
  setWindowTitle(QStringLiteral("Wexa_Kelvara Help"));
  if (parent != nullptr) {
    setWindowIcon(parent->windowIcon());
    // The main window's end closes the help with it.
    parent->installEventFilter(this);
  }

  Tabs = new QTabWidget;
  Tabs->setObjectName(QStringLiteral("Tabs"));
  lstContents = new QListWidget;
  lstContents->setObjectName(QStringLiteral("lstContents"));
  lstContents->setWordWrap(true);
  lstContents->setSpacing(1);
  lstContents->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Tabs->addTab(lstContents, QStringLiteral("&Contents"));

  auto* search = new QWidget;
  auto* sv = new QVBoxLayout(search);
  auto* prompt = new QLabel(QStringLiteral("&Type the word or words to find:"));
  txtSearch = new QLineEdit;
  txtSearch->setObjectName(QStringLiteral("txtSearch"));
  txtSearch->setClearButtonEnabled(true);
  prompt->setBuddy(txtSearch);
  lblFound = new QLabel;
  lblFound->setObjectName(QStringLiteral("lblFound"));
  lblFound->setWordWrap(true);
  lstTopics = new QListWidget;
  lstTopics->setObjectName(QStringLiteral("lstTopics"));
  lstTopics->setWordWrap(true);
  lstTopics->setSpacing(1);
  lstTopics->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  sv->addWidget(prompt);
  sv->addWidget(txtSearch);
  sv->addWidget(lblFound);
  sv->addWidget(lstTopics, 1);
  Tabs->addTab(search, QStringLiteral("&Search"));

  auto button = [](const char* name, const char* text) {
    auto* b = new QPushButton(QString::fromLatin1(text));
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
  };
  cmdHome = button("cmdHome", "C&ontents Page");
  cmdBack = button("cmdBack", "&Back");
  cmdForward = button("cmdForward", "&Forward");
  Browser = new QTextBrowser;
  Browser->setObjectName(QStringLiteral("Browser"));
  Browser->setOpenExternalLinks(true);

  auto* page = new QWidget;
  auto* pv = new QVBoxLayout(page);
  pv->setContentsMargins(0, 0, 0, 0);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdHome);
  buttons->addWidget(cmdBack);
  buttons->addWidget(cmdForward);
  buttons->addStretch(1);
  pv->addLayout(buttons);
  pv->addWidget(Browser, 1);

  auto* split = new QSplitter(Qt::Horizontal);
  split->addWidget(Tabs);
  split->addWidget(page);
  split->setStretchFactor(1, 1);
  split->setSizes({290, 690});
  auto* outer = new QVBoxLayout(this);
  outer->addWidget(split);
  resize(1000, 700);

  cmdBack->setEnabled(false);
  cmdForward->setEnabled(false);
  connect(cmdHome, &QPushButton::clicked, this, [this] { Browser->setSource(QUrl::fromLocalFile(index_)); });
  connect(cmdBack, &QPushButton::clicked, Browser, &QTextBrowser::backward);
  connect(cmdForward, &QPushButton::clicked, Browser, &QTextBrowser::forward);
  connect(Browser, &QTextBrowser::backwardAvailable, cmdBack, &QPushButton::setEnabled);
  connect(Browser, &QTextBrowser::forwardAvailable, cmdForward, &QPushButton::setEnabled);
  connect(Browser, &QTextBrowser::sourceChanged, this, [this] {
    const QString title = Browser->documentTitle();
    setWindowTitle(title.isEmpty() || title.contains(QLatin1String("Help"))
                       ? QStringLiteral("Wexa_Kelvara Help")
                       : QStringLiteral("Wexa_Kelvara Help - ") + title);
  });
  connect(lstContents, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { OpenTopic(item->text()); });
  connect(lstContents, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { OpenTopic(item->text()); });
  connect(lstTopics, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { OpenTopic(item->text()); });
  connect(lstTopics, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { OpenTopic(item->text()); });
  connect(txtSearch, &QLineEdit::textChanged, this, &frmHelp::ListTopics);
  // Enter opens the first topic found.
  connect(txtSearch, &QLineEdit::returnPressed, this, [this] {
    if (lstTopics->count() > 0) OpenTopic(lstTopics->item(0)->text());
  });
}

bool frmHelp::Load(const QString& indexPath, QString* error) {
  QString html;
  if (!ReadText(indexPath, &html, error)) return false;
  index_ = QFileInfo(indexPath).absoluteFilePath();
  folder_ = QFileInfo(indexPath).absolutePath();
  topics_ = HelpTopicsOf(html);
  plain_.clear();
  lstContents->clear();
  for (const HelpTopic& t : topics_) {
    QString page;
    // A topic page that cannot be read is still listed; the search just skips it.
    plain_.append(ReadText(QDir(folder_).filePath(t.file), &page, nullptr) ? PlainText(page)
                                                                          : QString());
    lstContents->addItem(t.title);
  }
  // The page's own link to the style sheet is not followed by the browser; give it here,
  // with its colours from the palette.
  fileCss_.clear();
  ReadText(QDir(folder_).filePath(QStringLiteral("style.css")), &fileCss_, nullptr);
  ApplyStyle();
  Browser->setSearchPaths({folder_});
  if (Browser->source().isEmpty()) Browser->setSource(QUrl::fromLocalFile(index_));
  ListTopics();
  return true;
}

void frmHelp::ApplyStyle() {
  Browser->document()->setDefaultStyleSheet(HelpStyleSheet(fileCss_, Browser->palette()));
  if (!Browser->source().isEmpty()) Browser->reload();
}

void frmHelp::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::PaletteChange && !folder_.isEmpty()) ApplyStyle();
}

namespace {

// a and b mixed, t of the way from a to b.
QColor Mix(const QColor& a, const QColor& b, double t) {
  return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
                          float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

}  // namespace

QString HelpStyleSheet(const QString& fileCss, const QPalette& palette) {
  const QColor text = palette.color(QPalette::Text), base = palette.color(QPalette::Base);
  const QColor link = palette.color(QPalette::Link);
  auto hex = [](const QColor& c) { return c.name(QColor::HexRgb); };
  // Accents keep most of the text colour, so they read on the base whatever the theme.
  const QColor heading = Mix(text, link, 0.45), quiet = Mix(base, text, 0.7);
  const QColor rule = Mix(base, text, 0.4), shade = Mix(base, text, 0.1);
  const QColor note = Mix(base, QColor(0xff, 0xd5, 0x4f), 0.25), warn = Mix(base, QColor(0xe5, 0x73, 0x73), 0.25);
  const QColor code = Mix(text, QColor(0xb0, 0x60, 0x10), 0.3), msg = Mix(text, QColor(0xd0, 0x20, 0x20), 0.3);
  return fileCss + QStringLiteral(
                       "\nbody { color: %1; background-color: %2; }\n"
                       "h1, h2 { color: %3; }\n"
                       "code { color: %4; }\n"
                       ".msg { color: %5; }\n"
                       "th { background-color: %6; border: 1px solid %7; color: %1; }\n"
                       "td { border: 1px solid %7; }\n"
                       "p.nav { color: %8; }\n"
                       "p.note { background-color: %9; }\n"
                       "p.warn { background-color: %10; }\n")
                       .arg(hex(text), hex(base), hex(heading), hex(code), hex(msg), hex(shade), hex(rule),
                            hex(quiet), hex(note), hex(warn));
}

QStringList frmHelp::Search(const QString& text) const {
  const QStringList words = Words(text);
  QStringList phrase, found;
  if (words.isEmpty()) return found;
  // Topics with the words as one phrase come first, then those with all of them anywhere.
  const QRegularExpression together = PhrasePattern(words);
  for (size_t i = 0; i < topics_.size(); ++i) {
    bool all = true;
    for (const QString& w : words) all = all && plain_[int(i)].contains(WordPattern(w));
    if (!all) continue;
    (plain_[int(i)].contains(together) ? phrase : found).append(topics_[i].title);
  }
  return phrase + found;
}

void frmHelp::ListTopics() {
  const QStringList found = Search(txtSearch->text());
  lstTopics->clear();
  lstTopics->addItems(found);
  if (Words(txtSearch->text()).isEmpty()) {
    lblFound->setText(QStringLiteral("Type a word, such as a field's name or a label, to list the topics that hold it."));
  } else if (found.isEmpty()) {
    lblFound->setText(QStringLiteral("No topic holds that word."));
  } else {
    lblFound->setText(found.size() == 1 ? QStringLiteral("1 topic found:")
                                        : QStringLiteral("%1 topics found:").arg(found.size()));
  }
  if (!found.isEmpty()) lstTopics->setCurrentRow(0);
}

void frmHelp::OpenTopic(const QString& title) {
  for (const HelpTopic& t : topics_) {
    if (t.title != title) continue;
    Browser->setSource(QUrl::fromLocalFile(QDir(folder_).filePath(t.file)));
    // Mark the first place of the searched word, when the search tab led here.
    const QStringList words = Words(txtSearch->text());
    if (Tabs->currentIndex() == 1 && !words.isEmpty()) {
      Browser->moveCursor(QTextCursor::Start);
      if (!Browser->find(PhrasePattern(words))) Browser->find(WordPattern(words.first()));
    }
    return;
  }
}

void frmHelp::Present() {
  show();
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

void frmHelp::ShowContents() {
  Tabs->setCurrentIndex(0);
  Browser->setSource(QUrl::fromLocalFile(index_));
  Present();
  lstContents->setFocus();
}

void frmHelp::ShowSearch() {
  Tabs->setCurrentIndex(1);
  Present();
  txtSearch->selectAll();
  txtSearch->setFocus();
}

bool frmHelp::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parent() && event->type() == QEvent::Close) close();
  return QWidget::eventFilter(watched, event);
}

namespace {

frmHelp* HelpWindow(frmMain& main) {
  auto* w = main.findChild<frmHelp*>(QString(), Qt::FindDirectChildrenOnly);
  return w != nullptr ? w : new frmHelp(&main);
}

void ShowHelp(frmMain& main, bool search) {
  MessageBoxes* messages = main.platform().messages;
  if (main.HelpFile.isEmpty() || !QFileInfo::exists(main.HelpFile)) {
    if (messages != nullptr) {
      messages->Show(&main, main.windowTitle(), QString::fromLatin1(kNoHelpText),
                     MessageIcon::Information);
    }
    return;
  }
  frmHelp* help = HelpWindow(main);
  QString error;
  if (!help->Load(main.HelpFile, &error)) {
    if (messages != nullptr) messages->Show(&main, QString::fromLatin1(kProgramTitle), error);
    return;
  }
  if (search) {
    help->ShowSearch();
  } else {
    help->ShowContents();
  }
}

}  // namespace

void ShowHelpContents(frmMain& main) { ShowHelp(main, false); }
void ShowHelpSearch(frmMain& main) { ShowHelp(main, true); }

void ShowAbout(frmMain& main) {
  auto* about = new frmAbout(main);
  about->setAttribute(Qt::WA_DeleteOnClose);
  // Modal to the whole program: no post-processor dialog can start a run behind it.
  about->setWindowModality(Qt::ApplicationModal);
  about->show();
}

void InstallHelp(frmMain& main) {
  main.SetMenuHandler(MenuHook::HelpContents, [&main] { ShowHelpContents(main); });
  main.SetMenuHandler(MenuHook::HelpSearch, [&main] { ShowHelpSearch(main); });
  main.SetMenuHandler(MenuHook::HelpAbout, [&main] { ShowAbout(main); });
}

}  // namespace kv
