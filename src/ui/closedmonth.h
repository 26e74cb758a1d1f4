#pragma once
// Closed months as the windows show them: the line under the data-entry
// window's period pickers (with the save command disabled while the chosen
// month is closed), the once-only start-up note on a database without the
// close tables, and the administrator's small window to close and reopen.

#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

namespace ui {

class PeriodPickers;

// "ClosedMonth": empty and hidden while the card month of the department
// chosen is open; says which month is closed, since when and by whom, and
// keeps `save` disabled, while it is closed.
class ClosedMonthLine : public QLabel {
    Q_OBJECT
public:
    ClosedMonthLine(QWidget* parent, PeriodPickers* periods, QComboBox* department, QPushButton* save);
    void refresh();
    bool closed() const { return closed_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setSaveEnabled(bool on);
    PeriodPickers* periods_;
    QComboBox* department_;
    QPushButton* save_;
    bool closed_ = false;
    bool wanted_ = false; // what the window last asked of the save button
    bool setting_ = false;
};

// Adds "UpgradeNote" to the status bar when the database lacks the close and
// audit tables.
void noteUpgradeNeeded(QStatusBar* bar);

// "MonthClose": a department (or all) and a card month-end; Close, and
// Reopen with a reason.
class MonthCloseWindow : public QDialog {
    Q_OBJECT
public:
    explicit MonthCloseWindow(QWidget* parent = nullptr);
    void closeClicked();
    void reopenClicked();
    void showState();

    QComboBox* CloseDeptt = nullptr;
    QDateEdit* CloseMonthEnd = nullptr;
    QLabel* CloseState = nullptr;
    QPushButton* CloseMonth = nullptr;
    QPushButton* ReopenMonth = nullptr;
};

// The administrator window's "Months" menu, placed before `before`; its one
// item opens the window above. Disabled until the tools are unlocked.
QMenu* addMonthMenu(QWidget* window, QMenuBar* bar, QAction* before);

// The latest card month-end on or before `today` for the start day.
QDate latestMonthEnd(const QDate& today, int startDay);

} // namespace ui
