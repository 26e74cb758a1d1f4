#include "entry/cardstore.h"

#include "app/calendar.h"
#include "app/failurebox.h"
#include "entry/cardaudit.h"

#include <algorithm>
#include <numeric>

#include <memory>

namespace entry {

namespace {

const QString kEdbookedOfCard = QStringLiteral("SELECT ID FROM edbooked WHERE Emp_ID = ? AND MonthName = ?");
const QString kLeavesOfCard =
    QStringLiteral("SELECT ID FROM leaves WHERE Emp_ID = ? AND MonthName = ? ORDER BY ID");
const QString kInsertLeaves = QStringLiteral(
    "INSERT INTO leaves (MonthName, Deptt, Emp_ID, EmpName, ED_Booked, CL, rh, EL, SL, HPL, HLY, SPL, LWP, MSC) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
const QString kInsertEdbooked = QStringLiteral(
    "INSERT INTO edbooked (MonthName, Deptt, Emp_ID, EmpName, JobNo, DaysBooked, Emp_Tot_ED, Bal_ED) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
// The balance moves relative to what is stored, so the stored value is the
// base of every change.
const QString kMoveBalance =
    QStringLiteral("UPDATE jobs SET Bal_ED = Bal_ED + ?, DateUpdate = ? WHERE JobNo = ?");
const QString kBalanceOf = QStringLiteral("SELECT Bal_ED FROM jobs WHERE JobNo = ?");
const QString kUpdateLeaves = QStringLiteral(
    "UPDATE leaves SET ED_Booked = ?, CL = ?, rh = ?, EL = ?, SL = ?, HPL = ?, HLY = ?, SPL = ?, LWP = ?, MSC = ? "
    "WHERE ID = ?");
const QString kUpdateEdbooked = QStringLiteral(
    "UPDATE edbooked SET DaysBooked = ?, Emp_Tot_ED = ?, Bal_ED = ? WHERE MonthName = ? AND Emp_ID = ? AND JobNo = ?");
const QString kStoredDays =
    QStringLiteral("SELECT DaysBooked FROM edbooked WHERE MonthName = ? AND Emp_ID = ? AND JobNo = ? ORDER BY ID");
// Writing the employee's row to itself makes a second save of the same
// employee wait until the first has committed or rolled back, so the
// duplicate check inside the transaction sees what the other one wrote.
const QString kLockEmployee = QStringLiteral("UPDATE employees SET EmpName = EmpName WHERE Emp_ID = ?");
const QString kDeleteLeaves = QStringLiteral("DELETE FROM leaves WHERE ID = ?");
// A booking row of the card opened; none when the card changed since.
const QString kDeleteEdbooked = QStringLiteral("DELETE FROM edbooked WHERE ID = ? AND Emp_ID = ? AND MonthName = ?");
const QString kLoadRows = QStringLiteral(
    "SELECT JobNo, DaysBooked, ID FROM edbooked WHERE Emp_ID = ? AND MonthName = ? ORDER BY ID");
const QString kLoadJob = QStringLiteral("SELECT Bal_ED, Limit_ED, JobName FROM jobs WHERE JobNo = ?");
const QString kLoadLeaves = QStringLiteral(
    "SELECT CL, rh, HPL, SL, EL, SPL, LWP, MSC, HLY FROM leaves WHERE Emp_ID = ? AND MonthName = ? ORDER BY ID");

store::DbError noRecord(const QString& what)
{
    return store::DbError(store::ErrorKind::NoRecord, QStringLiteral("3021"), QString(),
                          QStringLiteral("No record found in the Database: ") + what + QLatin1Char('.'));
}

// Runs one step of a card write; a database error is tagged with the
// routine it belongs to.
template <typename F>
auto step(const char* routine, F&& f)
{
    try {
        return f();
    } catch (const store::DbError& e) {
        throw CardWriteError(QString::fromLatin1(routine), e);
    }
}

// Moves a job's stored balance by `delta`, stamps the month-end date and
// returns the new balance.
double moveBalance(qint64 jobNo, double delta, const QDate& toDate)
{
    return step(kUpdateProgED, [&] {
        store::exec(kMoveBalance, {delta, app::calendar::dateUpdateText(toDate), jobNo});
        auto q = store::exec(kBalanceOf, {jobNo});
        if (!q.next())
            throw noRecord(QStringLiteral("job number ") + QString::number(jobNo));
        return store::num(q.value(0));
    });
}

// Moves the balance of every line's job by its delta and gives back the new
// balances in line order. The jobs are changed in ascending job-number order,
// so two cards booking the same jobs lock them in the same order and never
// wait on each other in a circle; each job row stays locked until the card
// commits, so the balance read back is the one right after this card.
QList<double> moveBalances(const QList<CardLine>& lines, const QList<double>& deltas, const QDate& toDate)
{
    QList<int> order(lines.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return lines[a].jobNo < lines[b].jobNo; });
    QList<double> balances(lines.size());
    for (int i : order)
        balances[i] = moveBalance(lines[i].jobNo, deltas[i], toDate);
    return balances;
}

QList<QVariant> leaveValues(const LeaveValues& l)
{
    // In the order of the columns CL, rh, EL, SL, HPL, HLY, SPL, LWP, MSC.
    return {l.CL, l.RH, l.EL, l.SL, l.HPL, l.HLY, l.SPL, l.LWP, l.MSC};
}

std::unique_ptr<store::Transaction> beginCard(qint64 empId)
{
    return step(kAddRecord, [&] {
        auto t = std::make_unique<store::Transaction>();
        store::exec(kLockEmployee, {empId});
        return t;
    });
}

// Days the card holds for a job now; the base of an update or delete.
double storedDays(const CardHeader& card, qint64 jobNo, const char* routine)
{
    return step(routine, [&] {
        auto q = store::exec(kStoredDays, {card.toDate, card.empId, jobNo});
        if (!q.next())
            throw noRecord(QStringLiteral("booking of job number ") + QString::number(jobNo));
        return store::num(q.value(0));
    });
}

void commit(store::Transaction& t)
{
    step(kAddRecord, [&] { t.commit(); });
}

} // namespace

CardWriteError::CardWriteError(QString routine, store::DbError error)
    : routine_(std::move(routine)), error_(std::move(error))
{
}

QString CardWriteError::boxText(const QString& notSaved) const
{
    return errorBoxText(routine_, error_, notSaved);
}

QString errorBoxText(const QString& routine, const store::DbError& e, const QString& notSaved)
{
    return app::failureBoxText(routine, e, notSaved);
}

bool cardExists(qint64 empId, const QDate& toDate)
{
    if (store::exec(kEdbookedOfCard, {empId, toDate}).next())
        return true;
    return store::exec(kLeavesOfCard, {empId, toDate}).next();
}

std::optional<QList<double>> appendCard(const CardHeader& card, double totalED, const LeaveValues& leaves,
                                        const QList<CardLine>& lines)
{
    auto t = beginCard(card.empId);
    step(kAddRecord, [&] { checkNewCardMonth(card); });
    if (step(kAddRecord, [&] { return cardExists(card.empId, card.toDate); }))
        return std::nullopt;
    const bool refused = step(kAddRecord, [&] {
        QList<QVariant> v{card.toDate, card.deptt, card.empId, card.empName, totalED};
        v << leaveValues(leaves);
        try {
            store::exec(kInsertLeaves, v);
        } catch (const store::DbError& e) {
            // The card's unique key: another desktop stored this card first.
            if (e.kind() == store::ErrorKind::DuplicateKey)
                return true;
            throw;
        }
        return false;
    });
    if (refused)
        return std::nullopt; // rolled back: nothing written
    QList<double> deltas;
    for (const CardLine& l : lines)
        deltas << l.credit - l.days;
    const QList<double> balances = moveBalances(lines, deltas, card.toDate);
    // The booking rows draw their record keys only now, while the card holds
    // all its jobs: of two cards on one job, the one that commits first has
    // the lower keys, so the bookings in key order replay the balances.
    for (int i = 0; i < lines.size(); ++i) {
        const CardLine& l = lines[i];
        step(kAddRecordED, [&] {
            store::exec(kInsertEdbooked,
                        {card.toDate, card.deptt, card.empId, card.empName, l.jobNo, l.days, totalED, balances[i]});
        });
    }
    step(kAddRecord,
         [&] { auditCard(store::audit::Command::CardAppend, card, {}, lines, totalED, leaves, balances); });
    commit(*t);
    return balances;
}

QList<double> updateCard(const CardHeader& card, double totalED, const LeaveValues& leaves,
                         const QList<CardLine>& lines)
{
    auto t = beginCard(card.empId);
    const QJsonObject before = step(kAddRecord, [&] { return openStoredCardForChange(card); });
    step(kAddRecord, [&] {
        auto q = store::exec(kLeavesOfCard, {card.empId, card.toDate});
        if (!q.next())
            throw noRecord(QStringLiteral("leaves of the card"));
        const qint64 id = store::whole(q.value(0));
        q.finish();
        QList<QVariant> v{totalED};
        v << leaveValues(leaves) << id;
        store::exec(kUpdateLeaves, v);
    });
    // The days stored now are given back, whatever the screen last showed.
    QList<double> deltas;
    for (const CardLine& l : lines)
        deltas << l.credit - l.days + storedDays(card, l.jobNo, kAddRecordED);
    const QList<double> balances = moveBalances(lines, deltas, card.toDate);
    for (int i = 0; i < lines.size(); ++i) {
        const CardLine& l = lines[i];
        step(kAddRecordED, [&] {
            store::exec(kUpdateEdbooked, {l.days, totalED, balances[i], card.toDate, card.empId, l.jobNo});
        });
    }
    step(kAddRecord,
         [&] { auditCard(store::audit::Command::CardUpdate, card, before, lines, totalED, leaves, balances); });
    commit(*t);
    return balances;
}

QList<double> deleteCard(const CardHeader& card, const QList<CardLine>& lines, const QList<qint64>& edIds)
{
    auto t = beginCard(card.empId);
    const QJsonObject before = step(kAddRecord, [&] { return openStoredCardForChange(card); });
    const qint64 leavesId = step(kAddRecord, [&] {
        auto q = store::exec(kLeavesOfCard, {card.empId, card.toDate});
        if (!q.next())
            throw noRecord(QStringLiteral("leaves of the card"));
        return store::whole(q.value(0));
    });
    QList<double> deltas;
    for (const CardLine& l : lines)
        deltas << l.credit + storedDays(card, l.jobNo, kUpdateProgED);
    const QList<double> balances = moveBalances(lines, deltas, card.toDate);
    step(kAddRecord, [&] {
        store::exec(kDeleteLeaves, {leavesId});
        for (qint64 ed : edIds)
            if (store::exec(kDeleteEdbooked, {ed, card.empId, card.toDate}).numRowsAffected() != 1)
                throw noRecord(QStringLiteral("booking row ") + QString::number(ed)
                               + QStringLiteral(" of the card (it was changed since it was opened)"));
    });
    step(kAddRecord, [&] { auditCard(store::audit::Command::CardDelete, card, before, lines); });
    commit(*t);
    return balances;
}

LoadedCard loadCard(qint64 empId, const QDate& toDate)
{
    LoadedCard c;
    {
        auto q = store::exec(kLoadRows, {empId, toDate});
        while (q.next()) {
            LoadedRow r;
            r.jobNo = store::whole(q.value(0));
            r.days = store::num(q.value(1));
            r.id = store::whole(q.value(2));
            c.rows << r;
        }
    }
    for (LoadedRow& r : c.rows) {
        auto q = store::exec(kLoadJob, {r.jobNo});
        if (q.next()) {
            r.jobFound = true;
            r.balance = store::num(q.value(0));
            r.allotted = store::num(q.value(1));
            r.name = store::textOf(q.value(2));
        }
    }
    auto q = store::exec(kLoadLeaves, {empId, toDate});
    if (q.next()) {
        LeaveValues l;
        for (int i = 0; i < kLeaveBoxes; ++i)
            l.setBox(i, store::num(q.value(i)));
        c.leaves = l;
    }
    return c;
}

QString deleteQuestion(const QString& empName, const QDate& from, const QDate& to)
{
    const QString fmt = QStringLiteral("dd/MM/yyyy");
    return (QStringLiteral("Really want to delete the enteries against ") + empName + QStringLiteral(" for the period ")
            + from.toString(fmt) + QStringLiteral(" to ") + to.toString(fmt) + QLatin1Char('.'))
        .toUpper();
}

} // namespace entry
