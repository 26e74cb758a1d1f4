#pragma once
// A copied block as a spreadsheet takes it from the clipboard: an HTML
// table and CSV, besides the plain text. Both hold the title and count lines
// as rows of one cell, then the block's rows without the empty columns after
// the last one that holds a text.

#include "queries/gridtools.h"

#include <QList>
#include <QStringList>

namespace output {

// The rows of the copy: title, count line, then the block's cells.
QList<QStringList> copiedRows(const reports::GridModel& grid, const queries::Block& block, const QString& title,
                              const QString& count);
QString htmlTable(const QList<QStringList>& rows);
QString csvText(const QList<QStringList>& rows);

} // namespace output
