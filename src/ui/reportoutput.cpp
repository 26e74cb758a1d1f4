#include "ui/reportoutput.h"

#include "app/dialogs.h"
#include "output/clipboard.h"
#include "output/pages.h"
#include "output/writers.h"
#include "reports/gridmodel.h"
#include "ui/reportsection.h"

#include <QFileDialog>
#include <QMenuBar>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace ui {

namespace {

SaveFileChooser& chooser()
{
    static SaveFileChooser c = [](QWidget* parent, const QString& caption, const QString& filter) {
        return QFileDialog::getSaveFileName(parent, caption, QString(), filter);
    };
    return c;
}

const char* kNothingToPrint = "There is no report or query in the grid yet.";

QAction* item(QMenu* menu, const QString& name, const QString& caption, const QKeySequence& keys = {})
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    if (!keys.isEmpty())
        a->setShortcut(keys);
    return a;
}

// The grid's table, or nothing (with a box) when the grid is empty.
std::optional<output::Table> tableToOutput(const ReportSection& w)
{
    output::Table t = shownTable(w);
    if (t.rows.isEmpty()) {
        app::dialogs().message(QString::fromLatin1(kNothingToPrint), app::style::Information);
        return std::nullopt;
    }
    return t;
}

void preparePrinter(QPrinter& printer, const output::Table& t, bool fitToWidth)
{
    QPageLayout layout = printer.pageLayout();
    layout.setOrientation(fitToWidth ? QPageLayout::Landscape : output::preferredOrientation(t, layout));
    printer.setPageLayout(layout);
    printer.setDocName(t.title);
}

void exportFile(ReportSection* w, output::FileFormat format, const QString& caption, const QString& filter,
                const QString& suffix, bool fitToWidth)
{
    const auto t = tableToOutput(*w);
    if (!t)
        return;
    QString path = chooseSaveFile(w, caption, filter);
    if (path.isEmpty())
        return;
    if (!path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    const QString problem = format == output::FileFormat::Pdf ? output::writePdf(*t, path, {fitToWidth})
                                                              : output::writeFile(*t, format, path);
    if (!problem.isEmpty())
        app::dialogs().message(problem, app::style::Critical);
}

} // namespace

void setSaveFileChooser(SaveFileChooser c)
{
    chooser() = std::move(c);
}

QString chooseSaveFile(QWidget* parent, const QString& caption, const QString& filter)
{
    return chooser()(parent, caption, filter);
}

output::Table shownTable(const ReportSection& w)
{
    return output::tableOf(*w.grid, w.Label1[0]->text(), w.Label1[1]->text(), w.UsedRows);
}

QMimeData* copyMimeData(const reports::GridModel& grid, const queries::Block& block, const QString& title,
                        const QString& count, const QString& plainText)
{
    auto* mime = new QMimeData;
    mime->setText(plainText);
    const QList<QStringList> rows = output::copiedRows(grid, block, title, count);
    mime->setHtml(output::htmlTable(rows));
    mime->setData(QStringLiteral("text/csv"), output::csvText(rows).toUtf8());
    return mime;
}

QMenu* addReportFileMenu(ReportSection* w)
{
    auto* menu = new QMenu(QStringLiteral("&File"), w);
    menu->setObjectName(QStringLiteral("FileMenu"));
    QAction* print = item(menu, QStringLiteral("Print"), QStringLiteral("&Print..."), QKeySequence::Print);
    QAction* preview = item(menu, QStringLiteral("PrintPreview"), QStringLiteral("Print Pre&view..."));
    QAction* fit = item(menu, QStringLiteral("FitToWidth"), QStringLiteral("&Fit to Page Width"));
    fit->setCheckable(true);
    menu->addSeparator();
    QAction* pdf = item(menu, QStringLiteral("ExportPdf"), QStringLiteral("Export as P&DF..."),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E));
    QAction* xlsx = item(menu, QStringLiteral("ExportXlsx"), QStringLiteral("Export as &XLSX..."));
    QAction* csv = item(menu, QStringLiteral("ExportCsv"), QStringLiteral("Export as &CSV..."));
    QMenuBar* bar = w->menuBar();
    bar->insertMenu(bar->actions().value(0), menu);

    QObject::connect(print, &QAction::triggered, w, [w, fit] {
        const auto t = tableToOutput(*w);
        if (!t)
            return;
        QPrinter printer(QPrinter::HighResolution);
        preparePrinter(printer, *t, fit->isChecked());
        QPrintDialog dialog(&printer, w);
        if (dialog.exec() == QDialog::Accepted)
            output::paintReport(printer, *t, {fit->isChecked()});
    });
    QObject::connect(preview, &QAction::triggered, w, [w, fit] {
        const auto t = tableToOutput(*w);
        if (!t)
            return;
        QPrinter printer(QPrinter::HighResolution);
        preparePrinter(printer, *t, fit->isChecked());
        QPrintPreviewDialog dialog(&printer, w);
        dialog.setObjectName(QStringLiteral("PrintPreviewDialog"));
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, w,
                         [&t, fit](QPrinter* p) { output::paintReport(*p, *t, {fit->isChecked()}); });
        dialog.resize(w->size());
        dialog.exec();
    });
    QObject::connect(pdf, &QAction::triggered, w, [w, fit] {
        exportFile(w, output::FileFormat::Pdf, QStringLiteral("Export as PDF"), QStringLiteral("PDF (*.pdf)"),
                   QStringLiteral(".pdf"), fit->isChecked());
    });
    QObject::connect(xlsx, &QAction::triggered, w, [w] {
        exportFile(w, output::FileFormat::Xlsx, QStringLiteral("Export as XLSX"),
                   QStringLiteral("Excel workbook (*.xlsx)"), QStringLiteral(".xlsx"), false);
    });
    QObject::connect(csv, &QAction::triggered, w, [w] {
        exportFile(w, output::FileFormat::Csv, QStringLiteral("Export as CSV"), QStringLiteral("CSV (*.csv)"),
                   QStringLiteral(".csv"), false);
    });
    return menu;
}

} // namespace ui
