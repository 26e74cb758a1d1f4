// The report panel of the report window: the six options, the period and
// title labels, and generation through the report builders.
#include "ui/reportsection.h"

#include "app/calendar.h"
#include "app/clock.h"
#include "app/dialogs.h"
#include "app/settings.h"
#include "reports/builders.h"
#include "reports/gridmodel.h"
#include "store/database.h"
#include "ui/common.h"
#include "ui/periodpickers.h"
#include "ui/reportgrid.h"

namespace ui {

void ReportSection::buildReportPanel()
{
    QWidget* box = reportPanel->parentWidget();
    const QStringList captions = reports::optionCaptions();
    for (int i = 0; i < reports::kOptionCount; ++i) {
        Option1[i] = named(new QRadioButton(captions[i], box), QStringLiteral("Option1"), i);
        reportPanel->addWidget(Option1[i]);
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { Option1Click(i); });
    }
    Option1[0]->setChecked(true);
    GenerateRpt = named(new QPushButton(QStringLiteral("&Generate Report"), box), QStringLiteral("GenerateRpt"));
    reportPanel->addWidget(GenerateRpt);
    connect(GenerateRpt, &QPushButton::clicked, this, &ReportSection::GenerateRptClick);
    List1 = named(new QListWidget(box), QStringLiteral("List1"));
    List1->hide();
}

void ReportSection::Option1Click(int index)
{
    if (index < 0 || index >= reports::kOptionCount)
        return;
    // The From and To date handlers.
    periodChosen();
    periodChosen();
    ReportType = index;
    if (!Option1[index]->isChecked())
        Option1[index]->setChecked(true);
    Combo1->setEnabled(reports::usesEmployee(index));
    grid->setFixed(reports::fixedRowsOf(index), reports::fixedColsOf(index));
    if (reports::clearsGridOnChoice(index))
        grid->clearTexts();
    Label1[0]->setText(reports::titleText(index, Combo4->currentText(), Combo1->currentText()));
    const bool from = reports::usesFromDate(index);
    const int startDay = app::calendar::startDay(app::globals().StartDate);
    periods->from[0]->setEnabled(from);
    // The day picker stays locked while a start day above 1 is set.
    periods->from[1]->setEnabled(from && startDay <= 1);
    periods->from[2]->setEnabled(from);
    StatusPanel1->setText(Label1[0]->text());
    // The date handlers above ran before the option changed; the period
    // label follows the option now in force.
    if (!QueryMode)
        showPeriodLabel();
}

void ReportSection::showPeriodLabel()
{
    Label1[1]->setText(reports::periodText(ReportType, app::calendar::startDay(app::globals().StartDate), FromDate,
                                           ToDate));
}

void ReportSection::showElapsed()
{
    Label5->setText(reports::elapsedText(EndTime - StartTime));
}

void ReportSection::FormatColStrg()
{
    grid->setWidthZ(0, 5);
    grid->setWidthZ(1, 10);
    grid->setWidthZ(2, 29);
}

reports::Request ReportSection::reportRequest()
{
    const auto pickerEmployees = [this] {
        QList<app::Employee> list;
        for (int j = 0; j < Combo1->count(); ++j) {
            app::Employee e;
            e.name = Combo1->itemText(j);
            e.empId = List2->item(j) ? List2->item(j)->text().toLongLong() : 0;
            e.designation = List3->item(j) ? List3->item(j)->text() : QString();
            list.append(e);
        }
        return list;
    };
    reports::Request r;
    r.option = ReportType;
    r.department = Combo4->currentText();
    r.employees = pickerEmployees();
    r.fromDate = FromDate;
    r.toDate = ToDate;
    r.fromDay = periods->from[1]->currentIndex() + 1;
    r.toDay = periods->to[1]->currentIndex() + 1;
    for (int p = 0; p < Combo4->count(); ++p)
        r.departments << Combo4->itemText(p);
    // The all-departments report walks the department picker: each choice
    // refills the employees and recomputes the period as a user's would.
    r.chooseDepartment = [this, pickerEmployees](int p, const QList<app::Employee>& employees) {
        reports::Request::Block b;
        b.changed = Combo4->currentIndex() != p;
        // The picker lists the employees the report read, without reading
        // them again.
        handedEmployees = &employees;
        selectEntry(Combo4, p);
        handedEmployees = nullptr;
        b.employees = pickerEmployees();
        b.fromDate = FromDate;
        b.toDate = ToDate;
        return b;
    };
    r.employeeIdText = Label7->text();
    r.employeeName = Combo1->currentText();
    const int e = Combo1->currentIndex();
    r.designation = e >= 0 && List3->item(e) ? List3->item(e)->text() : QString();
    r.today = app::today();
    return r;
}

void ReportSection::showSheet(const reports::Sheet& sheet)
{
    grid->setCells(sheet.cells);
    if (!sheet.format.isEmpty()) {
        GridFormat = sheet.format;
        grid->setFormatString(GridFormat);
    }
    for (const auto& w : sheet.widths)
        grid->setWidthZ(w.first, w.second);
    UsedRows = sheet.usedRows;
    FlxGrid->showFirst(sheet.firstRow, sheet.firstCol);
}

void ReportSection::GenerateRptClick()
{
    grid->clearTexts();
    List1->clear();
    StartTime = app::timerMs();
    setCursor(Qt::BusyCursor);
    reports::Sheet sheet;
    try {
        sheet = reports::build(reportRequest());
    } catch (const store::DbError& e) {
        unsetCursor();
        app::dialogs().message(e.number() + QStringLiteral("\r\nGenerateRpt SubRoutine\r\n") + e.description(),
                               app::style::Critical);
        return;
    }
    unsetCursor();
    EndTime = app::timerMs();
    if (!sheet.message.isEmpty()) {
        if (sheet.elapsedShown)
            showElapsed();
        app::dialogs().message(sheet.message, app::style::Information);
        return;
    }
    // The job numbers the report was built on.
    const int jobs = sheet.jobCount;
    for (int i = 0; i < jobs; ++i)
        List1->addItem(sheet.at(i + 2, 1));
    if (jobs > 0)
        List1->setCurrentRow(0);
    JobCount = jobs;
    if (ReportType == reports::DeptMonth || ReportType == reports::DeptPeriod)
        EmpCount = Combo1->count();
    if (sheet.blockRow >= 0)
        BlockRow = sheet.blockRow;
    showSheet(sheet);
    showElapsed();
}

} // namespace ui
