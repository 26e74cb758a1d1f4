#pragma once
// The start-up window: booking reports, queries and the report grid.

#include "app/calendar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QProgressBar>
#include <QRadioButton>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

namespace reports {
class GridModel;
struct Sheet;
struct Request;
}

namespace ui {

class PeriodPickers;
class ReportGrid;

class ReportSection : public QMainWindow {
    Q_OBJECT
public:
    explicit ReportSection(QWidget* parent = nullptr);

    // The start-up sequence. Returns false when the program was ended.
    bool load();

    // Public routines other windows call.
    void LoadMonths();
    void FindDuration();
    void SearchDeptts();
    void FillEmployees();
    void SearchGrades();
    void SearchLeadDeptts();
    void LoadMyLogo();

    // Period values of this window.
    QDate FromDate;
    QDate ToDate;
    int PeriodDays = 0;
    int EmpCount = 0;
    bool QueryMode = false;

    // Controls.
    PeriodPickers* periods = nullptr;
    QComboBox* Combo4 = nullptr;      // department
    QComboBox* Combo1 = nullptr;      // employee
    QCheckBox* Check1 = nullptr;      // include superannuated employees
    QLabel* Label7 = nullptr;         // employee ID
    QListWidget* List5 = nullptr;     // names, parallel to Combo1 (hidden)
    QListWidget* List2 = nullptr;     // IDs (hidden)
    QListWidget* List3 = nullptr;     // designations (hidden)
    QComboBox* Combo5[2] = {};        // query grade and department inputs
    QComboBox* Combo7 = nullptr;      // query lead department
    QGroupBox* Frame4 = nullptr;      // data-entry frame
    QLabel* Image1 = nullptr;         // still logo
    QLabel* Image2 = nullptr;         // data-entry picture
    QLabel* Label8 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label2 = nullptr;         // "Please wait...!"
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* Label1[2] = {};           // title and period lines
    QLabel* Label5 = nullptr;         // elapsed time
    QTableView* Flx = nullptr;        // report grid
    reports::GridModel* grid = nullptr; // the grid's cells
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    QGroupBox* Frame5 = nullptr;      // query panel
    QVBoxLayout* reportPanel = nullptr; // report options and generate button
    QVBoxLayout* queryPanel = nullptr;  // query options and inputs

    QAction* DataEntryAction = nullptr;
    QAction* AboutAction = nullptr;
    QAction* ExitzAction = nullptr;

    // Hooks the report and query panels fill in.
    void departmentChosen();
    void employeeChosen();
    void periodChosen();
    void check1Clicked();

    // --- Report panel (options, generation, report builders) ---------------
    QRadioButton* Option1[6] = {};    // report options
    QPushButton* GenerateRpt = nullptr;
    QListWidget* List1 = nullptr;     // job numbers of the last department report (hidden)
    ReportGrid* FlxGrid = nullptr;    // Flx as the frozen-heading grid view

    int ReportType = 0;
    int JobCount = 0;
    int BlockRow = 0;
    int UsedRows = 0;
    double StartTime = 0;
    double EndTime = 0;
    QString GridFormat;

    void buildReportPanel();
    // Click on Option1(index): dates, picker states, fixed rows and columns,
    // title and status bar.
    void Option1Click(int index);
    void GenerateRptClick();
    // Widths of grid columns 0 to 2 (5, 10 and 29 "Z").
    void FormatColStrg();
    // The period label for the option in force.
    void showPeriodLabel();
    // Label5: EndTime less StartTime.
    void showElapsed();
    // Shows a built report in the grid: cells, alignment, widths, used rows,
    // final scroll position.
    void showSheet(const reports::Sheet& sheet);
    // What the builders need from the pickers and period values.
    reports::Request reportRequest();

    // --- Query panel, sorting and clipboard ----------------------------------

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void setProgress(int value);
    void showPasswordDialog();
    bool loadStartUpData(); // false: the program was ended
};

} // namespace ui
