#include "entry/cardstore.h"

#include "app/calendar.h"
#include "app/failurebox.h"
#include "app/textcheck.h"
#include "entry/cardaudit.h"

#include <algorithm>
#include <numeric>
#include <tuple>

#include "store/dialect.h"
#include "store/monthclose.h"

#include <map>
#include <memory>

namespace entry {

namespace {

// Any row of the card, in either table.
const QString kCardRow = QStringLiteral(
    "SELECT 1 FROM edbooked WHERE Emp_ID = ? AND MonthName = ? "
    "UNION ALL SELECT 1 FROM leaves WHERE Emp_ID = ? AND MonthName = ?");
const QString kInsertLeaves = QStringLiteral(
    "INSERT INTO leaves (MonthName, Deptt, Emp_ID, EmpName, ED_Booked, CL, rh, EL, SL, HPL, HLY, SPL, LWP, MSC) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
// All the card's booking rows in one statement: one group of values a row.
const QString kInsertEdbooked = QStringLiteral(
    "INSERT INTO edbooked (MonthName, Deptt, Emp_ID, EmpName, JobNo, DaysBooked, Emp_Tot_ED, Bal_ED) VALUES ");
const QString kEdbookedValues = QStringLiteral("(?, ?, ?, ?, ?, ?, ?, ?)");
// The jobs of the card, locked in ascending job-number order.
const QString kLockJobs = QStringLiteral("SELECT JobNo FROM jobs WHERE JobNo IN (%1) ORDER BY JobNo");
// The balance moves relative to what is stored, so the stored value is the
// base of every change: "Bal_ED = Bal_ED + <the job's delta>".
const QString kMoveBalances =
    QStringLiteral("UPDATE jobs SET Bal_ED = Bal_ED + CASE JobNo %1 END, DateUpdate = ? WHERE JobNo IN (%2)");
const QString kBalancesOf = QStringLiteral("SELECT JobNo, Bal_ED FROM jobs WHERE JobNo IN (%1)");
// The card's leaves row (the first one, should older tables hold two).
const QString kUpdateLeaves = QStringLiteral(
    "UPDATE leaves SET ED_Booked = ?, CL = ?, rh = ?, EL = ?, SL = ?, HPL = ?, HLY = ?, SPL = ?, LWP = ?, MSC = ? "
    "WHERE ID = (SELECT MIN(ID) FROM leaves WHERE Emp_ID = ? AND MonthName = ?)");
const QString kUpdateEdbooked = QStringLiteral(
    "UPDATE edbooked SET DaysBooked = CASE JobNo %1 END, Emp_Tot_ED = ?, Bal_ED = CASE JobNo %1 END "
    "WHERE MonthName = ? AND Emp_ID = ? AND JobNo IN (%2)");
// The card's booking rows as stored: the base of an update or delete and the
// audit trail's values before it.
const QString kStoredRows = QStringLiteral(
    "SELECT ID, JobNo, DaysBooked, Bal_ED FROM edbooked WHERE MonthName = ? AND Emp_ID = ? ORDER BY ID");
// Writing the employee's row to itself makes a second save of the same
// employee wait until the first has committed or rolled back, so the
// duplicate check inside the transaction sees what the other one wrote.
const QString kLockEmployee = QStringLiteral("UPDATE employees SET EmpName = EmpName WHERE Emp_ID = ?");
const QString kDeleteLeaves = QStringLiteral(
    "DELETE FROM leaves WHERE ID = (SELECT MIN(ID) FROM leaves WHERE Emp_ID = ? AND MonthName = ?)");
// The booking rows of the card opened; fewer when the card changed since.
const QString kDeleteEdbooked =
    QStringLiteral("DELETE FROM edbooked WHERE Emp_ID = ? AND MonthName = ? AND ID IN (%1)");
// The card's booking rows with their jobs' master fields (a job number is
// unique in the master; a job missing from it gives empty fields).
const QString kLoadRows = QStringLiteral(
    "SELECT e.JobNo, e.DaysBooked, e.ID, j.JobNo, j.Bal_ED, j.Limit_ED, j.JobName FROM edbooked e "
    "LEFT JOIN jobs j ON j.JobNo = e.JobNo WHERE e.Emp_ID = ? AND e.MonthName = ? ORDER BY e.ID");
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

// Job numbers, each once, ascending.
QList<qint64> jobsOf(const QList<CardLine>& lines)
{
    std::map<qint64, bool> seen;
    for (const CardLine& l : lines)
        seen[l.jobNo] = true;
    QList<qint64> jobs;
    for (const auto& j : seen)
        jobs << j.first;
    return jobs;
}

QList<QVariant> variants(const QList<qint64>& v)
{
    return QList<QVariant>(v.begin(), v.end());
}

// Moves the balance of every line's job by its delta and gives back the new
// balances in line order, in a fixed number of statements. The jobs are
// locked in ascending job-number order, so two cards booking the same jobs
// never wait on each other in a circle; each job row stays locked until the
// card commits, so the balance read back is the one right after this card.
QList<double> moveBalances(const QList<CardLine>& lines, const QList<double>& deltas, const QDate& toDate)
{
    if (lines.isEmpty())
        return {};
    // A job on two lines moves by both, in line order.
    std::map<qint64, double> perJob;
    for (int i = 0; i < lines.size(); ++i)
        perJob[lines[i].jobNo] += deltas[i];
    const QList<qint64> jobs = jobsOf(lines);
    const QString in = store::placeholders(jobs.size());
    const store::SqlDialect dialect = store::SqlDialect::current();
    return step(kUpdateProgED, [&] {
        QString cases;
        QList<QVariant> v;
        for (const auto& [job, delta] : perJob) {
            cases += QStringLiteral("WHEN ? THEN CAST(? AS DOUBLE PRECISION) ");
            v << job << delta;
        }
        v << app::calendar::dateUpdateText(toDate) << variants(jobs);
        // Where the dialect locks rows, the update takes its rows from a
        // sub-select that locks them in job-number order first.
        const QString rows = dialect.lockRowsSuffix().isEmpty() ? in : kLockJobs.arg(in) + dialect.lockRowsSuffix();
        const QString update = kMoveBalances.arg(cases, rows);
        QHash<qint64, double> after;
        auto read = [&](store::Query& q) {
            while (q.next())
                after.insert(store::whole(q.value(0)), store::num(q.value(1)));
        };
        if (dialect.updateReturns()) {
            auto q = store::exec(update + QStringLiteral(" RETURNING JobNo, Bal_ED"), v);
            read(q);
        } else {
            store::exec(update, v);
            auto q = store::exec(kBalancesOf.arg(in), variants(jobs));
            read(q);
        }
        for (const CardLine& l : lines)
            if (!after.contains(l.jobNo))
                throw noRecord(QStringLiteral("job number ") + QString::number(l.jobNo));
        // Each line gets its job's balance right after its own delta.
        QHash<qint64, double> running;
        for (const auto& [job, delta] : perJob)
            running.insert(job, after.value(job) - delta);
        QList<double> balances(lines.size());
        QHash<qint64, int> left;
        for (const CardLine& l : lines)
            ++left[l.jobNo];
        for (int i = 0; i < lines.size(); ++i) {
            const qint64 job = lines[i].jobNo;
            balances[i] = --left[job] == 0 ? after.value(job) : (running[job] += deltas[i]);
        }
        return balances;
    });
}

QList<QVariant> leaveValues(const LeaveValues& l)
{
    // In the order of the columns CL, rh, EL, SL, HPL, HLY, SPL, LWP, MSC.
    return {l.CL, l.RH, l.EL, l.SL, l.HPL, l.HLY, l.SPL, l.LWP, l.MSC};
}

// The card's texts are refused before anything is written when their
// columns cannot hold them (an employee stored before that was checked).
void checkCardTexts(const CardHeader& card)
{
    for (const auto& [field, text, column] :
         {std::tuple{"Employee", card.empName, "EmpName"}, std::tuple{"Department", card.deptt, "Deptt"}}) {
        if (auto bad = app::columnTextProblem(QLatin1String(field), text, "edbooked", column))
            throw CardWriteError(QString::fromLatin1(kAddRecord),
                                 store::DbError(store::ErrorKind::Other, QStringLiteral("0"), QString(), *bad));
    }
}

std::unique_ptr<store::Transaction> beginCard(qint64 empId)
{
    return step(kAddRecord, [&] {
        auto t = std::make_unique<store::Transaction>();
        store::lockThenShareCloses(kLockEmployee, {empId});
        return t;
    });
}

// The card's booking rows as they are stored now.
struct StoredRows {
    QList<qint64> ids;
    QList<store::audit::BookingValues> values;
};

// Reads them when the write needs them: for its lines' days, the audit
// trail or (`needed`) the rows it deletes.
StoredRows storedRows(const CardHeader& card, const QList<CardLine>& lines, const char* routine, bool needed = false)
{
    if (lines.isEmpty() && !needed && !store::audit::enabled())
        return {};
    return step(routine, [&] {
        StoredRows r;
        auto q = store::exec(kStoredRows, {card.toDate, card.empId});
        while (q.next()) {
            r.ids << store::whole(q.value(0));
            r.values << store::audit::BookingValues{q.value(1), q.value(2), q.value(3)};
        }
        return r;
    });
}

// Days the card holds now for each line's job (the first row of each job
// counts); the base of an update or delete.
QList<double> storedDays(const StoredRows& rows, const QList<CardLine>& lines, const char* routine)
{
    return step(routine, [&] {
        QHash<qint64, double> first;
        for (const store::audit::BookingValues& b : rows.values) {
            const qint64 job = store::whole(b.jobNo);
            if (!first.contains(job))
                first.insert(job, store::num(b.daysBooked));
        }
        QList<double> days;
        for (const CardLine& l : lines) {
            const auto it = first.constFind(l.jobNo);
            if (it == first.constEnd())
                throw noRecord(QStringLiteral("booking of job number ") + QString::number(l.jobNo));
            days << *it;
        }
        return days;
    });
}

void commit(store::Transaction& t)
{
    step(kAddRecord, [&] { t.commit(); });
}

// A card's last write (`sql` empty: none) and its audit row (none without
// the trail): one statement where the dialect takes a write in a WITH
// clause, else the row after the write. Returns the rows the write changed.
int execWithAuditRow(const QString& sql, const QList<QVariant>& values, const store::audit::Row& audit)
{
    if (sql.isEmpty()) {
        if (!audit.sql.isEmpty())
            store::exec(audit.sql, audit.values);
        return 0;
    }
    if (audit.sql.isEmpty())
        return store::exec(sql, values).numRowsAffected();
    if (store::SqlDialect::current().writesInWith())
        return store::exec(QStringLiteral("WITH audit AS (") + audit.sql + QStringLiteral(") ") + sql,
                           audit.values + values)
            .numRowsAffected();
    const int changed = store::exec(sql, values).numRowsAffected();
    store::exec(audit.sql, audit.values);
    return changed;
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
    return store::exec(kCardRow, {empId, toDate, empId, toDate}).next();
}

std::optional<QList<double>> appendCard(const CardHeader& card, double totalED, const LeaveValues& leaves,
                                        const QList<CardLine>& lines)
{
    checkCardTexts(card);
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
    const store::audit::Row audit = step(kAddRecord, [&] {
        return cardAuditRow(store::audit::Command::CardAppend, card, {}, lines, totalED, leaves, balances);
    });
    // The booking rows draw their record keys only now, while the card holds
    // all its jobs: of two cards on one job, the one that commits first has
    // the lower keys, so the bookings in key order replay the balances.
    if (lines.isEmpty())
        step(kAddRecord, [&] { execWithAuditRow({}, {}, audit); });
    else
        step(kAddRecordED, [&] {
            QStringList rows;
            QList<QVariant> v;
            for (int i = 0; i < lines.size(); ++i) {
                const CardLine& l = lines[i];
                rows << kEdbookedValues;
                v << card.toDate << card.deptt << card.empId << card.empName << l.jobNo << l.days << totalED
                  << balances[i];
            }
            execWithAuditRow(kInsertEdbooked + rows.join(QStringLiteral(", ")), v, audit);
        });
    commit(*t);
    return balances;
}

QList<double> updateCard(const CardHeader& card, double totalED, const LeaveValues& leaves,
                         const QList<CardLine>& lines)
{
    checkCardTexts(card);
    auto t = beginCard(card.empId);
    const QList<QVariant> storedLeaves = step(kAddRecord, [&] { return openStoredCardForChange(card); });
    step(kAddRecord, [&] {
        QList<QVariant> v{totalED};
        v << leaveValues(leaves) << card.empId << card.toDate;
        if (store::exec(kUpdateLeaves, v).numRowsAffected() != 1)
            throw noRecord(QStringLiteral("leaves of the card"));
    });
    // The days stored now are given back, whatever the screen last showed.
    const StoredRows rows = storedRows(card, lines, kAddRecordED);
    const QList<double> stored = storedDays(rows, lines, kAddRecordED);
    const QJsonObject before = cardBefore(storedLeaves, rows.values);
    QList<double> deltas;
    for (int i = 0; i < lines.size(); ++i)
        deltas << lines[i].credit - lines[i].days + stored[i];
    const QList<double> balances = moveBalances(lines, deltas, card.toDate);
    const store::audit::Row audit = step(kAddRecord, [&] {
        return cardAuditRow(store::audit::Command::CardUpdate, card, before, lines, totalED, leaves, balances);
    });
    if (lines.isEmpty())
        step(kAddRecord, [&] { execWithAuditRow({}, {}, audit); });
    else
        step(kAddRecordED, [&] {
            // Every booking row of a job takes the job's last line.
            std::map<qint64, int> last;
            for (int i = 0; i < lines.size(); ++i)
                last[lines[i].jobNo] = i;
            QString cases;
            QList<QVariant> days, bal;
            for (const auto& [job, i] : last) {
                cases += QStringLiteral("WHEN ? THEN CAST(? AS DOUBLE PRECISION) ");
                days << job << lines[i].days;
                bal << job << balances[i];
            }
            const QList<qint64> jobs = jobsOf(lines);
            QList<QVariant> v = days;
            v << totalED << bal << card.toDate << card.empId << variants(jobs);
            execWithAuditRow(kUpdateEdbooked.arg(cases, store::placeholders(jobs.size())), v, audit);
        });
    commit(*t);
    return balances;
}

QList<double> deleteCard(const CardHeader& card, const QList<CardLine>& lines, const QList<qint64>& edIds)
{
    auto t = beginCard(card.empId);
    const QList<QVariant> storedLeaves = step(kAddRecord, [&] { return openStoredCardForChange(card); });
    step(kAddRecord, [&] {
        if (store::exec(kDeleteLeaves, {card.empId, card.toDate}).numRowsAffected() != 1)
            throw noRecord(QStringLiteral("leaves of the card"));
    });
    const StoredRows rows = storedRows(card, lines, kUpdateProgED, !edIds.isEmpty());
    const QList<double> stored = storedDays(rows, lines, kUpdateProgED);
    const QJsonObject before = cardBefore(storedLeaves, rows.values);
    QList<double> deltas;
    for (int i = 0; i < lines.size(); ++i)
        deltas << lines[i].credit + stored[i];
    const QList<double> balances = moveBalances(lines, deltas, card.toDate);
    step(kAddRecord, [&] {
        const store::audit::Row audit = cardAuditRow(store::audit::Command::CardDelete, card, before, lines);
        QList<qint64> ids;
        for (qint64 ed : edIds)
            if (!ids.contains(ed))
                ids << ed;
        if (ids.isEmpty()) {
            execWithAuditRow({}, {}, audit);
            return;
        }
        QList<QVariant> v{card.empId, card.toDate};
        v << variants(ids);
        const QString in = store::placeholders(ids.size());
        const auto changed = [](qint64 ed) {
            return noRecord(QStringLiteral("booking row ") + QString::number(ed)
                            + QStringLiteral(" of the card (it was changed since it was opened)"));
        };
        // The rows read above stay as they are: the employee's card writes
        // wait for this one.
        for (qint64 ed : ids)
            if (!rows.ids.contains(ed))
                throw changed(ed);
        if (execWithAuditRow(kDeleteEdbooked.arg(in), v, audit) != ids.size())
            throw changed(ids.first());
    });
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
            if (!q.isNull(3)) {
                r.jobFound = true;
                r.balance = store::num(q.value(4));
                r.allotted = store::num(q.value(5));
                r.name = store::textOf(q.value(6));
            }
            c.rows << r;
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
