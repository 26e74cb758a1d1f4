#include "cli/importcsv.h"
#include "cli/usage.h"

#include "admin/employees.h"
#include "app/calendar.h"
#include "app/clock.h"
#include "app/messages.h"
#include "app/pickers.h"
#include "entry/jobmaster.h"
#include "store/database.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace cli {

namespace {

const char* kUsage = usage::kImport;

// The fields a file must name, by table: every field but the record key.
const QStringList kEmployeeFields = {"Emp_ID", "EmpName", "DoB", "Designation", "Deptt", "Emp_Addr", "Grade"};
const QStringList kJobFields = {"DateUpdate", "JobNo",  "JobName",    "ClientCo",
                                "Limit_ED",   "Bal_ED", "Job_Status", "LeadDeptt"};

const QString kEmployeeKeys = QStringLiteral("SELECT Emp_ID FROM employees");
const QString kJobKeys = QStringLiteral("SELECT JobNo FROM jobs");
// An import carries history: the balance goes in as given.
const QString kInsertJob = QStringLiteral("INSERT INTO jobs (DateUpdate, JobNo, JobName, ClientCo, Limit_ED, Bal_ED, "
                                          "Job_Status, LeadDeptt) VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
const QString kUpdateJob = QStringLiteral("UPDATE jobs SET DateUpdate = ?, JobName = ?, ClientCo = ?, Limit_ED = ?, "
                                          "Bal_ED = ?, Job_Status = ?, LeadDeptt = ? WHERE JobNo = ?");

struct Problem {
    int line = 0;
    QString reason;
};

// A row's fields by name.
class Fields {
public:
    Fields(const QHash<QString, int>& positions, const CsvRow& row) : positions_(positions), row_(row) {}
    QString operator[](const QString& name) const { return row_.fields.value(positions_.value(name.toLower())).trimmed(); }

private:
    const QHash<QString, int>& positions_;
    const CsvRow& row_;
};

std::optional<QDate> isoDate(const QString& text)
{
    const QDate d = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    return d.isValid() ? std::optional<QDate>(d) : std::nullopt;
}

QString quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// What every row of a file becomes once checked: the key, whether it is in
// the table already, and the write.
struct Checked {
    int line = 0;
    qint64 key = 0;
    bool update = false;
    admin::EmployeeForm employee;
    app::Job job;
    QVariant dateUpdate;
};

class Import {
public:
    Import(bool jobs, bool updateExisting) : jobs_(jobs), updateExisting_(updateExisting) {}

    // Maps the header's names to positions; false (with problems) when a
    // field is missing, unknown or named twice.
    bool readHeader(const CsvRow& header)
    {
        const QStringList& fields = jobs_ ? kJobFields : kEmployeeFields;
        for (int i = 0; i < header.fields.size(); ++i) {
            const QString name = header.fields[i].trimmed();
            const QString key = name.toLower();
            const bool known = std::any_of(fields.begin(), fields.end(),
                                           [&](const QString& f) { return f.toLower() == key; });
            if (!known)
                problem(header.line, QStringLiteral("the header names %1, which is not a field of table %2 (its fields: "
                                                    "%3; the record key is given by the data source)")
                                         .arg(quoted(name), table(), fields.join(QStringLiteral(", "))));
            else if (positions_.contains(key))
                problem(header.line, QStringLiteral("the header names %1 twice").arg(name));
            else
                positions_.insert(key, i);
        }
        for (const QString& f : fields)
            if (!positions_.contains(f.toLower()))
                problem(header.line, QStringLiteral("the header lacks the field %1").arg(f));
        width_ = int(header.fields.size());
        return problems_.isEmpty();
    }

    // The keys and departments the database holds.
    void readKeys()
    {
        auto q = store::exec(jobs_ ? kJobKeys : kEmployeeKeys);
        while (q.next())
            stored_.insert(store::whole(q.value(0)));
        known_ = app::departments();
        if (jobs_)
            known_ += app::leadDepartments();
    }

    void check(const CsvRow& row, const QDate& today)
    {
        if (row.fields.size() != width_) {
            problem(row.line, QStringLiteral("%1 fields where the header names %2").arg(row.fields.size()).arg(width_));
            return;
        }
        const int before = int(problems_.size());
        Checked c;
        c.line = row.line;
        const Fields f(positions_, row);
        std::optional<qint64> key = jobs_ ? checkJob(f, c) : checkEmployee(f, c, today);
        if (!key)
            return;
        c.key = *key;
        const QString keyField = jobs_ ? QStringLiteral("JobNo") : QStringLiteral("Emp_ID");
        if (const auto seen = lineOfKey_.constFind(*key); seen != lineOfKey_.constEnd())
            problem(row.line, QStringLiteral("%1 %2 is also on line %3").arg(keyField).arg(*key).arg(*seen));
        else
            lineOfKey_.insert(*key, row.line);
        if (stored_.contains(*key)) {
            if (updateExisting_)
                c.update = true;
            else
                problem(row.line,
                        QStringLiteral("%1 %2 exists already; give --update-existing to update it").arg(keyField).arg(*key));
        }
        if (problems_.size() == before)
            rows_ << c;
    }

    void write()
    {
        store::Transaction tx;
        for (const Checked& c : rows_) {
            if (jobs_) {
                const app::Job& j = c.job;
                if (c.update)
                    store::exec(kUpdateJob, {c.dateUpdate, j.name, j.client, j.allotted, j.balance, j.status, j.lead, j.jobNo});
                else
                    store::exec(kInsertJob, {c.dateUpdate, j.jobNo, j.name, j.client, j.allotted, j.balance, j.status, j.lead});
            } else if (c.update) {
                admin::updateEmployee(c.key, c.employee);
            } else {
                admin::addEmployee(c.employee);
            }
        }
        tx.commit();
    }

    void summary(QTextStream& out, const QString& file, bool dryRun) const
    {
        QStringList updated;
        QSet<QString> departments;
        for (const Checked& c : rows_) {
            if (c.update)
                updated << QString::number(c.key);
            departments.insert(jobs_ ? c.job.lead : c.employee.department);
        }
        const qint64 added = rows_.size() - updated.size();
        const QString things = jobs_ ? QStringLiteral("jobs") : QStringLiteral("employees");
        if (dryRun)
            out << "Dry run: every line of " << file << " is good; nothing was written. It would add " << added << " "
                << things << " and update " << updated.size() << ".\n";
        else
            out << "Imported " << file << ": added " << added << " " << things << ", updated " << updated.size()
                << ".\n";
        if (!updated.isEmpty()) {
            out << (dryRun ? "To be updated" : "Updated") << " (" << (jobs_ ? "JobNo" : "Emp_ID") << "): "
                << updated.join(QStringLiteral(", ")) << "\n";
            if (!jobs_)
                out << "An update changes department, designation, grade and address; names and dates of birth are "
                       "kept as stored.\n";
        }
        QStringList fresh;
        for (const QString& d : departments)
            if (!known_.contains(d))
                fresh << d;
        fresh.sort();
        if (fresh.isEmpty())
            return;
        out << (jobs_ ? "New lead departments: " : "New departments: ") << fresh.join(QStringLiteral(", ")) << ".\n";
        if (!jobs_)
            out << "Warning: the department list gains " << (fresh.size() == 1 ? "this department" : "these departments")
                << ", and every desktop keeps its default department as a position in that list: check the "
                   "default department in the administrator window of each desktop.\n";
    }

    const QList<Problem>& problems() const { return problems_; }
    void problem(int line, const QString& reason) { problems_ << Problem{line, reason}; }

private:
    QString table() const { return jobs_ ? QStringLiteral("jobs") : QStringLiteral("employees"); }

    void blank(const Fields& f, int line, const QString& field)
    {
        if (f[field].isEmpty())
            problem(line, QStringLiteral("%1 is blank").arg(field));
    }

    // The checks of the administrator window's employee panel, in adding
    // mode, and the fields a new employee cannot do without.
    std::optional<qint64> checkEmployee(const Fields& f, Checked& c, const QDate& today)
    {
        admin::EmployeeForm& e = c.employee;
        e.employeeId = f["Emp_ID"];
        e.name = f["EmpName"];
        e.designation = f["Designation"];
        e.department = f["Deptt"];
        e.address = f["Emp_Addr"];
        e.grade = f["Grade"];
        blank(f, c.line, QStringLiteral("EmpName"));
        blank(f, c.line, QStringLiteral("Designation"));
        blank(f, c.line, QStringLiteral("Deptt"));
        const std::optional<QDate> dob = isoDate(f["DoB"]);
        if (!dob) {
            problem(c.line, QStringLiteral("DoB %1 is not a date YYYY-MM-DD").arg(quoted(f["DoB"])));
        } else {
            e.birthDate = dob->toString(QStringLiteral("dd/MM/yyyy"));
            if (admin::checkForm(e, true, today) == admin::FormCheck::BadBirthDate)
                problem(c.line, QStringLiteral("DoB %1 lies after today").arg(f["DoB"]));
        }
        const std::optional<qint64> id = admin::employeeIdOf(e.employeeId);
        if (!id)
            problem(c.line, QStringLiteral("Emp_ID %1 is not an eight-digit employee ID (%2 to %3)")
                                .arg(quoted(e.employeeId))
                                .arg(admin::kLowestEmployeeId)
                                .arg(admin::kHighestEmployeeId));
        return id;
    }

    // The checks of the job master, with the balance as given.
    std::optional<qint64> checkJob(const Fields& f, Checked& c)
    {
        app::Job& j = c.job;
        const std::optional<qint64> no = entry::jobNumberOf(f["JobNo"]);
        if (!no)
            problem(c.line, QStringLiteral("JobNo %1 is not a whole job number").arg(quoted(f["JobNo"])));
        j.jobNo = no.value_or(0);
        j.name = f["JobName"];
        j.client = f["ClientCo"];
        j.lead = f["LeadDeptt"];
        blank(f, c.line, QStringLiteral("LeadDeptt"));
        if (const auto allotted = entry::allottedDaysOf(f["Limit_ED"]))
            j.allotted = *allotted;
        else
            problem(c.line, QStringLiteral("Limit_ED %1 is not a number of days, 0 or more").arg(quoted(f["Limit_ED"])));
        if (entry::isNumericText(f["Bal_ED"]))
            j.balance = f["Bal_ED"].toDouble();
        else
            problem(c.line, QStringLiteral("Bal_ED %1 is not a number of days").arg(quoted(f["Bal_ED"])));
        j.status = f["Job_Status"].toDouble();
        if (!entry::isNumericText(f["Job_Status"]) || j.status < 0 || j.status > 100)
            problem(c.line, QStringLiteral("Job_Status %1 is not a percentage from 0 to 100").arg(quoted(f["Job_Status"])));
        c.dateUpdate = QVariant(QMetaType::fromType<QString>());
        if (!f["DateUpdate"].isEmpty()) {
            if (const auto d = isoDate(f["DateUpdate"]))
                c.dateUpdate = app::calendar::dateUpdateText(*d);
            else
                problem(c.line, QStringLiteral("DateUpdate %1 is not a date YYYY-MM-DD").arg(quoted(f["DateUpdate"])));
        }
        return no;
    }

    bool jobs_;
    bool updateExisting_;
    QHash<QString, int> positions_;
    int width_ = 0;
    QSet<qint64> stored_;
    QStringList known_; // departments (and lead departments) before the import
    QHash<qint64, int> lineOfKey_;
    QList<Checked> rows_;
    QList<Problem> problems_;
};

int refuse(QTextStream& err, const QString& problem)
{
    err << "karvela import: " << problem << "\n" << kUsage;
    return 2;
}

} // namespace

QList<CsvRow> parseCsv(const QString& text, QString* problem)
{
    QList<CsvRow> rows;
    CsvRow row;
    QString field;
    bool quoted = false;
    bool wasQuoted = false;
    int line = 1;
    row.line = 1;
    int quoteLine = 0;
    const auto endField = [&] {
        row.fields << field;
        field.clear();
        wasQuoted = false;
    };
    // A line with nothing on it is no record.
    const auto endRow = [&] {
        const bool any = wasQuoted || !row.fields.isEmpty() || !field.trimmed().isEmpty();
        endField();
        if (any)
            rows << row;
        row = CsvRow{line, {}};
    };
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n')
                    ++line;
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
            wasQuoted = true;
            quoteLine = line;
        } else if (c == u',') {
            endField();
        } else if (c == u'\n') {
            ++line;
            endRow();
        } else if (c != u'\r') {
            field += c;
        }
    }
    if (quoted) {
        *problem = QStringLiteral("line %1: a quoted field is not closed").arg(quoteLine);
        return {};
    }
    endRow();
    return rows;
}

int importCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QString kind;
    QString file;
    bool dryRun = false;
    bool updateExisting = false;
    for (const QString& a : args) {
        if (a == QLatin1String("--dry-run"))
            dryRun = true;
        else if (a == QLatin1String("--update-existing"))
            updateExisting = true;
        else if (a.startsWith(QLatin1String("--")))
            return refuse(err, QStringLiteral("unknown option ") + a);
        else if (kind.isEmpty())
            kind = a;
        else if (file.isEmpty())
            file = a;
        else
            return refuse(err, QStringLiteral("unexpected argument ") + a);
    }
    if (kind != QLatin1String("employees") && kind != QLatin1String("jobs"))
        return refuse(err, QStringLiteral("say what to import: employees or jobs"));
    if (file.isEmpty())
        return refuse(err, QStringLiteral("name the CSV file"));

    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        err << "karvela import: cannot read " << file << ": " << f.errorString() << "\n";
        return 1;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(f.readAll());
    if (utf8.hasError()) {
        err << "karvela import: " << file << " is not UTF-8 text; nothing was written.\n";
        return 1;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QString problem;
    const QList<CsvRow> rows = parseCsv(text, &problem);
    if (!problem.isEmpty()) {
        err << problem << "\nkarvela import: " << file << " cannot be read as CSV; nothing was written.\n";
        return 1;
    }
    if (rows.isEmpty()) {
        err << "karvela import: " << file << " has no header row; nothing was written.\n";
        return 1;
    }

    try {
        store::connectDatabase();
    } catch (const store::DbError&) {
        err << app::consoleText(app::kNoDataSource);
        return 3;
    }
    Import import(kind == QLatin1String("jobs"), updateExisting);
    try {
        if (import.readHeader(rows.first())) {
            import.readKeys();
            const QDate today = app::today();
            for (int i = 1; i < rows.size(); ++i)
                import.check(rows[i], today);
        }
        if (!import.problems().isEmpty()) {
            for (const Problem& p : import.problems())
                err << "line " << p.line << ": " << p.reason << "\n";
            err << "karvela import: " << file << " has " << import.problems().size()
                << (import.problems().size() == 1 ? " problem" : " problems") << "; nothing was written.\n";
            return 1;
        }
        if (!dryRun)
            import.write();
        import.summary(out, file, dryRun);
    } catch (const store::DbError& e) {
        if (e.kind() == store::ErrorKind::MissingObject) {
            err << app::consoleText(app::kBadTables);
            return 3;
        }
        if (e.kind() == store::ErrorKind::DuplicateKey)
            err << "karvela import: another desktop added one of the keys meanwhile (" << e.description()
                << "); nothing was written.\n";
        else
            err << "karvela import: " << e.description() << "\nNothing was written.\n";
        return 1;
    }
    return 0;
}

} // namespace cli
