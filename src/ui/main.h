#pragma once
// The data-entry window: job cards, job master and job status.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QStringList>
#include <QDate>

namespace ui {

class PeriodPickers;

class Main : public QMainWindow {
    Q_OBJECT
public:
    explicit Main(QWidget* parent = nullptr);

    // The window's own load: job lists, lead departments, banner.
    void load();

    // Public routines the start-up sequence calls.
    void LoadMonths();
    // False when a picked date does not exist; the values stay unchanged.
    bool FindDuration();
    void SearchDeptts();
    void FillEmployees();
    void LoadMyLogo();

    // Period values of this window.
    QDate FromDate;
    QDate ToDate;
    int PeriodDays = 0;
    // Employee IDs parallel to Combo1.
    QStringList EmpIDs;

    // Controls.
    PeriodPickers* periods = nullptr;
    QGroupBox* Frame1 = nullptr; // job lists and search
    QGroupBox* Frame2 = nullptr; // period pickers
    QGroupBox* Frame3 = nullptr; // job rows of the card
    QGroupBox* Frame4 = nullptr; // leave boxes
    QComboBox* Combo4 = nullptr; // department
    QComboBox* Combo1 = nullptr; // employee
    QLabel* Label7 = nullptr;    // employee ID
    QLabel* Label17 = nullptr;   // mission statement
    QLabel* Label20 = nullptr;   // department and employee banner
    QLabel* Image4[2] = {};
    QLineEdit* Text1[10] = {};   // days per job row
    QLineEdit* Text2[9] = {};    // leave days
    QPushButton* AddRecord = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel1 = nullptr;

    QAction* ReportAction = nullptr;
    QAction* SettingsAction = nullptr;
    QAction* AboutAction = nullptr;
    QAction* ExitAction = nullptr;

    // Click handling of the pickers.
    void departmentChosen();
    void employeeChosen();

protected:
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void showBanner();
};

} // namespace ui
