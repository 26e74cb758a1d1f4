// One clerk's desktop without a window, for the tests of many desktops on one
// database: it saves, changes and deletes cards through the card logic the
// data-entry window runs (the duplicate look-up, the item and sum checks,
// then the card write), on the data source "Tessara" of its environment.
//
//   karvela_cardsaver save FIRST_EMP COUNT TO_DATE MONTHS JOB...
//       cards of employees FIRST_EMP .. FIRST_EMP+COUNT-1 for MONTHS month-end
//       dates from TO_DATE on, each booking days on every JOB
//   karvela_cardsaver update EMP TO_DATE ROUNDS
//       opens the employee's card and stores new days, ROUNDS times
//   karvela_cardsaver delete EMP TO_DATE ROUNDS JOB...
//       deletes the employee's card and appends it again, ROUNDS times,
//       ending with the card deleted
//
// It prints "ready" once connected and starts when it reads a line on its
// standard input, so that several start at the same instant. Then one line
// per card: "saved EMP MONTH BAL..." (the balances the card shows after the
// save), "duplicate EMP MONTH", "updated EMP MONTH BAL...", "deleted EMP
// MONTH", or "failed EMP MONTH routine|kind|text".
// KARVELA_CARDSAVER_PAUSE_MS makes it pause between two cards, as a clerk
// typing the next card would.
#include "app/numtext.h"
#include "entry/cardchecks.h"
#include "entry/cardstore.h"
#include "store/database.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextStream>
#include <QThread>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

QTextStream out(stdout);

// The day boxes a clerk types for this employee: a few days on each job,
// the rest of the period as holidays.
struct Typed {
    QStringList jobs;
    QStringList leaves;
};

Typed typedCard(qint64 emp, int jobCount, int periodDays, int round = 0)
{
    Typed t;
    double booked = 0;
    for (int j = 0; j < jobCount; ++j) {
        const double d = 1 + double((emp + j + round) % 4) * 0.5;
        t.jobs << app::generalNumber(d);
        booked += d;
    }
    while (t.jobs.size() < 10)
        t.jobs << QString();
    for (int i = 0; i < entry::kLeaveBoxes; ++i)
        t.leaves << QString();
    t.leaves[8] = app::generalNumber(periodDays - booked); // HLY
    return t;
}

int periodDays(const QDate& to)
{
    return int(to.addMonths(-1).addDays(1).daysTo(to)) + 1;
}

QString balancesText(const QList<double>& b)
{
    QStringList l;
    for (double v : b)
        l << app::generalNumber(v);
    return l.join(QLatin1Char(' '));
}

QString failure(const QString& routine, const store::DbError& e)
{
    static const char* kinds[] = {"Unavailable", "MissingObject", "DuplicateKey", "NoRecord", "ConnectionLost", "Other",
                                  "MonthClosed"};
    return routine + QLatin1Char('|') + QLatin1String(kinds[int(e.kind())]) + QLatin1Char('|')
        + e.description().simplified();
}

entry::CardHeader header(qint64 emp, const QDate& to)
{
    return {emp, QStringLiteral("Clerk %1, Engineer").arg(emp), QStringLiteral("Civil"), to};
}

// The append as the save button runs it: look-up, checks, write.
void save(qint64 emp, const QDate& to, const QList<qint64>& jobs)
{
    const QString who = QStringLiteral("%1 %2").arg(emp).arg(to.toString(Qt::ISODate));
    const int days = periodDays(to);
    try {
        if (entry::cardExists(emp, to)) {
            out << "duplicate " << who << Qt::endl;
            return;
        }
    } catch (const store::DbError& e) {
        out << "failed " << who << ' ' << failure(QStringLiteral("AddRecord"), e) << Qt::endl;
        return;
    }
    const Typed t = typedCard(emp, int(jobs.size()), days);
    if (const auto bad = entry::checkCardItems(t.jobs, t.leaves, days)) {
        out << "failed " << who << " check|" << *bad << Qt::endl;
        return;
    }
    const entry::CardSum sum = entry::checkCardSum(t.jobs, int(jobs.size()) - 1, t.leaves, days);
    if (!sum.SumValid) {
        out << "failed " << who << " sum|" << sum.message << Qt::endl;
        return;
    }
    QList<entry::CardLine> lines;
    for (int r = 0; r < jobs.size(); ++r)
        lines << entry::CardLine{jobs[r], sum.JobED[r], 0, 0};
    try {
        const auto b = entry::appendCard(header(emp, to), sum.TotalED, sum.leaves, lines);
        if (!b)
            out << "duplicate " << who << Qt::endl;
        else
            out << "saved " << who << ' ' << balancesText(*b) << Qt::endl;
    } catch (const entry::CardWriteError& e) {
        out << "failed " << who << ' ' << failure(e.routine(), e.error()) << Qt::endl;
    }
}

// Opening the card and storing it with new days, as "Update Record" does.
void update(qint64 emp, const QDate& to, int round)
{
    const QString who = QStringLiteral("%1 %2").arg(emp).arg(to.toString(Qt::ISODate));
    try {
        const entry::LoadedCard c = entry::loadCard(emp, to);
        const int days = periodDays(to);
        const Typed t = typedCard(emp, int(c.rows.size()), days, round);
        const entry::CardSum sum = entry::checkCardSum(t.jobs, int(c.rows.size()) - 1, t.leaves, days);
        QList<entry::CardLine> lines;
        for (int r = 0; r < c.rows.size(); ++r)
            lines << entry::CardLine{c.rows[r].jobNo, sum.JobED[r], c.rows[r].days, 0};
        const QList<double> b = entry::updateCard(header(emp, to), sum.TotalED, sum.leaves, lines);
        out << "updated " << who << ' ' << balancesText(b) << Qt::endl;
    } catch (const entry::CardWriteError& e) {
        out << "failed " << who << ' ' << failure(e.routine(), e.error()) << Qt::endl;
    } catch (const store::DbError& e) {
        out << "failed " << who << ' ' << failure(QStringLiteral("LoadRecord"), e) << Qt::endl;
    }
}

// Opening the card and deleting it, as "Delete Record" does.
void remove(qint64 emp, const QDate& to)
{
    const QString who = QStringLiteral("%1 %2").arg(emp).arg(to.toString(Qt::ISODate));
    try {
        const entry::LoadedCard c = entry::loadCard(emp, to);
        QList<entry::CardLine> lines;
        QList<qint64> ids;
        for (const entry::LoadedRow& r : c.rows) {
            lines << entry::CardLine{r.jobNo, 0, r.days, 0};
            ids << r.id;
        }
        entry::deleteCard(header(emp, to), lines, ids);
        out << "deleted " << who << Qt::endl;
    } catch (const entry::CardWriteError& e) {
        out << "failed " << who << ' ' << failure(e.routine(), e.error()) << Qt::endl;
    } catch (const store::DbError& e) {
        out << "failed " << who << ' ' << failure(QStringLiteral("LoadRecord"), e) << Qt::endl;
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    const QStringList a = app.arguments().mid(1);
    if (a.size() < 4) {
        std::fprintf(stderr, "usage: see the head of cardsaver.cpp\n");
        return 2;
    }
    try {
        store::connectDatabase();
    } catch (const store::DbError& e) {
        std::fprintf(stderr, "cannot open Tessara: %s\n", qPrintable(e.description()));
        return 3;
    }
    out << "ready" << Qt::endl;
    std::string go;
    std::getline(std::cin, go);

    const QString mode = a[0];
    if (mode == QLatin1String("save") && a.size() >= 6) {
        const qint64 first = a[1].toLongLong();
        const int count = a[2].toInt();
        const QDate to = QDate::fromString(a[3], Qt::ISODate);
        const int months = a[4].toInt();
        QList<qint64> jobs;
        for (const QString& j : a.mid(5))
            jobs << j.toLongLong();
        const int pause = qEnvironmentVariableIntValue("KARVELA_CARDSAVER_PAUSE_MS");
        for (int m = 0; m < months; ++m)
            for (int k = 0; k < count; ++k) {
                save(first + k, to.addMonths(m), jobs);
                if (pause > 0)
                    QThread::msleep(pause);
            }
    } else if (mode == QLatin1String("update")) {
        const qint64 emp = a[1].toLongLong();
        const QDate to = QDate::fromString(a[2], Qt::ISODate);
        for (int r = 1; r <= a[3].toInt(); ++r)
            update(emp, to, r);
    } else if (mode == QLatin1String("delete") && a.size() >= 5) {
        const qint64 emp = a[1].toLongLong();
        const QDate to = QDate::fromString(a[2], Qt::ISODate);
        QList<qint64> jobs;
        for (const QString& j : a.mid(4))
            jobs << j.toLongLong();
        const int rounds = a[3].toInt();
        for (int r = 0; r < rounds; ++r) {
            remove(emp, to);
            if (r + 1 < rounds)
                save(emp, to, jobs);
        }
    } else {
        std::fprintf(stderr, "unknown mode\n");
        return 2;
    }
    out << "done" << Qt::endl;
    return 0;
}
