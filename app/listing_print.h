// Laying the listing out for the printer: a fixed-pitch font, lines that wrap at the
// page's width and pages that break when full.
#pragma once

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

class QPrinter;

namespace kv {

// Whether every character of the font takes the same width.
bool IsFixedPitch(const QFont& font);

// The named font at the given size; a fixed-pitch face of the system when the named
// one is missing or would not be fixed-pitch.
QFont FixedPitchFont(const QString& family, double points);

// The text's lines (CR LF, LF or CR end a line; tabs stop every 8 columns), each cut
// into pieces of at most `columns` characters, gathered into pages of `linesPerPage`.
// A text ending in a line break has no empty line after it.
QList<QStringList> PaginateListing(const QString& text, int columns, int linesPerPage);

// One print job of the whole text.
void PrintListing(QPrinter& printer, const QFont& font, const QString& text);

}  // namespace kv
