#pragma once
// What every card write does besides the card itself, inside the card's own
// transaction: the closed-month refusal and the audit row.

#include "entry/cardstore.h"
#include "store/audit.h"

#include <QJsonObject>

namespace entry {

// A new card: refused (store::DbError of kind MonthClosed) when the month of
// the department chosen for it is closed.
void checkNewCardMonth(const CardHeader& card);
// A stored card about to change or go: refused when the month of the
// department stored on the card is closed; otherwise the card's leaves row,
// read by the same statement (empty without the audit trail or the card).
QList<QVariant> openStoredCardForChange(const CardHeader& card);
// The card's values before the change, from its leaves row and booking rows
// as the write read them (empty without the audit trail).
QJsonObject cardBefore(const QList<QVariant>& leaves, const QList<store::audit::BookingValues>& bookings);
// The audit row of a card write: the values before, the card as the write
// stored it (`balances`: each line's job balance after it; none for a
// delete), and the allotted ED credited on the card's lines with this save.
store::audit::Row cardAuditRow(store::audit::Command c, const CardHeader& card, const QJsonObject& before,
                               const QList<CardLine>& lines, double totalED = 0, const LeaveValues& leaves = {},
                               const QList<double>& balances = {});

} // namespace entry
