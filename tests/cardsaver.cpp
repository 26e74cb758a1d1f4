// One clerk's desktop without a window, for the tests of many desktops on one
// database ("Tessara" of its environment): karvela_cardsaver FIRST_EMP COUNT
// TO_DATE MONTHS JOB... saves the cards of COUNT employees for MONTHS months
// through the card logic of the data-entry window, each booking a few days on
// every JOB. It prints "ready" and starts at a line on its standard input;
// then "saved EMP MONTH BAL...", "duplicate EMP MONTH" or "failed EMP MONTH
// routine|kind|text" per card, and "done". KARVELA_CARDSAVER_PAUSE_MS pauses
// between two cards.
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

// The append as the save button runs it. The clerk types a few days on each
// job and the rest of the period as holidays.
QString save(qint64 emp, const QDate& to, const QList<qint64>& jobs)
{
    if (entry::cardExists(emp, to))
        return QStringLiteral("duplicate");
    const int days = int(to.addMonths(-1).daysTo(to));
    QStringList jobTexts, leaves(entry::kLeaveBoxes);
    double booked = 0;
    for (int j = 0; j < jobs.size(); ++j) {
        const double d = 1 + double((emp + j) % 4) * 0.5;
        booked += d;
        jobTexts << app::generalNumber(d);
    }
    leaves[8] = app::generalNumber(days - booked); // HLY
    const entry::CardSum sum = entry::checkCardSum(jobTexts, int(jobs.size()) - 1, leaves, days);
    if (!sum.SumValid)
        return QStringLiteral("failed sum|") + sum.message;
    QList<entry::CardLine> lines;
    for (int r = 0; r < jobs.size(); ++r)
        lines << entry::CardLine{jobs[r], sum.JobED[r], 0, 0};
    const auto b = entry::appendCard({emp, QStringLiteral("Clerk %1, Engineer").arg(emp), QStringLiteral("Civil"), to},
                                     sum.TotalED, sum.leaves, lines);
    if (!b)
        return QStringLiteral("duplicate");
    QString line = QStringLiteral("saved");
    for (double v : *b)
        line += QLatin1Char(' ') + app::generalNumber(v);
    return line;
}

QString failure(const QString& routine, const store::DbError& e)
{
    static const char* kinds[] = {"Unavailable", "MissingObject", "DuplicateKey", "NoRecord", "ConnectionLost", "Other",
                                  "MonthClosed"};
    return QStringLiteral("failed ") + routine + QLatin1Char('|') + QLatin1String(kinds[int(e.kind())])
        + QLatin1Char('|') + e.description().simplified();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    const QStringList a = app.arguments().mid(1);
    if (a.size() < 5) {
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

    const QDate to = QDate::fromString(a[2], Qt::ISODate);
    QList<qint64> jobs;
    for (const QString& j : a.mid(4))
        jobs << j.toLongLong();
    const int pause = qEnvironmentVariableIntValue("KARVELA_CARDSAVER_PAUSE_MS");
    for (int m = 0; m < a[3].toInt(); ++m)
        for (qint64 emp = a[0].toLongLong(); emp < a[0].toLongLong() + a[1].toInt(); ++emp) {
            QString line;
            try {
                line = save(emp, to.addMonths(m), jobs);
            } catch (const entry::CardWriteError& e) {
                line = failure(e.routine(), e.error());
            } catch (const store::DbError& e) {
                line = failure(QStringLiteral("AddRecord"), e);
            }
            // The employee and month follow the first word.
            line.insert(line.indexOf(QLatin1Char(' ')) < 0 ? line.size() : line.indexOf(QLatin1Char(' ')),
                        QStringLiteral(" %1 %2").arg(emp).arg(to.addMonths(m).toString(Qt::ISODate)));
            out << line << Qt::endl;
            if (pause > 0)
                QThread::msleep(pause);
        }
    out << "done" << Qt::endl;
    return 0;
}
