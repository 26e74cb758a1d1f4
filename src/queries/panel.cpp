#include "queries/panel.h"

#include "app/calendar.h"

namespace queries {

QStringList optionCaptions()
{
    return {QStringLiteral("Jobs of lead Depart."),
            QStringLiteral("Jobs of Other Lead Departments"),
            QStringLiteral("Jobs with Over Booking of ED"),
            QStringLiteral("Jobs with Under Booking of ED"),
            QStringLiteral("Employees of Grade"),
            QStringLiteral("Employees in the Age Group"),
            QStringLiteral("List of Superannuated Employees as on Date"),
            QStringLiteral("Search for"),
            QStringLiteral("Booking of Job No. Between Dates"),
            QStringLiteral("Completed/ Dropped out Jobs"),
            QStringLiteral("Transferred out employees"),
            QStringLiteral("History of an employee's cards"),
            QStringLiteral("Cards missing for the month")};
}

QString superannuatedCaption(const QDate& today)
{
    return QStringLiteral("List of Superannuated Employees as on Date (") + today.toString(QStringLiteral("dd/MM/yyyy")) +
           QLatin1Char(')');
}

QStringList searchFieldNames()
{
    return {QStringLiteral("Employee Name"), QStringLiteral("Employee Number"),  QStringLiteral("Date of Birth"),
            QStringLiteral("Designation"),   QStringLiteral("Department"),       QStringLiteral("Employee Address"),
            QStringLiteral("Grade"),         QStringLiteral("Entire Database")};
}

QString queryTitle(int index, const QueryInputs& in, const QStringList& captions)
{
    const QString listOf = QStringLiteral("LIST OF ");
    switch (index) {
    case LeadJobs:
        return listOf + (captions.value(0) + QLatin1Char(' ') + in.leadDepartment).toUpper();
    case OtherLeadJobs:
    case OverBooked:
    case UnderBooked:
        return listOf + captions.value(index).toUpper();
    case GradeEmps:
        return listOf + captions.value(4).toUpper() + QLatin1Char(' ') + in.grade + QStringLiteral(" IN ") +
               in.department.toUpper();
    case AgeGroup:
        return QStringLiteral("EMPLOYEES IN THE AGE GROUP BETWEEN ") + in.ageRange + QStringLiteral(" YEARS");
    case Superannuated:
        return QStringLiteral("LIST OF Superannuated EMPLOYEES AS ON DATE (") +
               in.today.toString(QStringLiteral("dd/MM/yyyy")) + QLatin1Char(')');
    case SearchEmp:
        return QStringLiteral("SEARCH RESULTS FOR THE STRING '") + in.searchText + QStringLiteral("' IN ") +
               searchFieldNames().value(in.searchField).toUpper();
    case JobBooking:
        return QStringLiteral("SEARCH RESULTS FOR BOOKING AGAINST JOB NO. ") + in.jobText;
    case ClosedJobs:
    case Transferred:
        return (QStringLiteral("List Showing ") + captions.value(index)).toUpper();
    case CardHistory:
        return (captions.value(index) + QStringLiteral(": ") + in.employeeName + QStringLiteral(" (") + in.employeeId
                + QLatin1Char(')'))
            .toUpper();
    case MissingCards:
        return (captions.value(index) + QStringLiteral(" ending ") + in.to.toString(QStringLiteral("dd/MM/yyyy"))
                + QStringLiteral(" in ") + (in.departmentPos > 0 ? in.department : QStringLiteral("All Departments")))
            .toUpper();
    default:
        return {};
    }
}

QString periodLine(const QDate& from, const QDate& to, int startDay)
{
    const QStringList months = app::calendar::monthNames();
    return QStringLiteral("Period From: ") + QString::number(startDay) + QLatin1Char(' ') +
           months.value(from.month() - 1) + QLatin1Char(',') + QString::number(from.year()) + QStringLiteral(" TO ") +
           QString::number(startDay - 1) + QLatin1Char(' ') + months.value(to.month() - 1) + QLatin1Char(',') +
           QString::number(to.year());
}

QString helpText()
{
    const QStringList lines = {
        QStringLiteral("\tUTILITY & DEPARTMENTAL PASSWORDS"),
        QString(),
        QStringLiteral("This Software is useful for Keeping Job Records,\r\nManpower Records, Leave Records etc.").toUpper(),
        QString(),
        QStringLiteral("This Karvela meant for Recording of day to day Enginnering/"),
        QStringLiteral("other jobs of the Institute. The conceptual structure is as under:"),
        QString(),
        QStringLiteral("1. Each Department shall have its own password."),
        QStringLiteral("2. Administrator has a common password for all departments."),
        QStringLiteral("3. Administrator will issue Password to departments on First Time."),
        QStringLiteral("4. Departments can change their passwords any time."),
        QStringLiteral("5. Data Entry can only be made by the concerned Department."),
        QStringLiteral("6. Manpower to any department can only be added by the Administrator."),
        QStringLiteral("7. Report Section is open to all departments and can be used by all."),
        QString(),
        QStringLiteral("Refer to User Manual for more details."),
    };
    return lines.join(QStringLiteral("\r\n"));
}

QString employeeIdText(const QString& employee)
{
    return QStringLiteral("This number is Employee ID of ") + employee;
}

} // namespace queries
