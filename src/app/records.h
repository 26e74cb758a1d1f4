#pragma once
// One employee and one job as the program reads them from the data source,
// each with the one routine that reads it from a row.

#include "store/database.h"

#include <QDate>
#include <QString>

namespace app {

// A row of the employee master.
struct Employee {
    qint64 empId = 0;    // Emp_ID
    QString name;        // EmpName
    QDate dob;           // DoB
    QString designation; // Designation
    QString department;  // Deptt
    QString address;     // Emp_Addr
    QString grade;       // Grade
};

// The columns employeeFrom reads, in its order: "SELECT " + this + " FROM employees ...".
inline const QString kEmployeeColumns = QStringLiteral("Emp_ID, EmpName, DoB, Designation, Deptt, Emp_Addr, Grade");
// The employee on the current row of a statement that selects kEmployeeColumns.
Employee employeeFrom(const store::Query& q);

// A row of the job master.
struct Job {
    qint64 jobNo = 0;    // JobNo
    QString name;        // JobName
    QString client;      // ClientCo
    double allotted = 0; // Limit_ED
    double balance = 0;  // Bal_ED
    double status = 0;   // Job_Status
    QString lead;        // LeadDeptt
};

// The columns jobFrom reads, in its order: "SELECT " + this + " FROM jobs ...".
inline const QString kJobColumns = QStringLiteral("JobNo, JobName, ClientCo, Limit_ED, Bal_ED, Job_Status, LeadDeptt");
// The job on the current row of a statement that selects kJobColumns.
Job jobFrom(const store::Query& q);

} // namespace app
