// The data-entry window at the keyboard: Enter and Space on the job lists,
// key shortcuts, Escape on open forms, the tab order of the screen; the
// days-left line, the job filter and a card started from the previous one.
#include "ui/main.h"

#include "app/numtext.h"
#include "entry/cardstart.h"
#include "store/database.h"
#include "ui/common.h"
#include "ui/employeepicker.h"
#include "ui/main_parts.h"
#include "ui/periodpickers.h"
#include "ui/usermanual.h"
#include "ui/windowplace.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QShortcut>

namespace ui {

using namespace mainparts;

namespace {

// Runs `act` on Enter, Return or Space in a list, as a double-click would.
class ListKeys : public QObject {
public:
    ListKeys(QListWidget* list, std::function<void()> act) : QObject(list), act_(std::move(act))
    {
        list->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        const auto* k = static_cast<QKeyEvent*>(e);
        if (k->modifiers() & ~Qt::KeypadModifier)
            return false;
        if (k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter && k->key() != Qt::Key_Space)
            return false;
        act_();
        return true;
    }

private:
    std::function<void()> act_;
};

// Gives a command its key and a tooltip naming it.
void keyFor(QAction* a, const QKeySequence& key, const QString& tip)
{
    a->setShortcut(key);
    a->setToolTip(tip + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + QLatin1Char(')'));
}

void keyFor(QPushButton* b, QWidget* window, const QKeySequence& key)
{
    auto* s = new QShortcut(key, window);
    QObject::connect(s, &QShortcut::activated, b, [b] {
        if (b->isVisible() && b->isEnabled())
            b->click();
    });
    b->setToolTip(b->text() + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + QLatin1Char(')'));
}

} // namespace

void Main::buildKeys(QWidget* central, QVBoxLayout* cardColumn, QVBoxLayout* jobColumn)
{
    Q_UNUSED(jobColumn);
    rememberPlace(this, QStringLiteral("DataEntry"), false);

    // Days left, under the card.
    daysLeftLabel = named(new QLabel(central), QStringLiteral("DaysLeft"));
    cardColumn->insertWidget(cardColumn->indexOf(leavePanel) + 1, daysLeftLabel);

    // A card from the previous one, beside the employee picker.
    lastCardButton = named(new QPushButton(QStringLiteral("From Last Card"), central), QStringLiteral("LastCard"));
    for (int i = 0; i < cardColumn->count(); ++i)
        if (auto* g = qobject_cast<QGridLayout*>(cardColumn->itemAt(i)->layout()))
            if (const int k = g->indexOf(employeePicker); k >= 0) {
                int row, col, rs, cs;
                g->getItemPosition(k, &row, &col, &rs, &cs);
                g->addWidget(lastCardButton, row, g->columnCount());
            }
    // Room for a name with its designation beside the button.
    employeePicker->setMinimumContentsLength(20);
    lastCardAction = recordMenu->addAction(QStringLiteral("Start from Last Card"));
    lastCardAction->setObjectName(QStringLiteral("StartFromLastCard"));
    connect(lastCardAction, &QAction::triggered, this, &Main::StartFromLastCard);
    connect(lastCardButton, &QPushButton::clicked, this, &Main::StartFromLastCard);

    // Filter above the job lists.
    jobFilter = named(new QLineEdit(jobListPanel), QStringLiteral("JobFilter"));
    jobFilter->setClearButtonEnabled(true);
    if (auto* jl = qobject_cast<QGridLayout*>(jobListPanel->layout()))
        if (QLayoutItem* lists = jl->itemAtPosition(0, 0)) {
            jl->removeItem(lists);
            auto* v = new QVBoxLayout();
            v->addWidget(jobFilter);
            v->addItem(lists);
            jl->addLayout(v, 0, 0, 1, 2);
        }
    connect(jobFilter, &QLineEdit::textChanged, this, &Main::filterJobs);
    // A job chosen while its entry is filtered out (the Find buttons) shows
    // the whole list again.
    for (QListWidget* l : {jobNumberList, jobNameList, sortedJobNumberList})
        connect(l, &QListWidget::currentRowChanged, this, [this, l](int i) {
            if (i >= 0 && l->isRowHidden(i))
                jobFilter->clear();
        });

    // Enter and Space on the job lists.
    new ListKeys(jobNumberList, [this] { placeChosenJob(); });
    new ListKeys(jobNameList, [this] { showJobNameHint(); });
    new ListKeys(sortedJobNumberList, [this] { placeChosenSortedJob(); });

    // Enter on a row's status opens it for changing, and stores it once open;
    // Ctrl+I credits the allotted ED to the row being typed in.
    for (int r = 0; r < 10; ++r)
        connect(rowStatus[r], &QLineEdit::returnPressed, this, [this, r] {
            if (!statusChange.open)
                openStatusChange(r);
            else if (statusChange.row == r && statusUpdateButton->isEnabled())
                JobStUpdate();
        });
    auto* creditKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_I), this);
    connect(creditKey, &QShortcut::activated, this, [this] {
        for (int r = 0; r < 10; ++r)
            if (rowDays[r]->hasFocus() || rowStatus[r]->hasFocus())
                creditAllottedDays(r);
    });

    // Keys of the commands.
    keyFor(reportAction, QKeySequence(Qt::CTRL | Qt::Key_R), QStringLiteral("Reports"));
    keyFor(settingsAction, QKeySequence(Qt::CTRL | Qt::Key_T), QStringLiteral("Settings"));
    keyFor(aboutAction, QKeySequence(Qt::CTRL | Qt::Key_B), QStringLiteral("About"));
    keyFor(exitAction, QKeySequence(Qt::CTRL | Qt::Key_Q), QStringLiteral("Exit"));
    keyFor(editRecordAction, QKeySequence(Qt::CTRL | Qt::Key_E), QStringLiteral("Open the card to edit"));
    keyFor(deleteRecordAction, QKeySequence(Qt::CTRL | Qt::Key_D), QStringLiteral("Open the card to delete"));
    keyFor(resetAction, QKeySequence(Qt::CTRL | Qt::Key_N), QStringLiteral("Reset"));
    keyFor(editJobAction, QKeySequence(Qt::CTRL | Qt::Key_J), QStringLiteral("Edit the chosen job"));
    keyFor(lastCardAction, QKeySequence(Qt::CTRL | Qt::Key_M), QStringLiteral("Start from the last card"));
    recordMenu->setToolTipsVisible(true);
    lastCardButton->setToolTip(lastCardAction->toolTip());
    keyFor(saveButton, this, QKeySequence(Qt::CTRL | Qt::Key_S));
    keyFor(statusUpdateButton, this, QKeySequence(Qt::CTRL | Qt::Key_U));
    keyFor(showJobsButton, this, QKeySequence(Qt::CTRL | Qt::Key_L));
    keyFor(findJobNumberButton, this, QKeySequence(Qt::CTRL | Qt::Key_G));
    keyFor(findJobNameButton, this, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G));
    keyFor(jobSaveButton, this, QKeySequence(Qt::CTRL | Qt::Key_Return));
    jobCancelButton->setToolTip(QStringLiteral("Cancel (Esc)"));
    auto* filterKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_K), this);
    connect(filterKey, &QShortcut::activated, jobFilter, [this] { jobFilter->setFocus(); });
    jobFilter->setPlaceholderText(QStringLiteral("Filter jobs by number or name (Ctrl+K)"));
    jobFilter->setToolTip(jobFilter->placeholderText());
    auto* manualKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(manualKey, &QShortcut::activated, this, [] { openUserManual(); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &Main::abandonOpenForm);

    // Tab order: as the screen reads, left to right and top to bottom.
    QList<QWidget*> order;
    for (QComboBox* b : periods->from)
        order << b;
    for (QComboBox* b : periods->to)
        order << b;
    order << departmentPicker << employeePicker << lastCardButton;
    for (int r = 0; r < 10; ++r) {
        order << rowDays[r] << rowStatus[r];
        rowStatus[r]->setToolTip(QStringLiteral("Enter: change the job's status; Ctrl+I: credit the allotted ED"));
    }
    for (int serial = 1; serial <= 9; ++serial)
        for (int i = 0; i < 9; ++i)
            if (leaveSerials[i]->text().toInt() == serial)
                order << leaveBoxes[i];
    order << saveButton << statusUpdateButton << showJobsButton << jobFilter << jobNumberList << jobNameList
          << sortedJobNumberList << jobNumberSearch << findJobNumberButton << jobNameSearch << findJobNameButton
          << jobNumberField << jobNameField << clientField << allottedField << balanceField << statusField
          << leadDepartmentPicker << jobSaveButton << jobCancelButton;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    // The days-left line follows the typing and the period pickers.
    for (QLineEdit* t : rowDays)
        connect(t, &QLineEdit::textChanged, this, &Main::showDaysLeft);
    for (QLineEdit* t : leaveBoxes)
        connect(t, &QLineEdit::textChanged, this, &Main::showDaysLeft);
    for (QComboBox* b : periods->from)
        connect(b, &QComboBox::currentIndexChanged, this, &Main::showDaysLeft);
    for (QComboBox* b : periods->to)
        connect(b, &QComboBox::currentIndexChanged, this, &Main::showDaysLeft);
}

void Main::showDaysLeft()
{
    const auto p = periods->findDuration();
    QPalette pal = daysLeftLabel->palette();
    pal.setColor(QPalette::WindowText, palette().color(QPalette::WindowText));
    if (!p) {
        daysLeftLabel->setText(QString());
        daysLeftLabel->setPalette(pal);
        return;
    }
    const entry::DaysCount c = entry::countDays(jobBoxTexts(), card.jobs.lastJobRow, leaveBoxTexts(), p->days);
    daysLeftLabel->setText(entry::daysCountText(c));
    if (c.left < 0)
        pal.setColor(QPalette::WindowText, QColor(255, 0, 0));
    else if (c.left == 0)
        pal.setColor(QPalette::WindowText, QColor(0, 128, 0));
    daysLeftLabel->setPalette(pal);
}

void Main::filterJobs(const QString& text)
{
    const QString t = text.trimmed();
    QSet<QString> hiddenNumbers;
    for (int i = 0; i < jobNumberList->count(); ++i) {
        const QString no = jobNumberList->item(i)->text();
        const bool hide = !t.isEmpty() && !no.contains(t, Qt::CaseInsensitive)
            && !textOf(jobNameList, i).contains(t, Qt::CaseInsensitive);
        jobNumberList->setRowHidden(i, hide);
        jobNameList->setRowHidden(i, hide);
        if (hide)
            hiddenNumbers.insert(no);
    }
    for (int i = 0; i < sortedJobNumberList->count(); ++i)
        sortedJobNumberList->setRowHidden(i, hiddenNumbers.contains(sortedJobNumberList->item(i)->text()));
}

void Main::StartFromLastCard()
{
    if (card.mode != entry::Card::Mode::Append || !jobListPanel->isEnabled())
        return;
    bool ok = false;
    const qint64 empId = employeeIdLabel->text().trimmed().toLongLong(&ok);
    if (!ok || employeePicker->currentIndex() < 0) {
        showInfo(QString::fromLatin1(entry::kBadEmployeeNumber), kCritical);
        return;
    }
    const auto p = periods->findDuration();
    if (!p) {
        showInfo(QStringLiteral("The dates picked for the period do not exist."), kCritical);
        return;
    }
    entry::CardStart s;
    try {
        s = entry::startFromLastCard(empId, p->to);
    } catch (const store::DbError& e) {
        showInfo(entry::errorBoxText(QStringLiteral("StartFromLastCard"), e), kCritical);
        return;
    }
    if (!s.refusal.isEmpty()) {
        showInfo(s.refusal, kExclaim);
        return;
    }
    Resetz();
    jobFilter->clear();
    for (qint64 no : s.jobs) {
        const QString t = QString::number(no);
        for (int i = 0; i < jobNumberList->count(); ++i)
            if (jobNumberList->item(i)->text() == t) {
                jobNumberList->setCurrentRow(i);
                placeChosenJob();
                break;
            }
    }
    saveButton->setEnabled(true);
    rowDays[0]->setFocus();
    showDaysLeft();
}

QStringList Main::jobFormTexts() const
{
    QStringList l;
    for (QLineEdit* t : {jobNumberField, jobNameField, clientField, allottedField, balanceField, statusField})
        l << t->text();
    l << leadDepartmentPicker->currentText();
    return l;
}

void Main::abandonOpenForm()
{
    const auto ask = [] {
        return app::dialogs().message(QStringLiteral("Abandon what you have typed?"),
                                      app::style::YesNo + app::style::Question)
            == app::button::Yes;
    };
    if (statusChange.open) {
        const int r = statusChange.row;
        if (rowStatus[r]->text() != statusBeforeChange_ && !ask())
            return;
        rowStatus[r]->setText(statusBeforeChange_);
        statusUpdateButton->setEnabled(false);
        statusChange.open = false;
        setStatusOpen(r, false);
        EnableCardEntry();
        return;
    }
    if (jobMasterPanel->isVisible()) {
        if (jobFormTexts() != jobFormBefore_ && !ask())
            return;
        CancelzCommand();
    }
}

} // namespace ui
