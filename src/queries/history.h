#pragma once
// The two queries over the audit trail and the closed months: the history
// of an employee's cards, and the cards missing for a month-end.

#include "queries/queries.h"

namespace queries {

// The audit rows of the cards of employee in.employeeId, newest first.
QueryResult cardHistory(const QueryInputs& in, reports::GridModel& grid);
// Active employees (neither superannuated nor transferred) of the chosen
// department, or of all, without a card for the month ending in.to, with
// their department's closed state.
QueryResult missingCards(const QueryInputs& in, reports::GridModel& grid);

} // namespace queries
