// How the main window reads the values of skytuner.ini: every reader applies its
// own default, and no value in the file can stop the program from starting.
#pragma once

#include <QString>

#include <optional>

namespace PlayerSettings {

// The number a settings text holds: blanks around it, a sign, a decimal separator
// (the user's or ".") and an exponent are accepted. Empty for anything else,
// including NaN and infinities.
std::optional<double> NumericValue(const QString& text);

// The number as a signed 16-bit whole number (halves to the even neighbour);
// empty when it is not numeric or does not fit.
std::optional<int> Int16Value(const QString& text);

// Flags are on only for exactly "1".
bool Flag(const QString& text);

// "volume": 0..100, else 50.
int Volume(const QString& text);

// "balance": -100..100, else 0.
int Balance(const QString& text);

} // namespace PlayerSettings
