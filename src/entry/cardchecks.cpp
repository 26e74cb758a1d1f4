#include "entry/cardchecks.h"

#include "app/numtext.h"

namespace entry {

namespace {
double valueAt(const QStringList& texts, int i)
{
    return app::leadingNumber(texts.value(i));
}
// A number that is not finite ("1e309") is out of every item's range.
bool finiteAt(const QStringList& texts, int i)
{
    return app::leadingNumberIsFinite(texts.value(i));
}
} // namespace

LeaveValues LeaveValues::fromBoxes(const QStringList& boxTexts)
{
    LeaveValues v;
    for (int i = 0; i < kLeaveBoxes; ++i)
        v.setBox(i, valueAt(boxTexts, i));
    return v;
}

double LeaveValues::box(int index) const
{
    switch (index) {
    case 0: return CL;
    case 1: return RH;
    case 2: return HPL;
    case 3: return SL;
    case 4: return EL;
    case 5: return SPL;
    case 6: return LWP;
    case 7: return MSC;
    case 8: return HLY;
    }
    return 0;
}

void LeaveValues::setBox(int index, double value)
{
    switch (index) {
    case 0: CL = value; break;
    case 1: RH = value; break;
    case 2: HPL = value; break;
    case 3: SL = value; break;
    case 4: EL = value; break;
    case 5: SPL = value; break;
    case 6: LWP = value; break;
    case 7: MSC = value; break;
    case 8: HLY = value; break;
    }
}

std::optional<QString> checkCardItems(const QStringList& jobTexts, const QStringList& leaveTexts, int periodDays)
{
    const QString limit = QString::number(periodDays) + QLatin1Char('.');
    for (int i = 0; i < 10; ++i) {
        const double v = valueAt(jobTexts, i);
        if (!finiteAt(jobTexts, i) || v < 0 || v > periodDays)
            return QStringLiteral("Check Entry of Job Item ") + QString::number(i + 1)
                + QStringLiteral(", it must be positive limited to ") + limit;
    }
    for (int i = 2; i < kLeaveBoxes; ++i) {
        const double v = valueAt(leaveTexts, i);
        if (!finiteAt(leaveTexts, i) || v < 0 || v > periodDays)
            return QStringLiteral("Check Entry of Leave Item ") + QString::number(i + 1)
                + QStringLiteral(", it must be positive limited to ") + limit;
    }
    const double cl = valueAt(leaveTexts, 0);
    if (!finiteAt(leaveTexts, 0) || cl < 0 || cl > 12)
        return QStringLiteral("Check Casual Leave Entry, it must be positive limited to 12.");
    const double rh = valueAt(leaveTexts, 1);
    if (!finiteAt(leaveTexts, 1) || rh < 0 || rh > 2)
        return QStringLiteral("Check Restricted Leave Entry, it must be positive limited to 2.");
    return std::nullopt;
}

CardSum checkCardSum(const QStringList& jobTexts, int lastJobRow, const QStringList& leaveTexts, int periodDays)
{
    CardSum s;
    for (int r = 0; r <= lastJobRow && r < 11; ++r) {
        s.JobED[r] = valueAt(jobTexts, r);
        s.TotalED += s.JobED[r];
    }
    s.leaves = LeaveValues::fromBoxes(leaveTexts);
    const LeaveValues& l = s.leaves;
    s.sum = s.TotalED + l.CL + l.RH + l.HPL + l.SL + l.EL + l.MSC + l.HLY + l.SPL + l.LWP;
    s.SumValid = s.sum == double(periodDays);
    if (!s.SumValid)
        s.message = QStringLiteral("Check your enteries, sum of days is ") + app::generalNumber(s.sum)
            + QStringLiteral(". It must be equal to ") + QString::number(periodDays) + QLatin1Char('.');
    return s;
}

} // namespace entry
