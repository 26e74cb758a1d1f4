#pragma once
// A synthetic organisation for the benchmark, generated deterministically.

#include <QDate>

namespace bench {

struct Scale {
    int departments = 30;
    int employeesPerDept = 40;
    int jobs = 5000;
    int months = 120;
    int minJobsPerCard = 4;
    int maxJobsPerCard = 6;
};

struct Generated {
    qint64 employees = 0;
    qint64 jobs = 0;
    qint64 cards = 0;
    qint64 bookings = 0;
    QDate firstMonth; // month-end date of the first card period
    QDate lastMonth;  // month-end date of the last card period
};

// Department name of index d ("Dept 01" ...), job number of index j.
QString departmentName(int d);
int jobNumber(int j);
qint64 employeeId(int d, int e);

// Fills empty tables on the shared connection (start day 21, card periods
// ending on the 20th of each month up to 20 December 2025).
Generated generate(const Scale& s);
// What an earlier generate(s) left in the tables.
Generated generatedAt(const Scale& s);

} // namespace bench
