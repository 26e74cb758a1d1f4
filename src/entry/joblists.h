#pragma once
// The job lists of the data-entry window and the placing of jobs on the rows
// of a card.


#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace entry {

// The entries of the job lists, one per job in record-key order: job
// number, name, balance, allotted ED, status, job number again (the
// job-status list) and lead department.
struct JobListTexts {
    QStringList jobNo, name, balance, allotted, status, statusJobNo, lead;
};
// Every job's entries, read in one statement.
JobListTexts jobListTexts();
// The stored balance of every job, by job number.
QHash<qint64, double> balancesByJob();

// Rows of a card and the jobs placed on them.
inline constexpr int kCardRows = 10;

class CardJobs {
public:
    enum class Placed { Ok, TooMany, AlreadySelected };

    // Places a job on the next free row; `row` receives the row used.
    Placed place(qint64 jobNo, int* row = nullptr);
    // Empties every slot; the next placement starts at row 0.
    void reset();

    std::array<qint64, kCardRows + 1> jobs{}; // CardJobs
    int count = 0;                              // CardJobCount
    bool resetPending = false;                  // ResetPending
    int lastJobRow = 0;                         // LastJobRow
};

// Messages of the job list panel.
inline constexpr const char* kNoJobs = "NO JOB NUMBER FOUND IN RECORDS";
inline constexpr const char* kTooManyJobs = "You can not add more than 10 jobs at a time.";
inline constexpr const char* kAlreadySelected = "You have already selected this item";
QString listsCaption(int jobCount);
QString jobNameHint(const QString& jobNo);  // double-click on the name list
QString jobNoTip(const QString& jobNo);     // tool-tip of the name list

} // namespace entry
