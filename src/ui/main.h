#pragma once
// The data-entry window: job cards, job master and job status.

#include "entry/cardchecks.h"
#include "entry/cardstore.h"
#include "entry/joblists.h"

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

#include <array>

namespace ui {

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
    void List1DblClick();
    void List2DblClick();
    void List6DblClick();
    void Label6DblClick(int index);
    void Text9DblClick(int row);

    // Period values of this window.
    QDate FromDate;
    QDate ToDate;
    int PeriodDays = 0;
    // Employee IDs parallel to Combo1.
    QStringList EmpIDs;

    // Card values: jobs placed, checks and balances.
    entry::CardJobs Card; // CardJobs, CardJobCount, ResetPending, LastJobRow
    std::array<double, 11> JobED{};
    double TotalED = 0;
    entry::LeaveValues Leaves;
    bool EntryValid = false;
    bool SumValid = false;
    std::array<double, 11> NewBalED{};
    std::array<double, 11> OldED{};
    // Allotted ED credited to a row's balance on screen, stored with the next save.
    std::array<double, 11> Credit{};
    bool DeleteMode = false;
    bool EditJobMode = false;
    // The balance the job panel showed when the job was opened for editing.
    double EditJobBalance = 0;
    int StatusRow = 0;

    // Controls.
    PeriodPickers* periods = nullptr;
    QGroupBox* Frame1 = nullptr; // job lists and search
    QGroupBox* Frame2 = nullptr; // period pickers
    QGroupBox* Frame3 = nullptr; // job rows of the card
    QGroupBox* Frame4 = nullptr; // leave boxes
    QGroupBox* Frame5 = nullptr; // job master
    QComboBox* Combo4 = nullptr; // department
    QComboBox* Combo1 = nullptr; // employee
    QLabel* Label7 = nullptr;    // employee ID
    QLabel* Label17 = nullptr;   // mission statement
    QLabel* Label20 = nullptr;   // department and employee banner
    QLabel* Image4[2] = {};
    LogoPlayer* MediaPlayer1 = nullptr; // logo animation

    QListWidget* List1 = nullptr; // job numbers
    QListWidget* List2 = nullptr; // job names
    QListWidget* List3 = nullptr; // balances
    QListWidget* List4 = nullptr; // allotted ED
    QListWidget* List5 = nullptr; // status
    QListWidget* List6 = nullptr; // job numbers, sorted
    QListWidget* List7 = nullptr; // record keys of a loaded card's rows
    QListWidget* List8 = nullptr; // lead departments

    QLabel* Label1[10] = {};     // job number of a row
    QLabel* Label2[10] = {};     // job name of a row
    QLineEdit* Text1[10] = {};   // days per job row
    QLineEdit* Text9[10] = {};   // status per job row
    QLabel* Label14[10] = {};    // "%"
    QLabel* Label6[30] = {};     // balance, allotted ED, lead department of a row
    QLineEdit* Text2[9] = {};    // leave days
    QLabel* Label8[9] = {};      // leave captions
    QLabel* Label13[9] = {};     // leave serials
    QPushButton* AddRecord = nullptr;
    QPushButton* ShowJobs = nullptr;
    QPushButton* jobStUpdate = nullptr;

    QLineEdit* Text3 = nullptr; // job number to find
    QLineEdit* Text4 = nullptr; // job name text to find
    QPushButton* SearchJob = nullptr;
    QPushButton* SearchStrng = nullptr;

    QLineEdit* Text5 = nullptr;  // job number
    QLineEdit* Text6 = nullptr;  // job name
    QLineEdit* Text7 = nullptr;  // client
    QLineEdit* Text8 = nullptr;  // allotted ED
    QLineEdit* Text10 = nullptr; // balance ED
    QLineEdit* Text11 = nullptr; // status
    QComboBox* Combo5 = nullptr; // lead department
    QPushButton* AddJob = nullptr;
    QPushButton* Cancelz = nullptr;

    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel1 = nullptr;

    QAction* ReportAction = nullptr;
    QAction* SettingsAction = nullptr;
    QAction* AboutAction = nullptr;
    QAction* ExitAction = nullptr;
    QMenu* RecordMenu = nullptr;
    QAction* EditRecord = nullptr;
    QAction* DeleteRecord = nullptr;
    QAction* ResetAction = nullptr;
    QAction* EditJob = nullptr;

    // Click handling of the pickers.
    void departmentChosen();
    void employeeChosen();

protected:
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void showBanner();
    void LoadRecord(qint64 empId);
    // The open card as the store takes it: who and when, and each job row
    // with its new days and/or the days stored for it.
    entry::CardHeader cardHeader() const;
    QList<entry::CardLine> cardLines(const QList<int>& rows, bool newDays, bool storedDays) const;
    void openStoredCard();
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
};

} // namespace ui
