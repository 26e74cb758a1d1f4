#pragma once
// The card being edited in the data-entry window: which job stands on each
// row, the days typed and the days stored when the card was opened, the
// allotted ED credited on screen, and whether the save appends, changes or
// deletes it.

#include "entry/cardchecks.h"
#include "entry/cardstore.h"
#include "entry/joblists.h"

#include <QList>
#include <QString>

#include <array>

namespace entry {

class Card {
public:
    // What the save button does; the button's caption follows it.
    enum class Mode { Append, Update, Delete };

    struct Row {
        bool used = false;     // a job stands on the row
        qint64 jobNo = 0;
        double days = 0;       // JobED: the days typed, as checked at the save
        double storedDays = 0; // OldED: the days stored when the card was opened
        double credit = 0;     // allotted ED credited on screen, stored with the next save
    };

    Mode mode = Mode::Append;
    CardJobs jobs; // placing of jobs from the job list; jobs.lastJobRow is LastJobRow
    std::array<Row, kCardRows> rows{};
    double totalDays = 0; // TotalED
    LeaveValues leaves;
    QList<qint64> storedIds; // edbooked record keys of the opened card

    // Back to a new card: no rows, append mode.
    void reset();
    // Places a job from the job list on the next free row; `row` receives it.
    CardJobs::Placed place(qint64 jobNo, int* row);
    // A stored card opened to change (`wanted` Update) or delete (Delete) it.
    // Without its leaves row the card stays in append mode. False when
    // nothing at all is stored.
    bool open(const LoadedCard& stored, Mode wanted);
    // Takes the checked days of the job rows and the leave boxes.
    void takeSum(const CardSum& sum);

    // The rows that carry a job, from the first to the last job row.
    QList<int> jobRows() const;
    // The job rows as the store takes them, with the days typed and/or the
    // days stored.
    QList<CardLine> lines(bool typedDays, bool storedDays) const;
};

// The save button's caption for a mode: "Add Record", "Update Record",
// "Delete Record".
QString saveCaption(Card::Mode mode);

// A job's status opened for changing from a card row; kept apart from the
// card's own mode.
struct StatusChange {
    int row = 0; // StatusRow
    bool open = false;
};

} // namespace entry
