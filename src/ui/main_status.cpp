// The data-entry window's job status and job search: changing a job's
// status from a card row, finding a job by number or by name.
#include "ui/main.h"

#include "app/failurebox.h"
#include "app/numtext.h"
#include "entry/cardstore.h"
#include "entry/jobmaster.h"
#include "store/database.h"
#include "ui/main_parts.h"

namespace ui {

using namespace mainparts;

void Main::setStatusOpen(int row, bool open)
{
    QLineEdit* t = rowStatus[row];
    t->setReadOnly(!open);
    QPalette p = t->palette();
    p.setColor(QPalette::Base, open ? QColor(Qt::white) : palette().color(QPalette::Window));
    t->setPalette(p);
}

void Main::openStatusChange(int row)
{
    const QString d = entry::currentDepartment(departmentPicker->currentText());
    const QString l = rowFigures[row + 20]->text();
    if (d != l) {
        showInfo(entry::notAuthorizedMessage(l, d), kCritical);
        return;
    }
    statusChange.row = row;
    if (app::dialogs().message(QString::fromLatin1(entry::kStatusQuestion),
                               app::style::YesNoCancel + app::style::Question)
        != app::button::Yes)
        return;
    statusChange.open = true;
    statusBeforeChange_ = rowStatus[row]->text();
    setStatusOpen(row, true);
    statusUpdateButton->setEnabled(true);
    DisableCardEntry();
}

void Main::JobStUpdate()
{
    const int r = statusChange.row;
    const double p = entry::roundHalfEven(app::leadingNumber(rowStatus[r]->text()));
    if (const auto bad = entry::statusUpdateProblem(rowStatus[r]->text())) {
        showInfo(*bad, kExclaim);
        return;
    }
    FindDuration();
    try {
        if (!entry::storeJobStatus(card.rows[r].jobNo, int(p), ToDate)) {
            showInfo(QStringLiteral("3021\r\nJobStUpdate SubRoutine\r\n") + QString::fromLatin1(entry::kJobMissing),
                     kCritical);
            return;
        }
    } catch (const store::DbError& e) {
        showInfo(entry::errorBoxText(QStringLiteral("JobStUpdate"), e, app::notsaved::JobStatus), kCritical);
        return;
    }
    rowStatus[r]->setText(QString::number(int(p)));
    statusUpdateButton->setEnabled(false);
    statusChange.open = false;
    setStatusOpen(r, false);
    EnableCardEntry();
}

namespace {

// Makes the sorted list's current entry the one with the job number.
void selectInSorted(QListWidget* sorted, const QString& no)
{
    for (int j = 0; j < sorted->count(); ++j)
        if (sorted->item(j)->text() == no) {
            sorted->setCurrentRow(j);
            return;
        }
}

} // namespace

void Main::SearchJobCommand()
{
    QStringList numbers;
    numbers.reserve(jobNumberList->count());
    for (int i = 0; i < jobNumberList->count(); ++i)
        numbers << jobNumberList->item(i)->text();
    const int i = entry::indexOfExact(numbers, jobNumberSearch->text());
    if (i >= 0) {
        jobNumberList->setCurrentRow(i);
        jobNameList->setCurrentRow(i);
        selectInSorted(sortedJobNumberList, numbers[i]);
        return;
    }
    if (app::dialogs().message(QString::fromLatin1(entry::kAddJobOffer), app::style::YesNo + app::style::Critical)
        != app::button::Yes)
        return;
    findJobNumberButton->setEnabled(false);
    findJobNameButton->setEnabled(false);
    DisableCardEntry();
    EditJobMode = false;
    jobNumberField->setReadOnly(false);
    jobNumberField->setText(jobNumberSearch->text());
    for (QLineEdit* t : {jobNameField, clientField, allottedField, balanceField, statusField})
        t->clear();
    // Adding a job stores no balance of its own.
    balanceField->setReadOnly(true);
    leadDepartmentPicker->setEnabled(true);
    jobFormBefore_ = jobFormTexts();
    jobMasterPanel->show();
}

void Main::SearchStrngCommand()
{
    int count = 0;
    const int n = jobNameList->count();
    for (int i = 0; i < n; ++i) {
        if (entry::jobNameMatches(jobNameList->item(i)->text(), jobNameSearch->text())) {
            jobNumberList->setCurrentRow(i);
            jobNameList->setCurrentRow(i);
            const QString no = textOf(jobNumberList, i);
            selectInSorted(sortedJobNumberList, no);
            jobNumberSearch->setText(no);
            ++count;
            if (app::dialogs().message(entry::foundQuestion(count), app::style::YesNo + app::style::Information)
                == app::button::No)
                return;
        }
        if (i == n - 1 && count >= 1)
            showInfo(QString::fromLatin1(entry::kNoMoreMatch), kInfo);
    }
    if (count == 0)
        showInfo(QString::fromLatin1(entry::kNameNotFound), kCritical);
}

} // namespace ui
