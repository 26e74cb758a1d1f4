// The data-entry window's card commands: placing jobs on the card, crediting
// allotted ED, saving (append, change, delete), opening a stored card and
// resetting the card.
#include "ui/main.h"

#include "app/failurebox.h"
#include "app/numtext.h"
#include "entry/cardstore.h"
#include "entry/jobmaster.h"
#include "store/database.h"
#include "ui/main_parts.h"

namespace ui {

using namespace mainparts;

QStringList Main::jobBoxTexts() const
{
    QStringList l;
    for (QLineEdit* t : rowDays)
        l << t->text();
    return l;
}

QStringList Main::leaveBoxTexts() const
{
    QStringList l;
    for (QLineEdit* t : leaveBoxes)
        l << t->text();
    return l;
}

void Main::showSaveCaption()
{
    saveButton->setText(entry::saveCaption(card.mode));
}

void Main::showBalance(int row, double balance)
{
    QLabel* l = rowFigures[row];
    l->setText(app::generalNumber(balance));
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, balance < 0 ? QColor(255, 0, 0) : palette().color(QPalette::ButtonText));
    l->setPalette(p);
}

void Main::placeChosenJob()
{
    const int i = jobNumberList->currentRow();
    if (i < 0)
        return;
    jobNameList->setCurrentRow(i);
    const qint64 no = jobNumberList->item(i)->text().toLongLong();
    int r = 0;
    switch (card.place(no, &r)) {
    case entry::CardJobs::Placed::TooMany:
        showInfo(QString::fromLatin1(entry::kTooManyJobs), kCritical);
        return;
    case entry::CardJobs::Placed::AlreadySelected:
        showInfo(QString::fromLatin1(entry::kAlreadySelected), kExclaim);
        return;
    case entry::CardJobs::Placed::Ok:
        break;
    }
    const double bal = app::leadingNumber(textOf(balanceList, i));
    rowJobNumber[r]->setText(QString::number(no));
    rowJobNumber[r]->show();
    rowJobName[r]->setText(QStringLiteral(" ") + textOf(jobNameList, i));
    rowJobName[r]->setToolTip(textOf(jobNameList, i));
    rowJobName[r]->show();
    rowDays[r]->show();
    rowStatus[r]->setText(QString::number(int(entry::roundHalfEven(app::leadingNumber(textOf(statusList, i))))));
    rowStatus[r]->show();
    showBalance(r, bal);
    rowFigures[r + 10]->setText(textOf(allottedList, i));
    rowFigures[r + 10]->show();
    rowFigures[r + 20]->setText(textOf(leadDepartmentList, i));
    rowFigures[r]->show();
    rowPercent[r]->show();
    showDaysLeft();
}

void Main::creditAllottedDays(int row)
{
    if (row < 0 || row > 9 || !card.rows[row].used)
        return;
    const qint64 no = card.rows[row].jobNo;
    std::optional<double> allotted;
    try {
        allotted = entry::allottedOf(no);
    } catch (const store::DbError&) {
        return;
    }
    if (!allotted)
        return;
    if (app::dialogs().message(entry::creditQuestion(QString::number(no), *allotted),
                               app::style::YesNo + app::style::Information)
        != app::button::Yes)
        return;
    card.rows[row].credit += *allotted;
    showBalance(row, app::leadingNumber(rowFigures[row]->text()) + *allotted);
}

void Main::AddRecordCommand()
{
    if (!saveButton->isEnabled())
        return;
    if (!FindDuration()) {
        showInfo(QStringLiteral("0\r\nAddRecord SubRoutine\r\nThe dates picked for the period do not exist."),
                 kCritical);
        return;
    }
    bool ok = false;
    const qint64 empId = employeeIdLabel->text().trimmed().toLongLong(&ok);
    if (!ok) {
        showInfo(QString::fromLatin1(entry::kBadEmployeeNumber), kCritical);
        return;
    }
    if (card.mode == entry::Card::Mode::Append) {
        try {
            if (entry::cardExists(empId, ToDate)) {
                showInfo(QString::fromLatin1(entry::kDuplicateCard), kCritical);
                return;
            }
        } catch (const store::DbError& e) {
            showInfo(entry::errorBoxText(QString::fromLatin1(entry::kAddRecord), e, app::notsaved::Card), kCritical);
            return;
        }
    }
    if (const auto bad = entry::checkCardItems(jobBoxTexts(), leaveBoxTexts(), PeriodDays)) {
        showInfo(*bad, kExclaim);
        return;
    }
    const entry::CardSum sum =
        entry::checkCardSum(jobBoxTexts(), card.jobs.lastJobRow, leaveBoxTexts(), PeriodDays);
    card.takeSum(sum);
    if (!sum.SumValid) {
        showInfo(sum.message, kExclaim);
        return;
    }
    switch (card.mode) {
    case entry::Card::Mode::Update:
        updateCard();
        break;
    case entry::Card::Mode::Delete:
        deleteCard();
        break;
    case entry::Card::Mode::Append:
        appendCard();
        break;
    }
}

entry::CardHeader Main::cardHeader() const
{
    return entry::CardHeader{employeeIdLabel->text().trimmed().toLongLong(), employeePicker->currentText(),
                             departmentPicker->currentText(), ToDate};
}

void Main::appendCard()
{
    if (app::dialogs().message(QString::fromLatin1(entry::kAppendQuestion),
                               app::style::OkCancel + app::style::Information)
        == app::button::Cancel)
        return;
    const QList<int> rows = card.jobRows();
    try {
        const auto balances = entry::appendCard(cardHeader(), card.totalDays, card.leaves, card.lines(true, false));
        if (!balances) {
            showInfo(QString::fromLatin1(entry::kDuplicateCard), kCritical);
            return;
        }
        for (int k = 0; k < rows.size(); ++k) {
            card.rows[rows[k]].credit = 0;
            showBalance(rows[k], balances->at(k));
        }
    } catch (const entry::CardWriteError& e) {
        showInfo(e.boxText(app::notsaved::Card), kCritical);
        return;
    }
    showInfo(QString::fromLatin1(entry::kAppended), kInfo);
    try {
        RefreshBalances();
    } catch (const store::DbError&) {
    }
    saveButton->setEnabled(false);
}

void Main::updateCard()
{
    if (app::dialogs().message(QString::fromLatin1(entry::kChangeQuestion),
                               app::style::OkCancel + app::style::Information)
        == app::button::Cancel)
        return;
    const QList<int> rows = card.jobRows();
    try {
        const QList<double> balances =
            entry::updateCard(cardHeader(), card.totalDays, card.leaves, card.lines(true, true));
        for (int k = 0; k < rows.size(); ++k)
            showBalance(rows[k], balances.at(k));
    } catch (const entry::CardWriteError& e) {
        showInfo(e.boxText(app::notsaved::CardChange), kCritical);
        return;
    }
    try {
        RefreshBalances();
    } catch (const store::DbError&) {
    }
    showInfo(QString::fromLatin1(entry::kChanged), kInfo);
    Resetz();
}

void Main::deleteCard()
{
    if (app::dialogs().message(entry::deleteQuestion(employeePicker->currentText(), FromDate, ToDate),
                               app::style::YesNo + app::style::Exclamation)
        != app::button::Yes)
        return;
    try {
        entry::deleteCard(cardHeader(), card.lines(false, true), card.storedIds);
    } catch (const entry::CardWriteError& e) {
        showInfo(e.boxText(app::notsaved::CardDelete), kCritical);
        return;
    }
    try {
        RefreshBalances();
    } catch (const store::DbError&) {
    }
    card.storedIds.clear();
    recordKeyList->clear();
    Resetz();
    showInfo(QString::fromLatin1(entry::kDeleted), kInfo);
}

void Main::EditRecordCommand()
{
    if (employeeIdLabel->text().trimmed().isEmpty() || employeePicker->currentIndex() < 0)
        return;
    openStoredCard(entry::Card::Mode::Update);
}

void Main::DeleteRecordCommand()
{
    if (employeeIdLabel->text().trimmed().isEmpty() || employeePicker->currentIndex() < 0)
        return;
    openStoredCard(entry::Card::Mode::Delete);
}

void Main::openStoredCard(entry::Card::Mode wanted)
{
    Resetz();
    jobListPanel->setEnabled(false);
    periodPanel->setEnabled(false);
    employeePicker->setEnabled(false);
    departmentPicker->setEnabled(false);
    FindDuration();
    LoadRecord(employeeIdLabel->text().trimmed().toLongLong(), wanted);
}

void Main::LoadRecord(qint64 empId, entry::Card::Mode wanted)
{
    entry::LoadedCard c;
    try {
        c = entry::loadCard(empId, ToDate);
    } catch (const store::DbError& e) {
        showInfo(entry::errorBoxText(QStringLiteral("LoadRecord"), e), kCritical);
        Resetz();
        return;
    }
    const bool stored = card.open(c, wanted);
    recordKeyList->clear();
    for (int r = 0; r <= card.jobs.lastJobRow; ++r) {
        const entry::LoadedRow& row = c.rows[r];
        rowJobNumber[r]->setText(QString::number(row.jobNo));
        rowDays[r]->setText(app::generalNumber(row.days));
        recordKeyList->addItem(QString::number(row.id));
        if (row.jobFound) {
            rowFigures[r + 10]->setText(app::generalNumber(row.allotted));
            rowJobName[r]->setText(row.name);
        }
        showBalance(r, row.jobFound ? row.balance : 0);
        for (QWidget* w : std::initializer_list<QWidget*>{rowJobNumber[r], rowJobName[r], rowDays[r], rowFigures[r],
                                                          rowFigures[r + 10]})
            w->show();
    }
    if (c.leaves) {
        for (int i = 0; i < entry::kLeaveBoxes; ++i)
            leaveBoxes[i]->setText(app::generalNumber(c.leaves->box(i)));
        showSaveCaption();
    } else {
        showInfo(QString::fromLatin1(entry::kNoRecord), kInfo);
    }
    // Nothing stored at all: the window goes back to a new card. A card of
    // leave only stays open.
    if (!stored)
        Resetz();
}

void Main::Resetz()
{
    card.reset();
    showSaveCaption();
    for (int i = 0; i < 10; ++i) {
        for (QLabel* l : {rowJobNumber[i], rowJobName[i], rowFigures[i], rowFigures[i + 10], rowFigures[i + 20]})
            l->clear();
        for (QWidget* w : std::initializer_list<QWidget*>{rowJobNumber[i], rowJobName[i], rowFigures[i],
                                                          rowFigures[i + 10], rowPercent[i]})
            w->hide();
        rowDays[i]->clear();
        rowDays[i]->hide();
        rowStatus[i]->clear();
        rowStatus[i]->hide();
        setStatusOpen(i, false);
    }
    for (QLineEdit* t : leaveBoxes)
        t->clear();
    statusUpdateButton->setEnabled(false);
    EnableCardEntry();
    showDaysLeft();
}

void Main::EnableCardEntry()
{
    for (QWidget* w : std::initializer_list<QWidget*>{jobListPanel, leavePanel, employeePicker, departmentPicker, saveButton})
        w->setEnabled(true);
    periodPanel->setEnabled(!datesLocked_);
}

void Main::DisableCardEntry()
{
    for (QWidget* w : std::initializer_list<QWidget*>{jobListPanel, periodPanel, leavePanel, employeePicker, departmentPicker, saveButton})
        w->setEnabled(false);
}

} // namespace ui
