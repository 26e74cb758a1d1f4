#pragma once
// The administrator window: default department, start day, employees.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>

namespace admin {
struct EmployeeForm;
}

namespace ui {

class OptSet : public QMainWindow {
    Q_OBJECT
public:
    explicit OptSet(QWidget* parent = nullptr);

    // Fills the lists; false when the program was ended (no department).
    bool load();
    void LoadDeptList();
    void SearchGrades();

    // Command handlers.
    void enableToolClicked();   // unlock with the password in Text4
    void modezClicked();        // start-day panel
    void setDefaultClicked();   // save the start day
    void setDeptClicked();      // default-department panel
    void okClicked();           // confirm the default department
    void addEmpClicked();       // employee panel, add mode
    void updateEmpClicked();    // employee panel, edit mode
    void addEmployeeClicked();  // write the employee
    void HideEmployeePanel();

    bool AddMode = false;
    qint64 EditEmpID = 0;
    QString AdminCode; // built at load; the unlock builds it afresh

    QGroupBox* Frame3 = nullptr; // Authorization
    QLineEdit* Text4 = nullptr;
    QPushButton* EnableTool = nullptr;
    QLabel* Label1 = nullptr;
    QGroupBox* Frame1 = nullptr; // start day
    QLineEdit* Text1[1] = {};
    QPushButton* SetDefault = nullptr;
    QGroupBox* Frame4 = nullptr; // default department
    QListWidget* List1 = nullptr;
    QPushButton* OK = nullptr;
    QGroupBox* Frame2 = nullptr; // employee panel
    QLineEdit* Text2[6] = {};    // name, designation, address, date of birth, (unused), employee ID
    QComboBox* Combo1 = nullptr; // department
    QComboBox* Combo2 = nullptr; // grade
    QPushButton* AddEmployee = nullptr;

    QMenu* Tools = nullptr;
    QAction* Modez = nullptr;
    QAction* SetDept = nullptr;
    QAction* AddEmp = nullptr;
    QAction* UpdateEmp = nullptr;
    QAction* EnableTools = nullptr;
    QMenu* Months = nullptr; // closing and reopening card months

protected:
    // Closing the window unloads it: the next opening starts locked, with
    // its lists filled afresh.
    void closeEvent(QCloseEvent* e) override;

private:
    void setToolsEnabled(bool on);
    void lockIdentityBoxes(bool locked);
    admin::EmployeeForm form() const;
    void showPicked(QComboBox* box, const QString& text);
    void unload();
};

} // namespace ui
