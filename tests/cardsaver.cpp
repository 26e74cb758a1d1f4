// One clerk's desktop without a window, for the tests of many desktops on one
// database: it saves, changes and deletes cards through the card logic of the
// data-entry window, on the data source "Tessara" of its environment.
//   save FIRST_EMP COUNT TO_DATE MONTHS JOB...  cards of COUNT employees for
//                                              MONTHS months, booking every JOB
//   update EMP TO_DATE ROUNDS                  the card stored with new days
//   delete EMP TO_DATE ROUNDS JOB...           deleted and appended again
// It prints "ready" once connected and starts at a line on its standard input,
// then a line per card ("saved|updated EMP MONTH BAL...", "duplicate|deleted
// EMP MONTH", "failed EMP MONTH routine|kind|text") and "done".
// KARVELA_CARDSAVER_PAUSE_MS pauses between two cards.
#include "app/numtext.h"
#include "entry/cardchecks.h"
#include "entry/cardstore.h"
#include "store/database.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextStream>
#include <QThread>

#include <cstdio>
#include <functional>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {

QTextStream out(stdout);

// The boxes a clerk types for `jobCount` jobs, a few days on each job and the
// rest of the period as holidays, summed as the save button sums them.
entry::CardSum typedCard(qint64 emp, int jobCount, const QDate& to, int round = 0)
{
    const int days = int(to.addMonths(-1).daysTo(to));
    QStringList jobs, leaves(entry::kLeaveBoxes);
    double booked = 0;
    for (int j = 0; j < jobCount; ++j) {
        const double d = 1 + double((emp + j + round) % 4) * 0.5;
        booked += d;
        jobs << app::generalNumber(d);
    }
    leaves[8] = app::generalNumber(days - booked); // HLY
    entry::CardSum sum = entry::checkCardSum(jobs, jobCount - 1, leaves, days);
    if (!sum.SumValid)
        throw std::runtime_error(qPrintable(sum.message));
    return sum;
}

QString balancesText(const QList<double>& b)
{
    QStringList l;
    for (double v : b)
        l << app::generalNumber(v);
    return l.join(QLatin1Char(' '));
}

entry::CardHeader header(qint64 emp, const QDate& to)
{
    return {emp, QStringLiteral("Clerk %1, Engineer").arg(emp), QStringLiteral("Civil"), to};
}

// Runs one card's command and prints its line: "<what> EMP MONTH[ rest]"
// from `run`, or the failure.
void report(qint64 emp, const QDate& to, const std::function<QString()>& run)
{
    static const char* kinds[] = {"Unavailable", "MissingObject", "DuplicateKey", "NoRecord", "ConnectionLost", "Other",
                                  "MonthClosed"};
    const QString who = QStringLiteral(" %1 %2").arg(emp).arg(to.toString(Qt::ISODate));
    const auto failed = [&](const QString& routine, const store::DbError& e) {
        return QStringLiteral("failed") + who + QLatin1Char(' ') + routine + QLatin1Char('|')
            + QLatin1String(kinds[int(e.kind())]) + QLatin1Char('|') + e.description().simplified();
    };
    QString line;
    try {
        line = run();
        line.insert(line.indexOf(QLatin1Char(' ')) < 0 ? line.size() : line.indexOf(QLatin1Char(' ')), who);
    } catch (const entry::CardWriteError& e) {
        line = failed(e.routine(), e.error());
    } catch (const store::DbError& e) {
        line = failed(QStringLiteral("LoadRecord"), e);
    } catch (const std::runtime_error& e) {
        line = QStringLiteral("failed") + who + QStringLiteral(" check|") + QString::fromUtf8(e.what());
    }
    out << line << Qt::endl;
}

// The append as the save button runs it: look-up, checks, write.
void save(qint64 emp, const QDate& to, const QList<qint64>& jobs)
{
    report(emp, to, [&] {
        if (entry::cardExists(emp, to))
            return QStringLiteral("duplicate");
        const entry::CardSum sum = typedCard(emp, int(jobs.size()), to);
        QList<entry::CardLine> lines;
        for (int r = 0; r < jobs.size(); ++r)
            lines << entry::CardLine{jobs[r], sum.JobED[r], 0, 0};
        const auto b = entry::appendCard(header(emp, to), sum.TotalED, sum.leaves, lines);
        return b ? QStringLiteral("saved ") + balancesText(*b) : QStringLiteral("duplicate");
    });
}

// The card opened and stored with new days ("Update Record") or deleted.
void change(qint64 emp, const QDate& to, int round, bool remove)
{
    report(emp, to, [&] {
        const entry::LoadedCard c = entry::loadCard(emp, to);
        const entry::CardSum sum = typedCard(emp, int(c.rows.size()), to, round);
        QList<entry::CardLine> lines;
        QList<qint64> ids;
        for (int r = 0; r < c.rows.size(); ++r) {
            lines << entry::CardLine{c.rows[r].jobNo, remove ? 0 : sum.JobED[r], c.rows[r].days, 0};
            ids << c.rows[r].id;
        }
        if (remove) {
            entry::deleteCard(header(emp, to), lines, ids);
            return QStringLiteral("deleted");
        }
        return QStringLiteral("updated ") + balancesText(entry::updateCard(header(emp, to), sum.TotalED, sum.leaves, lines));
    });
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    const QStringList a = app.arguments().mid(1);
    if (a.size() < 4 || !QStringList{"save", "update", "delete"}.contains(a[0]) || (a[0] != "update" && a.size() < 5)) {
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

    const bool saving = a[0] == QLatin1String("save");
    const qint64 emp = a[1].toLongLong();
    const QDate to = QDate::fromString(a[saving ? 3 : 2], Qt::ISODate);
    const int rounds = a[saving ? 4 : 3].toInt();
    QList<qint64> jobs;
    for (const QString& j : a.mid(saving ? 5 : 4))
        jobs << j.toLongLong();
    const int pause = qEnvironmentVariableIntValue("KARVELA_CARDSAVER_PAUSE_MS");
    for (int r = 0; r < rounds; ++r) {
        if (saving) {
            for (int k = 0; k < a[2].toInt(); ++k) {
                save(emp + k, to.addMonths(r), jobs);
                if (pause > 0)
                    QThread::msleep(pause);
            }
        } else if (a[0] == QLatin1String("update")) {
            change(emp, to, r + 1, false);
        } else {
            change(emp, to, 0, true);
            if (r + 1 < rounds)
                save(emp, to, jobs);
        }
    }
    out << "done" << Qt::endl;
    return 0;
}
