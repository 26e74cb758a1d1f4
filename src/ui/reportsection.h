#pragma once
// The start-up window: booking reports, queries and the report grid.

#include "app/calendar.h"
#include "app/pickers.h"
#include "queries/gridtools.h"
#include "queries/queries.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
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

class EmployeePicker;
class PeriodPickers;
class LogoPlayer;
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
    // While the all-departments report walks the department picker: the
    // employees it read for the department being chosen (FillEmployees
    // lists these instead of reading).
    const QList<app::Employee>* handedEmployees = nullptr;

    // Controls.
    PeriodPickers* periods = nullptr;
    EmployeePicker* pickers = nullptr;
    QComboBox* Combo4 = nullptr;      // department, of the pickers
    QComboBox* Combo1 = nullptr;      // employee, of the pickers
    QCheckBox* Check1 = nullptr;      // include superannuated employees
    QLabel* Label7 = nullptr;         // employee ID, of the pickers
    QListWidget* List5 = nullptr;     // names, parallel to Combo1 (hidden)
    QListWidget* List2 = nullptr;     // IDs (hidden)
    QListWidget* List3 = nullptr;     // designations (hidden)
    QComboBox* Combo5[2] = {};        // query grade and department inputs
    QComboBox* Combo7 = nullptr;      // query lead department
    QGroupBox* Frame4 = nullptr;      // data-entry frame
    QLabel* Image1 = nullptr;         // still logo
    LogoPlayer* MediaPlayer1 = nullptr; // logo animation
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
    int QueryIndex = 0;               // last query option clicked
    queries::ClipState clip;          // ClipRows, ClipCols, CutMark

    QRadioButton* Option2[queries::kQueryCount] = {}; // the query options
    QLineEdit* Text1 = nullptr;       // age range
    QLineEdit* Text2 = nullptr;       // search text
    QLineEdit* Text3 = nullptr;       // job number
    QComboBox* Combo6 = nullptr;      // search field
    QPushButton* GenerateList = nullptr; // "&Show"
    QLabel* StatusPanel2 = nullptr;   // status bar panel 2: the query title
    QAction* QueriesAction = nullptr; // "Open &Queries" / "Close &Queries"
    QAction* HelpAction = nullptr;
    QMenu* Sortz = nullptr;
    QAction* AscNo = nullptr;
    QAction* DescNo = nullptr;
    QAction* SortMaxMin = nullptr;
    QAction* SortMinMax = nullptr;
    QAction* Alphabet = nullptr;
    QAction* AlphabetRev = nullptr;
    QAction* Normalize = nullptr;
    QMenu* pop = nullptr;             // the grid's pop-up menu
    QAction* popCopy = nullptr;
    QAction* popCut = nullptr;
    QAction* popPaste = nullptr;
    QAction* popSelectAll = nullptr;
    QAction* popClearClip = nullptr;

    void FillSearchFields();
    void queriesClicked();            // opens or closes the panel
    void option2Clicked(int index);   // chooses a query
    void GenerateListClicked();       // runs the chosen query
    void showHelp();
    // What the panel's inputs hold now.
    queries::QueryInputs queryInputs() const;

    // The grid's selection: cursor cell and other corner.
    queries::Block gridSelection() const;
    void setGridSelection(const queries::Block& block);
    void sortGrid(queries::SortMode mode);
    void sortGridByDate(bool latestFirst);
    void CopySelection();
    void CutSelection();
    void PasteClip();
    void selectAllCells();
    void ClearClipboard();
    void setupQueryPanel();           // query panel, Sortz, Help and the pop-up menu
    void setupKeys();                 // key shortcuts and the tab order of the screen
    void queryPeriodChosen();         // a date picker while the panel is open
    void enableFromPickers();
    QPersistentModelIndex selectionAnchor; // where the last selection started
    bool optionWasChosen = false;     // the pressed query option was chosen already

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void setProgress(int value);
    void showPasswordDialog();
    bool loadStartUpData(); // false: the program was ended
};

} // namespace ui
