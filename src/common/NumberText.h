// Numbers in text: the "is it numeric" rule of station fields and settings, and
// the plain forms numbers are written in.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

#include <optional>

namespace NumberText {

// The number the text holds in the locale's notation: blanks around it, a sign,
// the decimal separator, an exponent (and group separators) are accepted. Empty
// text, anything else, and infinities or NaN give nothing.
std::optional<double> parse(QStringView text, const QLocale& locale = QLocale());

// A parsed number rounded to a whole number, halves to the even neighbour;
// nothing when the text is not numeric or the result does not fit the type.
std::optional<qint32> toInt32(QStringView text, const QLocale& locale = QLocale());
std::optional<qint16> toInt16(QStringView text, const QLocale& locale = QLocale());

// A single-precision value as text: up to 7 significant digits, "." as the
// decimal point, exponent form ("1.234568E+07") only when 7 digits do not hold it.
QString fromSingle(double value);

} // namespace NumberText
