#pragma once
// The six period pickers of a main window (From and To rows of month, day
// and year) with LoadMonths and FindDuration.

#include "app/calendar.h"

#include <QComboBox>
#include <QGridLayout>
#include <QDate>
#include <QObject>

#include <optional>

namespace ui {

class PeriodPickers : public QObject {
public:
    enum class Kind { DataEntry, Report };
    // Creates Combo2_0..2 (From) and Combo3_0..2 (To) as children of parent.
    PeriodPickers(QWidget* parent, Kind kind);

    QComboBox* from[3]; // month, day, year
    QComboBox* to[3];

    // Puts the From row at `firstRow` of `grid` and the To row below it, each
    // with its caption in column 0.
    void placeIn(QGridLayout* grid, int firstRow);

    // Fills and presets the pickers from today's date and the start day.
    void loadMonths(const QDate& today, int startDay);
    // The period picked; no value when a picked date does not exist.
    std::optional<app::calendar::Period> findDuration() const;

private:
    void fromMonthClicked();
    void fromYearClicked();
    void toMonthClicked();
    void toYearClicked();
    int year(QComboBox* box) const;

    // While one row follows the other, the followed row's own handling does
    // not run: each change is worked out from the row the user changed.
    struct Coupling {
        explicit Coupling(bool& flag) : flag_(flag) { flag_ = true; }
        ~Coupling() { flag_ = false; }
        bool& flag_;
    };
    bool coupling_ = false;
    Kind kind_;
};

} // namespace ui
