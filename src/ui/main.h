#pragma once
// The data-entry window: job cards, job master and job status.
//
// The window is written in parts: main.cpp (start-up, pickers, banner),
// main_build.cpp (controls and their wiring), main_card.cpp (the card
// commands), main_jobs.cpp (job lists and job master) and
// main_status.cpp (job status and job search).

#include "entry/card.h"

#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QStringList>

class QVBoxLayout;

namespace ui {

class EmployeePicker;
class PeriodPickers;
class LogoPlayer;

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

    // Job lists and card entry.
    void LoadJobLists();
    void LoadLeadDeptts();
    void RefreshBalances();
    void EnableCardEntry();
    void DisableCardEntry();

    // Commands (menus, buttons) and the events of the lists and rows.
    void AddRecordCommand();
    void EditRecordCommand();
    void DeleteRecordCommand();
    void Resetz();
    void EditJobCommand();
    void AddJobCommand();
    void CancelzCommand();
    void JobStUpdate();
    void SearchJobCommand();
    void SearchStrngCommand();
    void ShowJobsCommand();
    void placeChosenJob();             // double-click on the job number list
    void showJobNameHint();            // double-click on the job name list
    void placeChosenSortedJob();       // double-click on the sorted number list
    void creditAllottedDays(int row);  // double-click on a row's balance
    void openStatusChange(int row);    // double-click on a row's status

    // Period values of this window.
    QDate FromDate;
    QDate ToDate;
    int PeriodDays = 0;

    // The card being edited and a job status being changed.
    entry::Card card;
    entry::StatusChange statusChange;
    bool EditJobMode = false;
    // The balance the job panel showed when the job was opened for editing.
    double EditJobBalance = 0;

    // Controls (object names in quotes).
    PeriodPickers* periods = nullptr;
    EmployeePicker* pickers = nullptr;
    QGroupBox* jobListPanel = nullptr;    // "Frame1": job lists and search
    QGroupBox* periodPanel = nullptr;     // "Frame2"
    QGroupBox* jobRowsPanel = nullptr;    // "Frame3": job rows of the card
    QGroupBox* leavePanel = nullptr;      // "Frame4": leave boxes
    QGroupBox* jobMasterPanel = nullptr;  // "Frame5"
    QComboBox* departmentPicker = nullptr; // "Combo4"
    QComboBox* employeePicker = nullptr;   // "Combo1"
    QLabel* employeeIdLabel = nullptr;     // "Label7"
    QLabel* missionLabel = nullptr;        // "Label17"
    QLabel* bannerLabel = nullptr;         // "Label20": department and employee
    QLabel* logoImages[2] = {};            // "Image4"
    LogoPlayer* logoPlayer = nullptr;      // "MediaPlayer1"

    QListWidget* jobNumberList = nullptr;       // "List1"
    QListWidget* jobNameList = nullptr;         // "List2"
    QListWidget* balanceList = nullptr;         // "List3"
    QListWidget* allottedList = nullptr;        // "List4"
    QListWidget* statusList = nullptr;          // "List5"
    QListWidget* sortedJobNumberList = nullptr; // "List6"
    QListWidget* recordKeyList = nullptr;       // "List7": record keys of a loaded card's rows
    QListWidget* leadDepartmentList = nullptr;  // "List8"

    QLabel* rowJobNumber[10] = {};   // "Label1"
    QLabel* rowJobName[10] = {};     // "Label2"
    QLineEdit* rowDays[10] = {};     // "Text1"
    QLineEdit* rowStatus[10] = {};   // "Text9"
    QLabel* rowPercent[10] = {};     // "Label14"
    QLabel* rowFigures[30] = {};     // "Label6": balance, allotted ED, lead department of a row
    QLineEdit* leaveBoxes[9] = {};   // "Text2"
    QLabel* leaveCaptions[9] = {};   // "Label8"
    QLabel* leaveSerials[9] = {};    // "Label13"
    QPushButton* saveButton = nullptr;         // "AddRecord"
    QPushButton* showJobsButton = nullptr;     // "ShowJobs"
    QPushButton* statusUpdateButton = nullptr; // "jobStUpdate"

    QLineEdit* jobNumberSearch = nullptr;   // "Text3"
    QLineEdit* jobNameSearch = nullptr;     // "Text4"
    QPushButton* findJobNumberButton = nullptr; // "SearchJob"
    QPushButton* findJobNameButton = nullptr;   // "SearchStrng"

    QLineEdit* jobNumberField = nullptr; // "Text5"
    QLineEdit* jobNameField = nullptr;   // "Text6"
    QLineEdit* clientField = nullptr;    // "Text7"
    QLineEdit* allottedField = nullptr;  // "Text8"
    QLineEdit* balanceField = nullptr;   // "Text10"
    QLineEdit* statusField = nullptr;    // "Text11"
    QComboBox* leadDepartmentPicker = nullptr; // "Combo5"
    QPushButton* jobSaveButton = nullptr;   // "AddJob"
    QPushButton* jobCancelButton = nullptr; // "Cancelz"

    QStatusBar* statusLine = nullptr; // "StatusBar1"
    QLabel* statusPanel = nullptr;    // "StatusBar1_1"

    QAction* reportAction = nullptr;
    QAction* settingsAction = nullptr;
    QAction* aboutAction = nullptr;
    QAction* exitAction = nullptr;
    QMenu* recordMenu = nullptr;
    QAction* editRecordAction = nullptr;
    QAction* deleteRecordAction = nullptr;
    QAction* resetAction = nullptr;
    QAction* editJobAction = nullptr;

    // Keyboard and typing helps: the days-left line, the job filter, a new
    // card started from the employee's previous one.
    QLabel* daysLeftLabel = nullptr;         // "DaysLeft"
    QLineEdit* jobFilter = nullptr;          // "JobFilter"
    QPushButton* lastCardButton = nullptr;   // "LastCard"
    QAction* lastCardAction = nullptr;       // "StartFromLastCard"
    void StartFromLastCard();
    void showDaysLeft();
    void filterJobs(const QString& text);
    // Escape: abandons an open job status change or job master form.
    void abandonOpenForm();

    // Click handling of the pickers.
    void departmentChosen();
    void employeeChosen(int index);

protected:
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    // Construction.
    void buildMenus();
    void buildBanner(QWidget* central, QVBoxLayout* column);
    void buildCardPanel(QWidget* central, QVBoxLayout* column);
    void buildJobPanel(QWidget* central, QVBoxLayout* column);
    void wireBanner(QWidget* central);
    void wireCardPanel();
    void wireJobPanel();

    void showBanner();
    void LoadRecord(qint64 empId, entry::Card::Mode wanted);
    // Who and when the open card belongs to, as the store takes it.
    entry::CardHeader cardHeader() const;
    void openStoredCard(entry::Card::Mode wanted);
    void showSaveCaption();
    void appendCard();
    void updateCard();
    void deleteCard();
    void closeJobPanel();
    void Update_Edit();
    void showBalance(int row, double balance);
    void setStatusOpen(int row, bool open);
    QStringList jobBoxTexts() const;
    QStringList leaveBoxTexts() const;

    bool datesLocked_ = false;
    // The job name list as wide as its longest name, as far as the screen
    // leaves room; returns the window's own width for it.
    int fitJobNames();
    int ownWidth_ = 0;
    // Keyboard commands, shortcuts and the screen's tab order.
    void buildKeys(QWidget* central, QVBoxLayout* cardColumn, QVBoxLayout* jobColumn);
    QStringList jobFormTexts() const;
    QString statusBeforeChange_;
    QStringList jobFormBefore_;
};

} // namespace ui
