#pragma once
// The references the benchmark sets the program's figures against: the
// department month report built the older way, one query per cell, and the
// card writes done with the fewest plain statements.

#include "generate.h"
#include "measure.h"

#include "reports/builders.h"

namespace bench {

struct ReferenceResult {
    Sample sample;
    bool cellsAgree = false; // the job cells match the report's
};

// The department month report the older way: the jobs of the month, then
// for each job its master row and one query per employee cell, then each
// employee's leave row.
ReferenceResult perCellDeptMonth(int runs, const QString& department, const QList<app::Employee>& employees,
                                 const QDate& monthEnd, const QDate& today);

// A ten-job card of a month after the generated ones: append, open, update
// and delete (in that order, each run), and their floors.
struct CardTimes {
    Sample op[4];    // append, open, update, delete
    Sample floor[4];
};
CardTimes timeCard(int runs, const Generated& g);

} // namespace bench
