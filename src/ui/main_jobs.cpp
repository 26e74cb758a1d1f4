// The data-entry window's job lists and job master: loading the lists,
// showing or hiding them, and adding or changing a job.
#include "ui/main.h"

#include "app/failurebox.h"
#include "app/numtext.h"
#include "app/pickers.h"
#include "entry/cardstore.h"
#include "entry/jobmaster.h"
#include "store/database.h"
#include "ui/common.h"
#include "ui/main_parts.h"

#include <QScreen>
#include <QScrollArea>
#include <QStyle>

#include <algorithm>

namespace ui {

namespace mainparts {

QString textOf(QListWidget* l, int i)
{
    QListWidgetItem* it = i >= 0 ? l->item(i) : nullptr;
    return it ? it->text() : QString();
}

} // namespace mainparts

using namespace mainparts;

namespace {

// Replaces a list's entries in one go.
void fillList(QListWidget* l, const QStringList& entries)
{
    l->clear();
    l->addItems(entries);
}

} // namespace

void Main::LoadJobLists()
{
    const entry::JobListTexts t = entry::jobListTexts();
    fillList(jobNumberList, t.jobNo);
    fillList(jobNameList, t.name);
    fillList(balanceList, t.balance);
    fillList(allottedList, t.allotted);
    fillList(statusList, t.status);
    // The sorted list takes its entries in order (the list's own order: by
    // text), rather than placing each entry as it comes.
    QStringList sorted = t.jobNo;
    std::sort(sorted.begin(), sorted.end());
    sortedJobNumberList->setSortingEnabled(false);
    fillList(sortedJobNumberList, sorted);
    sortedJobNumberList->setSortingEnabled(true);
    fillList(leadDepartmentList, t.lead);
    if (t.jobNo.isEmpty()) {
        showInfo(QString::fromLatin1(entry::kNoJobs), kInfo);
    } else {
        jobNumberList->setCurrentRow(0);
        jobNameList->setCurrentRow(0);
    }
    jobListPanel->setTitle(entry::listsCaption(jobNumberList->count()));
    ownWidth_ = fitJobNames();
}

int Main::fitJobNames()
{
    const QFontMetrics fm(jobNameList->font());
    int widest = 0;
    for (int i = 0; i < jobNameList->count(); ++i)
        widest = std::max(widest, fm.horizontalAdvance(jobNameList->item(i)->text()));
    // The entry's margins, the list's frame and its vertical scroll bar.
    const int want = widest + 12 + 2 * jobNameList->frameWidth() +
                     jobNameList->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, jobNameList);
    auto* area = qobject_cast<QScrollArea*>(centralWidget());
    QWidget* content = area && area->widget() ? area->widget() : centralWidget();
    const int now = std::max(jobNameList->minimumWidth(), jobNameList->minimumSizeHint().width());
    const int others = content->minimumSizeHint().width() - now;
    // The window's frame and the content's vertical scroll bar, where it shows.
    const int edges = 16 + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int screenWidth = screen() ? screen()->availableGeometry().width() : 1366;
    const int room = screenWidth - edges - others;
    jobNameList->setMinimumWidth(std::max(now, std::min(want, room)));
    // Names longer than that scroll sideways.
    jobNameList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return std::max(twips(12000), std::min(screenWidth - 16, content->minimumSizeHint().width() + edges));
}

void Main::LoadLeadDeptts()
{
    const QStringList leads = app::leadDepartments();
    leadDepartmentPicker->clear();
    leadDepartmentPicker->addItems(leads);
    if (!leads.isEmpty())
        leadDepartmentPicker->setCurrentIndex(0);
}

void Main::RefreshBalances()
{
    // Each balance goes to the entry of its own job.
    const QHash<qint64, double> b = entry::balancesByJob();
    for (int i = 0; i < jobNumberList->count(); ++i) {
        const qint64 no = jobNumberList->item(i)->text().toLongLong();
        if (b.contains(no))
            if (QListWidgetItem* it = balanceList->item(i))
                it->setText(app::generalNumber(b.value(no)));
    }
}

void Main::showJobNameHint()
{
    showInfo(entry::jobNameHint(textOf(jobNumberList, jobNameList->currentRow())), kInfo);
}

void Main::placeChosenSortedJob()
{
    const QString no = textOf(sortedJobNumberList, sortedJobNumberList->currentRow());
    for (int i = 0; i < jobNumberList->count(); ++i)
        if (jobNumberList->item(i)->text() == no) {
            jobNumberList->setCurrentRow(i);
            placeChosenJob();
            return;
        }
}

void Main::ShowJobsCommand()
{
    if (isMaximized()) {
        showInfo(QStringLiteral("You can not Resize Screen when Maximized."), kCritical);
        showJobsButton->setText(QStringLiteral("Hide JobList"));
        return;
    }
    if (showJobsButton->text() == QLatin1String("Show JobList")) {
        showJobsButton->setText(QStringLiteral("Hide JobList"));
        jobListPanel->show();
        jobMasterPanel->setVisible(jobMasterPanel->property("open").toBool());
        resize(twips(12000), height());
        move(0, y());
    } else {
        showJobsButton->setText(QStringLiteral("Show JobList"));
        jobMasterPanel->setProperty("open", !jobMasterPanel->isHidden());
        jobListPanel->hide();
        jobMasterPanel->hide();
        move(twips(2445), y());
        resize(twips(6735), height());
    }
}

void Main::EditJobCommand()
{
    EditJobMode = false;
    const QString no = textOf(jobNumberList, jobNumberList->currentRow());
    if (no.isEmpty())
        return;
    if (app::dialogs().message(entry::editJobQuestion(no), app::style::YesNo + app::style::Information)
        != app::button::Yes)
        return;
    jobMasterPanel->show();
    try {
        const auto j = entry::readJob(no.toLongLong());
        if (j) {
            jobNumberField->setText(QString::number(j->jobNo));
            jobNameField->setText(j->name);
            clientField->setText(j->client);
            allottedField->setText(app::generalNumber(j->allotted));
            balanceField->setText(app::generalNumber(j->balance));
            statusField->setText(app::generalNumber(j->status));
            EditJobBalance = app::leadingNumber(balanceField->text());
            leadDepartmentPicker->setCurrentText(j->lead);
            const int k = leadDepartmentPicker->findText(j->lead);
            if (k >= 0)
                leadDepartmentPicker->setCurrentIndex(k);
        }
    } catch (const store::DbError& e) {
        showInfo(entry::errorBoxText(QStringLiteral("EditJob"), e), kCritical);
        return;
    }
    EditJobMode = true;
    jobNumberField->setReadOnly(true);
    // A change stores no lead department.
    balanceField->setReadOnly(false);
    leadDepartmentPicker->setEnabled(false);
    jobFormBefore_ = jobFormTexts();
}

void Main::AddJobCommand()
{
    try {
        const auto no = entry::jobNumberOf(jobNumberField->text());
        if (!EditJobMode && no && entry::jobExists(*no)) {
            showInfo(QString::fromLatin1(entry::kDuplicateJob), kExclaim);
            return;
        }
        if (!no) {
            showInfo(QString::fromLatin1(entry::kBadJobNo), kExclaim);
            return;
        }
        if (!entry::allottedDaysOf(allottedField->text())) {
            showInfo(QString::fromLatin1(entry::kBadAllotted), kExclaim);
            return;
        }
        if (const auto bad = entry::jobPanelProblem(jobNameField->text(), clientField->text(), balanceField->text(),
                                                    statusField->text())) {
            showInfo(*bad, kExclaim);
            return;
        }
        if (EditJobMode) {
            EditJobMode = false;
            Update_Edit();
        } else {
            if (app::dialogs().message(QString::fromLatin1(entry::kAddJobQuestion),
                                       app::style::YesNoCancel + app::style::Question)
                != app::button::Yes)
                return;
            app::Job j;
            j.jobNo = *no;
            j.name = jobNameField->text();
            j.client = clientField->text();
            j.allotted = allottedField->text().trimmed().toDouble();
            j.status = app::leadingNumber(statusField->text());
            j.lead = leadDepartmentPicker->currentText();
            if (!entry::addJob(j)) {
                // Another desktop added the number since the look-up.
                showInfo(QString::fromLatin1(entry::kDuplicateJob), kExclaim);
                return;
            }
            jobNumberList->addItem(QString::number(j.jobNo));
            jobNameList->addItem(j.name);
            balanceList->addItem(QStringLiteral("0"));
            allottedList->addItem(app::generalNumber(j.allotted));
            statusList->addItem(app::generalNumber(j.status));
            sortedJobNumberList->addItem(QString::number(j.jobNo));
            leadDepartmentList->addItem(j.lead);
            jobListPanel->setTitle(entry::listsCaption(jobNumberList->count()));
            showInfo(QString::fromLatin1(entry::kJobAppended), kInfo);
        }
    } catch (const store::DbError& e) {
        showInfo(entry::errorBoxText(QStringLiteral("AddJob"), e, app::notsaved::NewJob), kCritical);
        return;
    }
    closeJobPanel();
}

void Main::Update_Edit()
{
    app::Job j;
    j.jobNo = jobNumberField->text().trimmed().toLongLong();
    j.name = jobNameField->text();
    j.client = clientField->text();
    j.allotted = allottedField->text().trimmed().toDouble();
    j.balance = app::leadingNumber(balanceField->text());
    j.status = app::leadingNumber(statusField->text());
    try {
        if (!entry::updateJob(j, EditJobBalance)) {
            showInfo(QString::fromLatin1(entry::kJobMissing), kCritical);
            return;
        }
    } catch (const store::DbError& e) {
        showInfo(entry::errorBoxText(QStringLiteral("Update_Edit"), e, app::notsaved::JobChange), kCritical);
        return;
    }
    showInfo(QString::fromLatin1(entry::kJobUpdated), kInfo);
}

void Main::CancelzCommand()
{
    EditJobMode = false;
    closeJobPanel();
}

void Main::closeJobPanel()
{
    for (QWidget* w :
         std::initializer_list<QWidget*>{findJobNumberButton, findJobNameButton, jobNumberSearch, jobNameSearch})
        w->setEnabled(true);
    EnableCardEntry();
    jobRowsPanel->setEnabled(true);
    balanceField->setReadOnly(false);
    leadDepartmentPicker->setEnabled(true);
    jobMasterPanel->hide();
}

} // namespace ui
