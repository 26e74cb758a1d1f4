#pragma once
// Files of a report or query: PDF, XLSX, CSV and tab-separated text. Each
// writer puts the file in place whole or leaves nothing, and answers an
// empty text on success or the reason it failed.

#include "output/pages.h"
#include "output/table.h"

namespace output {

enum class FileFormat { Tsv, Csv, Xlsx, Pdf };

// "tsv", "csv", "xlsx" or "pdf"; no value for anything else.
std::optional<FileFormat> fileFormat(const QString& name);

// The text of a tsv or csv file: the title and period lines, then the rows.
QByteArray delimitedText(const Table& table, FileFormat format);

QString writePdf(const Table& table, const QString& path, const PageOptions& options = {});
QString writeXlsx(const Table& table, const QString& path);
QString writeText(const QByteArray& content, const QString& path);
// Any of the four.
QString writeFile(const Table& table, FileFormat format, const QString& path);

} // namespace output
