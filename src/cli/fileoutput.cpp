#include "cli/fileoutput.h"

namespace cli {

QString checkOutputOptions(const QString& formatText, const std::optional<QString>& path, OutputOptions& options)
{
    const auto format = output::fileFormat(formatText);
    if (!format)
        return QStringLiteral("--format must be tsv, csv, xlsx or pdf");
    options.format = *format;
    if (path && path->isEmpty())
        return QStringLiteral("--output needs a file name");
    options.path = path.value_or(QString());
    if ((*format == output::FileFormat::Xlsx || *format == output::FileFormat::Pdf) && !options.toFile())
        return QStringLiteral("--format ") + formatText + QStringLiteral(" needs --output FILE");
    return {};
}

int writeTableFile(const output::Table& table, const OutputOptions& options, const QString& command,
                   QTextStream& err)
{
    const QString problem = output::writeFile(table, options.format, options.path);
    if (problem.isEmpty())
        return 0;
    err << "karvela " << command << ": " << problem << "\n";
    return 2;
}

} // namespace cli
