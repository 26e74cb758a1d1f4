#pragma once
// A demo organisation for a new database: departments, employees, jobs and
// a year of cards that keep every card rule. The same date always gives the
// same organisation.

#include <QDate>

namespace cli {

struct DemoSummary {
    int departments = 0;
    int employees = 0;
    int jobs = 0;
    int cards = 0;
    int bookings = 0;
};

// Fills the (empty) tables on the shared connection; the caller holds the
// transaction. The
// twelve card months end with the card period the report window shows first
// on `today`, for the card start day `startDay`.
DemoSummary fillDemo(const QDate& today, int startDay);

} // namespace cli
