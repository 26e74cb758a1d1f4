#pragma once
// How the program reads numbers out of texts and writes them back.

#include <QString>

namespace app {

// The leading-number rule: the longest leading part of the text that forms a
// decimal number (blanks anywhere ignored, optional sign, digits with at most
// one decimal point, optional exponent). Empty or non-numeric text gives 0.
double leadingNumber(const QString& text);
// True when the text (blanks ignored) begins with a number.
bool startsWithNumber(const QString& text);

// Shortest general decimal: at most 15 significant digits, no trailing
// zeros, no thousands separators (3, 2.5, 0.75, 7.35).
QString generalNumber(double value);
// A percentage rounded to two decimals, written as generalNumber plus "%".
QString percentText(double value);
// Rounds to two decimals as "#0.00" formatting does.
double roundTo2(double value);

} // namespace app
