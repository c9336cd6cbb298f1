// locale_separators.cpp: separators read from the toolkit's locale.
#include "platform/locale_separators.h"

#include <QLocale>
#include <QString>

#include "base/cp1252.h"

namespace cbst {
namespace {

// The first character of `text` as one Windows-1252 byte. Spaces of any
// width (some locales group digits with a narrow no-break space) become a
// plain blank, as does anything the character set lacks.
char FirstCharacter(const QString& text, char fallback) {
  if (text.isEmpty()) return fallback;
  const QChar first = text.front();
  if (first.isSpace()) return ' ';
  const std::string bytes = Utf8ToCp1252(QString(first).toStdString(), ' ');
  return bytes.size() == 1 ? bytes[0] : ' ';
}

}  // namespace

Separators LocaleSeparators(const char* locale_name) {
  const QLocale locale = locale_name ? QLocale(QString::fromUtf8(locale_name)) : QLocale::system();
  Separators separators = CurrentSeparators();
  separators.thousands = FirstCharacter(locale.groupSeparator(), separators.thousands);
  separators.decimal = FirstCharacter(locale.decimalPoint(), separators.decimal);
  return separators;
}

}  // namespace cbst
