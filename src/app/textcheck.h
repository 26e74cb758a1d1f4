#pragma once
// Whether a text can be stored as typed: no longer than its column, and
// without NUL characters (which would cut it short).

#include <QString>

#include <optional>

namespace app {

// The message naming `field` when `text` does not fit a column of `length`
// characters or holds a NUL character; no value when it can be stored.
std::optional<QString> textProblem(const QString& field, const QString& text, int length);
// The same for a text bound for the column `table`.`column` (store schema).
std::optional<QString> columnTextProblem(const QString& field, const QString& text, const char* table,
                                         const char* column);

} // namespace app
