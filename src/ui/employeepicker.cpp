#include "ui/employeepicker.h"

#include "app/dialogs.h"
#include "app/pickers.h"
#include "ui/common.h"

namespace ui {

EmployeePicker::EmployeePicker(QWidget* parent)
    : QObject(parent),
      department(named(new QComboBox(parent), QStringLiteral("Combo4"))),
      employee(named(new QComboBox(parent), QStringLiteral("Combo1"))),
      employeeId(named(new QLabel(parent), QStringLiteral("Label7"))),
      parent_(parent)
{
    connect(department, &QComboBox::currentIndexChanged, this, &EmployeePicker::departmentChosen);
    connect(employee, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0 && i < ids_.size())
            employeeId->setText(ids_.at(i));
        emit employeeChosen(i);
    });
}

void EmployeePicker::placeIn(QGridLayout* grid, int idColumn)
{
    grid->addWidget(new QLabel(QStringLiteral("Department"), parent_), 0, 0);
    grid->addWidget(department, 0, 1, 1, idColumn);
    grid->addWidget(new QLabel(QStringLiteral("Employee"), parent_), 1, 0);
    grid->addWidget(employee, 1, 1, 1, idColumn - 1);
    grid->addWidget(employeeId, 1, idColumn);
}

bool EmployeePicker::fillDepartments(const QStringList& departments)
{
    fillSilently(department, departments);
    if (!departments.isEmpty())
        return true;
    app::dialogs().message(QString::fromLatin1(app::kNoDepartment), app::style::Information);
    return false;
}

bool EmployeePicker::fillEmployees(const QStringList& entries, const QStringList& ids)
{
    ids_ = ids;
    fillSilently(employee, entries);
    if (entries.isEmpty()) {
        app::dialogs().message(app::noEmployeeMessage(department->currentText()), app::style::Information);
        return false;
    }
    selectEntry(employee, 0);
    return true;
}

} // namespace ui
