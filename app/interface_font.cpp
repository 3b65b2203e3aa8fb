#include "app/interface_font.h"

#include <QApplication>
#include <QFont>
#include <QFontInfo>
#include <QStringList>

namespace kv {

QFont InterfaceFont() {
  QFont f = QApplication::font();
  // The first family the system has wins; the style hint covers a system with none.
  f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Arimo"),
                 QStringLiteral("Helvetica")});
  f.setStyleHint(QFont::SansSerif);
  f.setPointSizeF(kInterfacePoints);
  return f;
}

QFont InterfaceNarrowFont() {
  QFont f = InterfaceFont();
  f.setFamilies({QStringLiteral("Liberation Sans Narrow"), QStringLiteral("Arial Narrow")});
  // Where neither is there, the regular face drawn narrower.
  if (!QFontInfo(f).family().contains(QLatin1String("Narrow"))) f = InterfaceFont(), f.setStretch(QFont::SemiCondensed);
  return f;
}

void UseInterfaceFont() { QApplication::setFont(InterfaceFont()); }

}  // namespace kv
