#include "ui/periodpickers.h"

#include "ui/common.h"

#include <QLabel>

namespace ui {

namespace cal = app::calendar;

void PeriodPickers::placeIn(QGridLayout* grid, int firstRow)
{
    auto* owner = static_cast<QWidget*>(parent());
    grid->addWidget(new QLabel(QStringLiteral("From"), owner), firstRow, 0);
    grid->addWidget(new QLabel(QStringLiteral("To"), owner), firstRow + 1, 0);
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(from[i], firstRow, 1 + i);
        grid->addWidget(to[i], firstRow + 1, 1 + i);
    }
}

PeriodPickers::PeriodPickers(QWidget* parent, Kind kind) : QObject(parent), kind_(kind)
{
    for (int i = 0; i < 3; ++i) {
        from[i] = named(new QComboBox(parent), QStringLiteral("Combo2"), i);
        to[i] = named(new QComboBox(parent), QStringLiteral("Combo3"), i);
        from[i]->setMaxVisibleItems(12);
        to[i]->setMaxVisibleItems(12);
    }
    if (kind_ == Kind::DataEntry) {
        // Keeps the two rows one month apart. A selection that changes
        // nothing runs nothing, so the coupling settles after one pass.
        connect(from[0], &QComboBox::currentIndexChanged, this, &PeriodPickers::fromMonthClicked);
        connect(from[2], &QComboBox::currentIndexChanged, this, &PeriodPickers::fromYearClicked);
        connect(to[0], &QComboBox::currentIndexChanged, this, &PeriodPickers::toMonthClicked);
        connect(to[2], &QComboBox::currentIndexChanged, this, &PeriodPickers::toYearClicked);
    }
}

int PeriodPickers::year(QComboBox* box) const
{
    return box->currentIndex() < 0 ? -1 : cal::kFirstYear + box->currentIndex();
}

void PeriodPickers::loadMonths(const QDate& today, int startDay)
{
    const QDate ref = kind_ == Kind::Report ? cal::reportReference(today) : today;
    for (QComboBox* b : {from[0], from[1], from[2], to[0], to[1], to[2]})
        fillSilently(b, {});
    fillSilently(from[0], cal::monthNames());
    selectEntry(from[0], ref.month() - 1);
    fillSilently(from[1], cal::dayEntries());
    selectEntry(from[1], 20);
    fillSilently(to[1], cal::dayEntries());
    selectEntry(to[1], 19);
    fillSilently(to[0], cal::monthNames());
    selectEntry(to[0], ref.month() - 1);
    fillSilently(from[2], cal::yearEntries());
    fillSilently(to[2], cal::yearEntries());
    if (startDay > 1) {
        from[1]->setEnabled(true);
        to[1]->setEnabled(true);
        selectEntry(from[1], startDay - 1);
        selectEntry(to[1], startDay - 2);
        from[1]->setEnabled(false);
        to[1]->setEnabled(false);
    }
    selectEntry(from[2], cal::yearIndex(ref.year()));
    selectEntry(to[2], cal::yearIndex(ref.year()));
}

std::optional<cal::Period> PeriodPickers::findDuration() const
{
    for (QComboBox* b : {from[0], from[1], from[2], to[0], to[1], to[2]})
        if (b->currentIndex() < 0)
            return std::nullopt;
    return cal::findDuration(year(from[2]), from[0]->currentIndex() + 1, from[1]->currentIndex() + 1, year(to[2]),
                             to[0]->currentIndex() + 1, to[1]->currentIndex() + 1);
}

void PeriodPickers::fromMonthClicked()
{
    const int m = from[0]->currentIndex() + 1;
    if (m < 1 || coupling_)
        return;
    const Coupling once(coupling_);
    const auto t = cal::toRowAfterFromMonth(m, year(from[2]));
    if (!selectEntry(to[0], t.month - 1) || year(from[2]) < 0)
        return;
    selectEntry(to[2], cal::yearIndex(t.year));
}

void PeriodPickers::fromYearClicked()
{
    const int y = year(from[2]);
    if (y < 0 || from[0]->currentIndex() < 0 || coupling_)
        return;
    const Coupling once(coupling_);
    selectEntry(to[2], cal::yearIndex(cal::toYearAfterFromYear(from[0]->currentIndex() + 1, y)));
}

void PeriodPickers::toMonthClicked()
{
    const int m = to[0]->currentIndex() + 1;
    if (m < 1 || coupling_)
        return;
    const Coupling once(coupling_);
    const auto f = cal::fromRowAfterToMonth(m, year(to[2]));
    if (!selectEntry(from[0], f.month - 1) || year(to[2]) < 0)
        return;
    selectEntry(from[2], cal::yearIndex(f.year));
}

void PeriodPickers::toYearClicked()
{
    const int y = year(to[2]);
    if (y < 0 || to[0]->currentIndex() < 0 || coupling_)
        return;
    const Coupling once(coupling_);
    selectEntry(from[2], cal::yearIndex(cal::fromYearAfterToYear(to[0]->currentIndex() + 1, y)));
}

} // namespace ui
