#include "output/writers.h"

#include "output/targetfile.h"
#include "output/export.h"
#include "reports/gridmodel.h"

#include <QFile>
#include <QPdfWriter>

#include <xlsxwriter.h>

namespace output {

std::optional<FileFormat> fileFormat(const QString& name)
{
    if (name == QLatin1String("tsv"))
        return FileFormat::Tsv;
    if (name == QLatin1String("csv"))
        return FileFormat::Csv;
    if (name == QLatin1String("xlsx"))
        return FileFormat::Xlsx;
    if (name == QLatin1String("pdf"))
        return FileFormat::Pdf;
    return std::nullopt;
}

QByteArray delimitedText(const Table& table, FileFormat format)
{
    const auto f = format == FileFormat::Csv ? ExportFormat::Csv : ExportFormat::Tsv;
    QString out = exportLine({table.title}, f) + exportLine({table.period}, f);
    for (const QStringList& row : table.rows)
        out += exportLine(row, f);
    return out.toUtf8();
}

QString writeText(const QByteArray& content, const QString& path)
{
    TargetFile target(path);
    if (!target.open())
        return target.error();
    QFile f(target.tempPath());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(content) != content.size() || !f.flush()) {
        target.fail(f.errorString());
        return target.error();
    }
    f.close();
    return target.commit() ? QString() : target.error();
}

QString writePdf(const Table& table, const QString& path, const PageOptions& options)
{
    TargetFile target(path);
    if (!target.open())
        return target.error();
    {
        QPdfWriter pdf(target.tempPath());
        pdf.setCreator(QStringLiteral("Karvela"));
        pdf.setTitle(table.title);
        QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(12, 12, 12, 12),
                           QPageLayout::Millimeter);
        layout.setOrientation(options.fitToWidth ? QPageLayout::Landscape : preferredOrientation(table, layout));
        pdf.setPageLayout(layout);
        if (paintReport(pdf, table, options) == 0) {
            target.fail(QStringLiteral("the PDF could not be drawn"));
            return target.error();
        }
    }
    return target.commit() ? QString() : target.error();
}

QString writeXlsx(const Table& table, const QString& path)
{
    TargetFile target(path);
    if (!target.open())
        return target.error();
    const QByteArray file = QFile::encodeName(target.tempPath());
    lxw_workbook* book = workbook_new(file.constData());
    if (!book) {
        target.fail(QStringLiteral("the workbook could not be created"));
        return target.error();
    }
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Report");
    lxw_format* titleFormat = workbook_add_format(book);
    format_set_bold(titleFormat);
    format_set_font_size(titleFormat, 12);
    lxw_format* heading = workbook_add_format(book);
    format_set_bold(heading);
    format_set_bg_color(heading, 0xE4E7EC);
    lxw_format* headingPercent = workbook_add_format(book);
    format_set_bold(headingPercent);
    format_set_bg_color(headingPercent, 0xE4E7EC);
    format_set_num_format(headingPercent, "0.00%");
    lxw_format* percent = workbook_add_format(book);
    format_set_num_format(percent, "0.00%");
    lxw_format* aligned[3] = {nullptr, workbook_add_format(book), workbook_add_format(book)};
    format_set_align(aligned[1], LXW_ALIGN_CENTER);
    format_set_align(aligned[2], LXW_ALIGN_RIGHT);

    // The title and period lines, then the grid.
    constexpr int kTop = 2;
    worksheet_write_string(sheet, 0, 0, table.title.toUtf8().constData(), titleFormat);
    worksheet_write_string(sheet, 1, 0, table.period.toUtf8().constData(), nullptr);
    for (int c = 0; c < table.columns(); ++c) {
        // Excel's width unit is the width of a digit; a "Z" is a little wider.
        const Qt::Alignment a = table.align.value(c);
        lxw_format* f = a == Qt::AlignHCenter ? aligned[1] : a == Qt::AlignRight ? aligned[2] : nullptr;
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), table.widthsZ[c] * 1.25 + 1, f);
    }
    for (int r = 0; r < table.rows.size(); ++r) {
        const bool headingRow = r < table.fixedRows;
        const QStringList& row = table.rows[r];
        for (int c = 0; c < row.size(); ++c) {
            const QString& text = row[c];
            if (text.isEmpty())
                continue;
            const auto number = reports::cellNumber(text);
            const lxw_row_t xr = lxw_row_t(kTop + r);
            if (number && number->percent)
                worksheet_write_number(sheet, xr, lxw_col_t(c), number->value / 100.0,
                                       headingRow ? headingPercent : percent);
            else if (number)
                worksheet_write_number(sheet, xr, lxw_col_t(c), number->value, headingRow ? heading : nullptr);
            else
                worksheet_write_string(sheet, xr, lxw_col_t(c), text.toUtf8().constData(),
                                       headingRow ? heading : nullptr);
        }
    }
    if (table.fixedRows > 0 || table.fixedCols > 0)
        worksheet_freeze_panes(sheet, lxw_row_t(kTop + table.fixedRows), lxw_col_t(table.fixedCols));
    const lxw_error rc = workbook_close(book);
    if (rc != LXW_NO_ERROR) {
        target.fail(QString::fromUtf8(lxw_strerror(rc)));
        return target.error();
    }
    return target.commit() ? QString() : target.error();
}

QString writeFile(const Table& table, FileFormat format, const QString& path)
{
    switch (format) {
    case FileFormat::Pdf:
        return writePdf(table, path);
    case FileFormat::Xlsx:
        return writeXlsx(table, path);
    default:
        return writeText(delimitedText(table, format), path);
    }
}

} // namespace output
