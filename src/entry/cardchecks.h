#pragma once
// The checks a card passes before it is stored: every item in range, and
// the days adding up to the length of the period.

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace entry {

inline constexpr int kLeaveBoxes = 9;

// Leave values in the order of the leave boxes: CL, RH, HPL, SL, EL, SPL,
// LWP, MSC, HLY.
struct LeaveValues {
    double CL = 0, RH = 0, HPL = 0, SL = 0, EL = 0, SPL = 0, LWP = 0, MSC = 0, HLY = 0;
    static LeaveValues fromBoxes(const QStringList& boxTexts);
    double box(int index) const;
    void setBox(int index, double value);
};

// The first item out of range, as its message; no value when all pass.
// `jobTexts` holds the ten job-day boxes, `leaveTexts` the nine leave boxes.
std::optional<QString> checkCardItems(const QStringList& jobTexts, const QStringList& leaveTexts, int periodDays);

struct CardSum {
    std::array<double, 11> JobED{};
    double TotalED = 0;
    LeaveValues leaves;
    double sum = 0;
    bool SumValid = false;
    QString message; // the box text when the days do not add up
};
// Rows 0 to lastJobRow are the card's job rows.
CardSum checkCardSum(const QStringList& jobTexts, int lastJobRow, const QStringList& leaveTexts, int periodDays);

} // namespace entry
