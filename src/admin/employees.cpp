#include "admin/employees.h"

#include "app/numtext.h"
#include "app/textcheck.h"
#include "store/schema.h"
#include "store/audit.h"
#include "store/database.h"

#include <QRegularExpression>

#include <cmath>

namespace admin {

namespace {
const QString kInsert = QStringLiteral(
    "INSERT INTO employees (EmpName, Deptt, Emp_ID, Designation, Grade, DoB, Emp_Addr) VALUES (?, ?, ?, ?, ?, ?, ?)");
const QString kFind =
    QStringLiteral("SELECT ") + app::kEmployeeColumns + QStringLiteral(" FROM employees WHERE Emp_ID = ? ORDER BY ID");
const QString kUpdate = QStringLiteral(
    "UPDATE employees SET Deptt = ?, Designation = ?, Grade = ?, Emp_Addr = ? WHERE Emp_ID = ?");
} // namespace

std::optional<QDate> birthDateOf(const QString& text)
{
    static const QRegularExpression dmy(QStringLiteral("^\\s*(\\d{1,2})\\s*/\\s*(\\d{1,2})\\s*/\\s*(\\d{4})\\s*$"));
    const QRegularExpressionMatch m = dmy.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate d(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    if (!d.isValid())
        return std::nullopt;
    return d;
}

std::optional<qint64> employeeIdOf(const QString& text)
{
    QString digits = text;
    digits.remove(QLatin1Char(' '));
    if (digits.isEmpty())
        return std::nullopt;
    for (const QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    const double n = app::leadingNumber(digits);
    if (n < kLowestEmployeeId || n > kHighestEmployeeId)
        return std::nullopt;
    return qint64(n);
}

std::optional<qint64> idAnswerOf(const QString& answer)
{
    bool ok = false;
    const double n = answer.trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    if (!std::isfinite(n) || std::fabs(n) > 1e15)
        return qint64(0); // not an eight-digit ID
    return qint64(std::nearbyint(n));
}

FormCheck checkForm(const EmployeeForm& form, bool adding, const QDate& today)
{
    const std::optional<QDate> dob = birthDateOf(form.birthDate);
    if (dob ? *dob > today : adding)
        return FormCheck::BadBirthDate;
    if (!employeeIdOf(form.employeeId))
        return FormCheck::BadEmployeeId;
    if (form.name.trimmed().isEmpty() || form.department.trimmed().isEmpty() || form.designation.trimmed().isEmpty())
        return FormCheck::BlankFields;
    return FormCheck::Accepted;
}

std::optional<QString> formTextProblem(const EmployeeForm& form)
{
    const struct {
        const char* field;
        const QString& text;
        const char* column;
    } boxes[] = {{"Name", form.name, "EmpName"},         {"Designation", form.designation, "Designation"},
                 {"Address", form.address, "Emp_Addr"},  {"Department", form.department, "Deptt"},
                 {"Grade", form.grade, "Grade"}};
    for (const auto& b : boxes)
        if (auto bad = app::columnTextProblem(QLatin1String(b.field), b.text, "employees", b.column))
            return bad;
    const int card = store::textLength(QStringLiteral("edbooked"), QStringLiteral("EmpName"));
    const int both = int(form.name.size() + 2 + form.designation.size());
    if (both > card)
        return QStringLiteral("Check Name and Designation: a card stores them as \"name, designation\", which must "
                              "not be longer than %1 characters (these have %2).")
            .arg(card)
            .arg(both);
    return std::nullopt;
}

void addEmployee(const EmployeeForm& form)
{
    const std::optional<qint64> id = employeeIdOf(form.employeeId);
    const std::optional<QDate> dob = birthDateOf(form.birthDate);
    if (!id || !dob)
        throw store::DbError(store::ErrorKind::Other, QStringLiteral("0"), QString(),
                             QStringLiteral("The employee's ID or date of birth is not valid."));
    store::audit::Write audit(store::audit::Command::EmployeeAdd, QStringLiteral("employees"), QString::number(*id),
                              [id = *id] { return store::audit::employeeValues(id); });
    store::exec(kInsert, {form.name, form.department, *id, form.designation, form.grade, *dob, form.address});
    audit.commit();
}

std::optional<app::Employee> findEmployee(qint64 empId)
{
    auto q = store::exec(kFind, {empId});
    if (!q.next())
        return std::nullopt;
    return app::employeeFrom(q);
}

void updateEmployee(qint64 empId, const EmployeeForm& form)
{
    store::audit::Write audit(store::audit::Command::EmployeeEdit, QStringLiteral("employees"),
                              QString::number(empId), [empId] { return store::audit::employeeValues(empId); });
    auto q = store::exec(kUpdate, {form.department, form.designation, form.grade, form.address, empId});
    if (q.numRowsAffected() == 0)
        throw store::DbError(store::ErrorKind::NoRecord, QStringLiteral("0"), QString(),
                             QStringLiteral("No employee with ID %1 in the database.").arg(empId));
    q.finish();
    audit.commit();
}

} // namespace admin
