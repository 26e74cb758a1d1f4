#pragma once
// The department and employee pickers with the employee ID beside them, as
// both windows show them.

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QObject>
#include <QStringList>

namespace ui {

class EmployeePicker : public QObject {
    Q_OBJECT
public:
    explicit EmployeePicker(QWidget* parent);

    QComboBox* department; // "Combo4"
    QComboBox* employee;   // "Combo1"
    QLabel* employeeId;    // "Label7"

    // Puts the captions and pickers on rows 0 and 1 of `grid`; the ID stands
    // in column `idColumn`, the department picker spans up to it.
    void placeIn(QGridLayout* grid, int idColumn);
    // Lists the departments, none selected. With none, says so and returns false.
    bool fillDepartments(const QStringList& departments);
    // Lists the employees (`ids` parallel to `entries`). With none, says so
    // and returns false; otherwise the first is selected.
    bool fillEmployees(const QStringList& entries, const QStringList& ids);

signals:
    void departmentChosen();
    // The ID shows before this is sent.
    void employeeChosen(int index);

private:
    QWidget* parent_;
    QStringList ids_;
};

} // namespace ui
