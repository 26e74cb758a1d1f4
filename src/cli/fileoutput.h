#pragma once
// The --format and --output options of `karvela report` and `karvela query`:
// tsv and csv go to standard output unless a file is named; xlsx and pdf
// always go to a file.

#include "output/writers.h"

#include <QTextStream>

namespace cli {

struct OutputOptions {
    output::FileFormat format = output::FileFormat::Tsv;
    QString path; // empty: standard output

    bool toFile() const { return !path.isEmpty(); }
};

// Checks the options as given (format text, output path text or null when
// not given). Empty text when they are fine, else the problem.
QString checkOutputOptions(const QString& formatText, const std::optional<QString>& path, OutputOptions& options);

// Writes the table to the file of the options. Returns the exit status: 0,
// or 2 with the reason on `err` when the file cannot be written (nothing is
// left behind then).
int writeTableFile(const output::Table& table, const OutputOptions& options, const QString& command,
                   QTextStream& err);

} // namespace cli
