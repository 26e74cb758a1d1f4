#include "app/numtext.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace app {

namespace {

// Returns the longest numeric prefix of s (blanks already removed).
QString numericPrefix(const QString& s)
{
    int i = 0;
    const int n = s.size();
    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        ++i;
    int digits = 0;
    while (i < n && s[i].isDigit() && s[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < n && s[i] == u'.') {
        int j = i + 1;
        int frac = 0;
        while (j < n && s[j].isDigit() && s[j].unicode() < 128) {
            ++j;
            ++frac;
        }
        if (digits + frac > 0) {
            i = j;
            digits += frac;
        }
    }
    if (digits == 0)
        return {};
    // Optional exponent, taken only when it is complete.
    if (i < n && (s[i] == u'e' || s[i] == u'E' || s[i] == u'd' || s[i] == u'D')) {
        int j = i + 1;
        if (j < n && (s[j] == u'+' || s[j] == u'-'))
            ++j;
        int e = 0;
        while (j < n && s[j].isDigit() && s[j].unicode() < 128) {
            ++j;
            ++e;
        }
        if (e > 0) {
            QString m = s.left(i);
            m += u'e';
            m += s.mid(i + 1, j - i - 1);
            return m;
        }
    }
    return s.left(i);
}

QString withoutBlanks(const QString& text)
{
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (c != u' ' && c != u'\t')
            s += c;
    return s;
}

} // namespace

namespace {
double rawLeadingNumber(const QString& text)
{
    const QString p = numericPrefix(withoutBlanks(text));
    if (p.isEmpty())
        return 0.0;
    const QByteArray b = p.toLatin1();
    return std::strtod(b.constData(), nullptr);
}
} // namespace

double leadingNumber(const QString& text)
{
    const double v = rawLeadingNumber(text);
    return std::isfinite(v) ? v : 0.0;
}

bool leadingNumberIsFinite(const QString& text)
{
    return std::isfinite(rawLeadingNumber(text));
}

bool isInRange(double value, double low, double high)
{
    return std::isfinite(value) && value >= low && value <= high;
}

bool isWholeInRange(double value, double low, double high)
{
    return isInRange(value, low, high) && value == std::trunc(value);
}

QString rangeMessage(const QString& field, double low, double high)
{
    return QStringLiteral("Check ") + field + QStringLiteral(", it must be a number from ") + generalNumber(low)
        + QStringLiteral(" to ") + generalNumber(high) + QLatin1Char('.');
}

bool startsWithNumber(const QString& text)
{
    return !numericPrefix(withoutBlanks(text)).isEmpty();
}

QString generalNumber(double value)
{
    if (value == 0.0 || !std::isfinite(value))
        return QStringLiteral("0");
    // Whole numbers of up to 15 digits print as their digits either way;
    // this is the common case of a report cell, and much cheaper.
    if (printsWhole(value))
        return QString::number(static_cast<qint64>(value));
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    return QString::fromLatin1(buf);
}

double roundTo2(double value)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", value);
    return std::strtod(buf, nullptr);
}

QString percentText(double value)
{
    return generalNumber(roundTo2(value)) + QLatin1Char('%');
}

} // namespace app
