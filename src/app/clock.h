#pragma once
// Today's date and the time of day, replaceable by tests.

#include <QDate>
#include <QTime>

#include <functional>

namespace app {

QDate today();
// Milliseconds since midnight, for the elapsed-time labels.
double timerMs();
// Tests fix the date; an invalid date restores the system clock.
void setToday(const QDate& d);

} // namespace app
