#pragma once
// The report window's File menu: printing, print preview and the PDF, XLSX
// and CSV files of what the grid shows; and the clipboard formats of a copy.

#include "output/table.h"
#include "queries/gridtools.h"

#include <QObject>

#include <functional>

class QMenu;
class QMimeData;

namespace ui {

class ReportSection;

// Adds the File menu in front of the report window's other menus.
QMenu* addReportFileMenu(ReportSection* window);

// What the grid shows now, for printing and files.
output::Table shownTable(const ReportSection& window);

// The clipboard content of a Copy: the plain text as it is, an HTML table
// and text/csv of the same cells.
QMimeData* copyMimeData(const reports::GridModel& grid, const queries::Block& block, const QString& title,
                        const QString& count, const QString& plainText);

// Asks for the name of a file to save (tests replace it).
using SaveFileChooser = std::function<QString(QWidget* parent, const QString& caption, const QString& filter)>;
void setSaveFileChooser(SaveFileChooser chooser);
QString chooseSaveFile(QWidget* parent, const QString& caption, const QString& filter);

} // namespace ui
