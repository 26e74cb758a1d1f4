#pragma once
// How the program reads numbers out of texts and writes them back.

#include <QString>

#include <cmath>

namespace app {

// The leading-number rule: the longest leading part of the text that forms a
// decimal number (blanks anywhere ignored, optional sign, digits with at most
// one decimal point, optional exponent). Empty or non-numeric text gives 0.
double leadingNumber(const QString& text);
// False when the text's leading number is not finite ("1e309"); empty or
// non-numeric text reads as 0, which is.
bool leadingNumberIsFinite(const QString& text);
// True when the text (blanks ignored) begins with a number.
bool startsWithNumber(const QString& text);

// What the whole-number columns (INTEGER) hold.
inline constexpr double kIntColumnMin = -2147483648.0;
inline constexpr double kIntColumnMax = 2147483647.0;
// A job status is read as a 16-bit whole number.
inline constexpr double kStatusMin = -32768.0;
inline constexpr double kStatusMax = 32767.0;
// True when `value` is finite and from `low` to `high`.
bool isInRange(double value, double low, double high);
// True when `value` is a whole number from `low` to `high`.
bool isWholeInRange(double value, double low, double high);
// The box for a number out of range: "Check FIELD, it must be a number from
// LOW to HIGH."
QString rangeMessage(const QString& field, double low, double high);

// Shortest general decimal: at most 15 significant digits, no trailing
// zeros, no thousands separators (3, 2.5, 0.75, 7.35).
QString generalNumber(double value);
// A whole number of up to 15 digits: generalNumber writes its digits, and
// the leading-number rule reads them back as the same value.
inline bool printsWhole(double value)
{
    return std::fabs(value) < 1e15 && value == std::trunc(value);
}
// A percentage rounded to two decimals, written as generalNumber plus "%".
QString percentText(double value);
// Rounds to two decimals as "#0.00" formatting does.
double roundTo2(double value);

} // namespace app
