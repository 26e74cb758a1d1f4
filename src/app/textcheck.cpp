#include "app/textcheck.h"

#include "store/schema.h"

namespace app {

std::optional<QString> textProblem(const QString& field, const QString& text, int length)
{
    if (text.contains(QChar(0)))
        return QStringLiteral("Check ") + field + QStringLiteral(", it must not contain a NUL character.");
    if (length > 0 && text.size() > length)
        return QStringLiteral("Check ") + field + QStringLiteral(", it must not be longer than %1 characters (it has %2).")
                                                      .arg(length)
                                                      .arg(text.size());
    return std::nullopt;
}

std::optional<QString> columnTextProblem(const QString& field, const QString& text, const char* table,
                                         const char* column)
{
    return textProblem(field, text, store::textLength(QLatin1String(table), QLatin1String(column)));
}

} // namespace app
