// The data-entry window: start-up, the period and employee pickers, the
// banner and the window's own events.
#include "ui/main.h"

#include "app/calendar.h"
#include "app/clock.h"
#include "app/dialogs.h"
#include "app/failurebox.h"
#include "app/pickers.h"
#include "app/settings.h"
#include "store/database.h"
#include "ui/closedmonth.h"
#include "ui/common.h"
#include "ui/employeepicker.h"
#include "ui/periodpickers.h"
#include "ui/program.h"

#include <QCloseEvent>
#include <QScreen>
#include <QTimer>
#include <QWindowStateChangeEvent>

namespace ui {

namespace {
const char* kMission = "Our mission: engineering delivered on time, every day of it accounted for.";
} // namespace

void Main::load()
{
    try {
        LoadJobLists();
        LoadLeadDeptts();
        statusPanel->setText(employeePicker->currentText());
        const int own = std::max(ownWidth_, twips(12000));
        resize(width() < own ? own : width(), twips(8865));
        missionLabel->setText(QString::fromLatin1(kMission));
    } catch (const store::DbError& e) {
        app::dialogs().message(e.number() + QStringLiteral("\r\n") + app::failureDescription(e), app::style::OkOnly);
    }
}

void Main::showBanner()
{
    missionLabel->show();
    bannerLabel->show();
    logoImages[0]->show();
    logoImages[1]->show();
}

void Main::LoadMonths()
{
    periods->loadMonths(app::today(), app::calendar::startDay(app::globals().StartDate));
}

bool Main::FindDuration()
{
    const auto p = periods->findDuration();
    if (!p)
        return false;
    FromDate = p->from;
    ToDate = p->to;
    PeriodDays = p->days;
    return true;
}

void Main::SearchDeptts()
{
    const QStringList depts = app::departments();
    if (pickers->fillDepartments(depts))
        selectEntry(departmentPicker, app::defaultDepartmentIndex(app::globals().Department, depts.size()));
}

void Main::FillEmployees()
{
    const QList<app::Employee> rows = app::listedEmployees(departmentPicker->currentText(), false, app::today());
    QStringList entries, ids;
    for (const app::Employee& e : rows) {
        entries << app::entryEmployeeText(e);
        ids << QString::number(e.empId);
    }
    pickers->fillEmployees(entries, ids);
    statusPanel->setText(employeePicker->currentText());
}

void Main::departmentChosen()
{
    try {
        FillEmployees();
    } catch (const store::DbError& e) {
        app::dialogs().message(e.number() + QStringLiteral("\r\n") + app::failureDescription(e), app::style::OkOnly);
    }
}

void Main::employeeChosen(int index)
{
    if (index < 0)
        return;
    saveButton->setEnabled(true);
    for (QLineEdit* t : leaveBoxes)
        t->clear();
    for (QLineEdit* t : rowDays)
        t->clear();
    statusPanel->setText(employeePicker->currentText());
    bannerLabel->setText(departmentPicker->currentText() + QStringLiteral("\r\n") + employeePicker->currentText());
}

void Main::LoadMyLogo()
{
    logoPlayer->playLogoFile();
}

void Main::changeEvent(QEvent* e)
{
    QMainWindow::changeEvent(e);
    if (e->type() != QEvent::WindowStateChange || !(windowState() & Qt::WindowMaximized))
        return;
    // A maximized data-entry window goes back to its own width, centred.
    const int maxWidth = screen() ? screen()->availableGeometry().width() : width();
    QTimer::singleShot(0, this, [this, maxWidth] {
        setWindowState(windowState() & ~Qt::WindowMaximized);
        const int own = std::max(ownWidth_, twips(12000));
        resize(own, height());
        move(std::max(0, (maxWidth - own) / 2), y());
    });
}

void Main::closeEvent(QCloseEvent* e)
{
    e->accept();
    app::endProgram(0);
}

} // namespace ui
