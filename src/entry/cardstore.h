#pragma once
// Storing, loading, changing and deleting a card. Every write of one card
// (the leaves row, its edbooked rows and the balances of its jobs) runs in
// one transaction: all of it lands or nothing does.

#include "entry/cardchecks.h"
#include "store/database.h"

#include <QDate>
#include <QList>
#include <QString>

#include <exception>
#include <optional>

namespace entry {

// Who and which period a card belongs to.
struct CardHeader {
    qint64 empId = 0;
    QString empName; // name, ", ", designation
    QString deptt;
    QDate toDate;    // the card month-end date
};

// One job row of a card.
struct CardLine {
    qint64 jobNo = 0;
    double days = 0;    // days booked now
    double oldDays = 0; // days the card held when it was opened (the store's own figure is used)
    double credit = 0;  // allotted ED credited to the balance on screen, not stored yet
};

// A failed card write: the routine it belongs to and the database's error.
class CardWriteError : public std::exception {
public:
    CardWriteError(QString routine, store::DbError error);
    const char* what() const noexcept override { return "card write failed"; }
    const QString& routine() const { return routine_; }
    const store::DbError& error() const { return error_; }
    // Error number, "\r\n", routine + " SubRoutine", "\r\n", description; a
    // lost connection says so and names what was not saved.
    QString boxText(const QString& notSaved = QString()) const;

private:
    QString routine_;
    store::DbError error_;
};

QString errorBoxText(const QString& routine, const store::DbError& e, const QString& notSaved = QString());

// Routine names the error box names.
inline constexpr const char* kAddRecord = "AddRecord";
inline constexpr const char* kAddRecordED = "AddRecordED";
inline constexpr const char* kUpdateProgED = "UpdateProgED";

// A card is stored for the employee and month-end date.
bool cardExists(qint64 empId, const QDate& toDate);

// Appends a card. No value when a card of the employee and month is already
// stored (nothing written). Otherwise the new balance of each line's job.
// Throws CardWriteError; nothing is written then.
std::optional<QList<double>> appendCard(const CardHeader& card, double totalED, const LeaveValues& leaves,
                                        const QList<CardLine>& lines);
// Rewrites a stored card; each job gets back the days the card holds for it
// and loses the new days. Returns the new balance of each line's job.
QList<double> updateCard(const CardHeader& card, double totalED, const LeaveValues& leaves,
                         const QList<CardLine>& lines);
// Deletes a stored card (the leaves row and the edbooked rows `edIds`) and
// gives the days it holds back to the jobs; returns the new balance of each
// line's job.
QList<double> deleteCard(const CardHeader& card, const QList<CardLine>& lines, const QList<qint64>& edIds);

// A stored card, as opened for changing or deleting.
struct LoadedRow {
    qint64 jobNo = 0;
    double days = 0;
    qint64 id = 0; // record key of the edbooked row
    bool jobFound = false;
    double balance = 0;
    double allotted = 0;
    QString name;
};
struct LoadedCard {
    QList<LoadedRow> rows;
    std::optional<LeaveValues> leaves;
};
LoadedCard loadCard(qint64 empId, const QDate& toDate);

// Messages of the card commands.
inline constexpr const char* kAppendQuestion = "You are going to append this record to the existing Database.";
inline constexpr const char* kAppended = "Current Record appended to the Database Successfully.";
inline constexpr const char* kDuplicateCard =
    "You have already made entry of data corresponding to\r\nthis setting, check settings and Try-again.";
inline constexpr const char* kBadEmployeeNumber =
    "Check Employees Table. There Seems Either no Entry or Error in 8 Digit\r\n"
    "Employee Number. Go to Settings, ADD employee details and Try again.";
inline constexpr const char* kChangeQuestion = "You are going to CHANGE the Current Record of the existing Database.";
inline constexpr const char* kChanged =
    "Current Record of the Database Changed Successfully.\r\nThe Program will Now RESET";
inline constexpr const char* kDeleted = "RECORD OF THE SELECTED EMPLOYEE DELETED SUCCESSFULLY.";
inline constexpr const char* kNoRecord = "NO RECORD FOUND FOR THE CURRENT SETTING.";
QString deleteQuestion(const QString& empName, const QDate& from, const QDate& to);

} // namespace entry
