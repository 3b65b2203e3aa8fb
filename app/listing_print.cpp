#include "app/listing_print.h"

#include <QFontDatabase>
#include <QHash>
#include <QPair>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

namespace kv {

bool IsFixedPitch(const QFont& font) {
  // Measured rather than asked: some monospaced faces do not declare themselves so.
  const QFontMetricsF m(font);
  const double w = m.horizontalAdvance(QLatin1Char('W'));
  return w > 0 && m.horizontalAdvance(QLatin1Char('i')) == w &&
         m.horizontalAdvance(QLatin1Char('.')) == w;
}

namespace {

QFont ResolveFixedPitchFont(const QString& family, double points) {
  QFont font(family);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPointSizeF(points);
  if (IsFixedPitch(font)) return font;
  QFont fallback = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  fallback.setPointSizeF(points);
  if (IsFixedPitch(fallback)) return fallback;
  fallback = QFont(QStringLiteral("Monospace"));
  fallback.setStyleHint(QFont::Monospace);
  fallback.setPointSizeF(points);
  return fallback;
}

}  // namespace

QFont FixedPitchFont(const QString& family, double points) {
  // Measuring faces is slow next to opening a window; each request is resolved once.
  static QHash<QPair<QString, double>, QFont> resolved;
  const QPair<QString, double> key(family, points);
  auto it = resolved.constFind(key);
  if (it == resolved.constEnd()) it = resolved.insert(key, ResolveFixedPitchFont(family, points));
  return *it;
}

namespace {

QString ExpandTabs(const QString& line) {
  if (!line.contains(QLatin1Char('\t'))) return line;
  QString out;
  for (QChar c : line) {
    if (c == QLatin1Char('\t')) {
      out.append(QString(8 - out.size() % 8, QLatin1Char(' ')));
    } else {
      out.append(c);
    }
  }
  return out;
}

}  // namespace

QList<QStringList> PaginateListing(const QString& text, int columns, int linesPerPage) {
  columns = std::max(columns, 1);
  linesPerPage = std::max(linesPerPage, 1);
  QString unified = text;
  unified.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QStringList lines = unified.split(QLatin1Char('\n'));
  if (lines.size() > 1 && lines.last().isEmpty()) lines.removeLast();

  QList<QStringList> pages;
  QStringList page;
  auto put = [&](const QString& printed) {
    if (page.size() == linesPerPage) {
      pages.append(page);
      page.clear();
    }
    page.append(printed);
  };
  for (const QString& raw : lines) {
    const QString line = ExpandTabs(raw);
    if (line.isEmpty()) put(line);
    for (qsizetype at = 0; at < line.size(); at += columns) put(line.mid(at, columns));
  }
  if (!page.isEmpty()) pages.append(page);
  return pages;
}

void PrintListing(QPrinter& printer, const QFont& font, const QString& text) {
  QPainter painter;
  if (!painter.begin(&printer)) return;
  painter.setFont(font);
  const QFontMetricsF metrics(painter.font(), &printer);
  const double charWidth = std::max(metrics.horizontalAdvance(QLatin1Char('M')), 1.0);
  const double lineHeight = std::max(metrics.lineSpacing(), 1.0);
  const int columns = static_cast<int>(std::floor(printer.width() / charWidth));
  const int rows = static_cast<int>(std::floor(printer.height() / lineHeight));
  const QList<QStringList> pages = PaginateListing(text, columns, rows);
  for (qsizetype p = 0; p < pages.size(); ++p) {
    if (p > 0) printer.newPage();
    for (qsizetype i = 0; i < pages[p].size(); ++i) {
      painter.drawText(QPointF(0, metrics.ascent() + static_cast<double>(i) * lineHeight), pages[p][i]);
    }
  }
  painter.end();
}

}  // namespace kv
