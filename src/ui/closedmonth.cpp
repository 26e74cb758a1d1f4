#include "ui/closedmonth.h"

#include "admin/monthclose.h"
#include "app/calendar.h"
#include "app/clock.h"
#include "app/dialogs.h"
#include "app/failurebox.h"
#include "app/pickers.h"
#include "app/settings.h"
#include "store/monthclose.h"
#include "store/schema.h"
#include "ui/common.h"
#include "ui/periodpickers.h"

#include <QEvent>
#include <QGridLayout>

namespace ui {

namespace {

const QString kWindowTitle = QStringLiteral("Close or Reopen a Month");

// Every closed-month line, told when a month was closed or reopened here.
QList<ClosedMonthLine*>& lines()
{
    static QList<ClosedMonthLine*> l;
    return l;
}

void refreshLines()
{
    for (ClosedMonthLine* l : lines())
        l->refresh();
}

} // namespace

ClosedMonthLine::ClosedMonthLine(QWidget* parent, PeriodPickers* periods, QComboBox* department, QPushButton* save)
    : QLabel(parent), periods_(periods), department_(department), save_(save), wanted_(save->isEnabled())
{
    setObjectName(QStringLiteral("ClosedMonth"));
    setWordWrap(true);
    setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold"));
    hide();
    for (QComboBox* c : {periods->from[0], periods->from[1], periods->from[2], periods->to[0], periods->to[1],
                         periods->to[2], department})
        connect(c, &QComboBox::currentIndexChanged, this, &ClosedMonthLine::refresh);
    save->installEventFilter(this);
    lines() << this;
    connect(this, &QObject::destroyed, [this] { lines().removeAll(this); });
}

void ClosedMonthLine::refresh()
{
    closed_ = false;
    QString text;
    try {
        const auto p = periods_->findDuration();
        if (p && store::closeTablesExist()) {
            const auto s = store::monthState(department_->currentText(), p->to);
            if (s && s->closed) {
                closed_ = true;
                text = QStringLiteral("Month closed: the month ending %1 of %2 was closed on %3 by %4. Cards of it "
                                      "cannot be saved; ask the administrator to reopen it.")
                           .arg(p->to.toString(QStringLiteral("dd/MM/yyyy")), s->deptt, store::timeText(s->closedAt),
                                s->closedBy);
            }
        }
    } catch (const store::DbError&) {
        // The save itself checks again.
    }
    setText(text);
    setVisible(closed_);
    setSaveEnabled(wanted_ && !closed_);
}

void ClosedMonthLine::setSaveEnabled(bool on)
{
    setting_ = true;
    save_->setEnabled(on);
    setting_ = false;
}

bool ClosedMonthLine::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == save_ && event->type() == QEvent::EnabledChange && !setting_) {
        wanted_ = save_->isEnabled();
        if (closed_ && wanted_)
            setSaveEnabled(false);
    }
    return QLabel::eventFilter(watched, event);
}

void noteUpgradeNeeded(QStatusBar* bar)
{
    if (!bar || store::closeTablesExist())
        return;
    auto* note = named(new QLabel(QString::fromLatin1(store::kNeedsUpgrade), bar), QStringLiteral("UpgradeNote"));
    bar->addPermanentWidget(note);
}

QDate latestMonthEnd(const QDate& today, int startDay)
{
    // A card runs from day S of one month to day S - 1 of the next; with
    // S = 1 it ends on a month's last day.
    if (startDay <= 1)
        return QDate(today.year(), today.month(), 1).addDays(-1);
    const QDate thisMonth(today.year(), today.month(), std::min(startDay - 1, 28));
    return thisMonth <= today ? thisMonth : thisMonth.addMonths(-1);
}

MonthCloseWindow::MonthCloseWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("MonthClose"));
    setWindowTitle(kWindowTitle);
    auto* g = new QGridLayout(this);
    CloseDeptt = named(new QComboBox(this), QStringLiteral("CloseDeptt"));
    CloseMonthEnd = named(new QDateEdit(this), QStringLiteral("CloseMonthEnd"));
    CloseMonthEnd->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    CloseMonthEnd->setCalendarPopup(true);
    CloseState = named(new QLabel(this), QStringLiteral("CloseState"));
    CloseState->setWordWrap(true);
    CloseMonth = named(new QPushButton(QStringLiteral("&Close"), this), QStringLiteral("CloseMonth"));
    ReopenMonth = named(new QPushButton(QStringLiteral("&Reopen..."), this), QStringLiteral("ReopenMonth"));
    for (QPushButton* b : {CloseMonth, ReopenMonth})
        b->setAutoDefault(false);
    g->addWidget(new QLabel(QStringLiteral("Department"), this), 0, 0);
    g->addWidget(CloseDeptt, 0, 1, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Card month-end"), this), 1, 0);
    g->addWidget(CloseMonthEnd, 1, 1, 1, 2);
    g->addWidget(CloseState, 2, 0, 1, 3);
    g->addWidget(CloseMonth, 3, 1);
    g->addWidget(ReopenMonth, 3, 2);

    try {
        CloseDeptt->addItem(QString::fromLatin1(admin::kAllDepartments));
        CloseDeptt->addItems(app::departments());
    } catch (const store::DbError&) {
    }
    CloseMonthEnd->setDate(latestMonthEnd(app::today(), app::calendar::startDay(app::globals().StartDate)));
    connect(CloseDeptt, &QComboBox::currentIndexChanged, this, &MonthCloseWindow::showState);
    connect(CloseMonthEnd, &QDateEdit::dateChanged, this, &MonthCloseWindow::showState);
    connect(CloseMonth, &QPushButton::clicked, this, &MonthCloseWindow::closeClicked);
    connect(ReopenMonth, &QPushButton::clicked, this, &MonthCloseWindow::reopenClicked);
    showState();
}

void MonthCloseWindow::showState()
{
    QString text;
    try {
        if (!store::closeTablesExist()) {
            text = QString::fromLatin1(store::kNeedsUpgrade);
        } else if (CloseDeptt->currentText() != QLatin1String(admin::kAllDepartments)) {
            const auto s = store::monthState(CloseDeptt->currentText(), CloseMonthEnd->date());
            if (s && s->closed)
                text = QStringLiteral("Closed on %1 by %2.").arg(store::timeText(s->closedAt), s->closedBy);
            else if (s)
                text = QStringLiteral("Open (reopened on %1 by %2: %3).")
                           .arg(store::timeText(s->reopenedAt), s->reopenedBy, s->reopenReason);
            else
                text = QStringLiteral("Open.");
        }
    } catch (const store::DbError& e) {
        text = e.description();
    }
    CloseState->setText(text);
}

namespace {

void showOutcome(const QList<admin::MonthOutcome>& done)
{
    QStringList lines;
    for (const admin::MonthOutcome& o : done)
        lines << o.text;
    app::dialogs().message(lines.join(QStringLiteral("\r\n")), app::style::Information, kWindowTitle);
}

void showFailure(const store::DbError& e)
{
    app::dialogs().message(e.kind() == store::ErrorKind::ConnectionLost ? app::failureDescription(e)
                                                                        : e.description(),
                           app::style::Critical, kWindowTitle);
}

} // namespace

void MonthCloseWindow::closeClicked()
{
    try {
        showOutcome(admin::closeMonth(admin::departmentsOf(CloseDeptt->currentText()), CloseMonthEnd->date()));
    } catch (const store::DbError& e) {
        showFailure(e);
    }
    showState();
    refreshLines();
}

void MonthCloseWindow::reopenClicked()
{
    const std::optional<QString> reason =
        app::dialogs().input(QString::fromLatin1(admin::kReopenReasonPrompt), kWindowTitle);
    if (!reason)
        return;
    if (reason->trimmed().isEmpty()) {
        app::dialogs().message(QString::fromLatin1(admin::kReasonRequired), app::style::Exclamation, kWindowTitle);
        return;
    }
    try {
        showOutcome(
            admin::reopenMonth(admin::departmentsOf(CloseDeptt->currentText()), CloseMonthEnd->date(), *reason));
    } catch (const store::DbError& e) {
        showFailure(e);
    }
    showState();
    refreshLines();
}

QMenu* addMonthMenu(QWidget* window, QMenuBar* bar, QAction* before)
{
    auto* menu = new QMenu(QStringLiteral("&Months"), window);
    menu->setObjectName(QStringLiteral("Months"));
    QAction* open = menu->addAction(QStringLiteral("&Close or Reopen a Month..."));
    open->setObjectName(QStringLiteral("CloseMonths"));
    bar->insertMenu(before, menu);
    menu->setEnabled(false);
    QObject::connect(open, &QAction::triggered, window, [window] {
        auto* w = window->findChild<MonthCloseWindow*>();
        if (!w)
            w = new MonthCloseWindow(window);
        w->showState();
        w->show();
        w->raise();
    });
    return menu;
}

} // namespace ui
