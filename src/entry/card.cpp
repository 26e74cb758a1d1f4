#include "entry/card.h"

#include <algorithm>

namespace entry {

void Card::reset()
{
    mode = Mode::Append;
    jobs.reset();
    rows = {};
}

CardJobs::Placed Card::place(qint64 jobNo, int* row)
{
    int r = 0;
    const CardJobs::Placed p = jobs.place(jobNo, &r);
    if (p == CardJobs::Placed::Ok) {
        rows[r] = Row{true, jobNo, 0, 0, 0};
        if (row)
            *row = r;
    }
    return p;
}

bool Card::open(const LoadedCard& stored, Mode wanted)
{
    storedIds.clear();
    const int n = int(std::min<qsizetype>(stored.rows.size(), kCardRows));
    for (int r = 0; r < n; ++r) {
        const LoadedRow& s = stored.rows[r];
        rows[r] = Row{true, s.jobNo, 0, s.days, 0};
        storedIds << s.id;
    }
    jobs.lastJobRow = n - 1;
    if (stored.leaves) {
        leaves = *stored.leaves;
        mode = wanted;
    } else {
        mode = Mode::Append;
    }
    return !stored.rows.isEmpty() || stored.leaves;
}

void Card::takeSum(const CardSum& sum)
{
    for (int r = 0; r < kCardRows; ++r)
        rows[r].days = sum.JobED[r];
    totalDays = sum.TotalED;
    leaves = sum.leaves;
}

QList<int> Card::jobRows() const
{
    QList<int> l;
    for (int r = 0; r <= jobs.lastJobRow && r < kCardRows; ++r)
        if (rows[r].used)
            l << r;
    return l;
}

QList<CardLine> Card::lines(bool typedDays, bool storedDays) const
{
    QList<CardLine> l;
    for (int r : jobRows())
        l << CardLine{rows[r].jobNo, typedDays ? rows[r].days : 0, storedDays ? rows[r].storedDays : 0,
                      rows[r].credit};
    return l;
}

QString saveCaption(Card::Mode mode)
{
    switch (mode) {
    case Card::Mode::Update:
        return QStringLiteral("Update Record");
    case Card::Mode::Delete:
        return QStringLiteral("Delete Record");
    case Card::Mode::Append:
        break;
    }
    return QStringLiteral("Add Record");
}

} // namespace entry
