#pragma once
// The stored cards of a department and month, read for printing.

#include <QDate>
#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace entry {

struct PrintedJob {
    qint64 jobNo = 0;
    QString name;
    double days = 0;
    double balance = 0; // the job's balance after the card
};

struct PrintedCard {
    qint64 empId = 0;
    QString name;
    QString designation;
    QString department;
    QDate from;
    QDate to;
    int periodDays = 0;
    QList<PrintedJob> jobs;
    std::array<double, 9> leaves{}; // CL, rh, EL, SL, HPL, HLY, SPL, LWP, MSC
    double total() const;
};

// The nine leave kinds in the order of the leaves table, as a card names them.
const std::array<const char*, 9>& leaveNames();

// The card period of a stored month-end date: from the start day of the
// month before to the month-end date (both counted).
QDate cardPeriodStart(const QDate& monthEnd);

// Cards of the department for the month-end date (or only the employee's),
// ordered by employee name. Throws store::DbError.
QList<PrintedCard> cardsOf(const QString& department, const QDate& monthEnd, std::optional<qint64> empId = {});

// "No cards stored for DEPARTMENT for the month ending DD/MM/YYYY."
QString noCardsMessage(const QString& department, const QDate& monthEnd);

} // namespace entry
