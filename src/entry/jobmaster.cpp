#include "entry/jobmaster.h"

#include "app/calendar.h"
#include "app/numtext.h"
#include "app/textcheck.h"
#include "store/audit.h"
#include "store/database.h"

#include <cmath>
#include <limits>

namespace entry {

namespace {
const QString kJobNoOf = QStringLiteral("SELECT JobNo FROM jobs WHERE JobNo = ?");
const QString kJobOf = QStringLiteral("SELECT ") + app::kJobColumns + QStringLiteral(" FROM jobs WHERE JobNo = ?");
const QString kInsertJob = QStringLiteral(
    "INSERT INTO jobs (JobNo, JobName, ClientCo, Limit_ED, Bal_ED, Job_Status, LeadDeptt) VALUES (?, ?, ?, ?, ?, ?, ?)");
// The balance moves by what the user changed in the panel, so the bookings
// other desktops stored while the panel was open stay counted.
const QString kUpdateJob = QStringLiteral(
    "UPDATE jobs SET JobName = ?, ClientCo = ?, Limit_ED = ?, Bal_ED = Bal_ED + ?, Job_Status = ? WHERE JobNo = ?");
const QString kAllottedOf = QStringLiteral("SELECT Limit_ED FROM jobs WHERE JobNo = ?");
const QString kStoreStatus = QStringLiteral("UPDATE jobs SET Job_Status = ?, DateUpdate = ? WHERE JobNo = ?");
} // namespace

bool isNumericText(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok && std::isfinite(v);
}

std::optional<qint64> jobNumberOf(const QString& text)
{
    if (!isNumericText(text))
        return std::nullopt;
    const double v = text.trimmed().toDouble();
    if (v != std::floor(v) || v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint64(v);
}

std::optional<QString> jobPanelProblem(const QString& name, const QString& client, const QString& balance,
                                       const QString& status)
{
    if (auto bad = app::columnTextProblem(QStringLiteral("Job Name"), name, "jobs", "JobName"))
        return bad;
    if (auto bad = app::columnTextProblem(QStringLiteral("ClientCo."), client, "jobs", "ClientCo"))
        return bad;
    if (!app::leadingNumberIsFinite(balance))
        return QStringLiteral("Check Balance ED, it must be a finite number.");
    if (!app::leadingNumberIsFinite(status) || !app::isInRange(app::leadingNumber(status), app::kStatusMin, app::kStatusMax))
        return app::rangeMessage(QStringLiteral("Status %"), app::kStatusMin, app::kStatusMax);
    return std::nullopt;
}

std::optional<QString> statusUpdateProblem(const QString& text)
{
    const double p = roundHalfEven(app::leadingNumber(text));
    if (p > 100)
        return QString::fromLatin1(kStatusTooHigh);
    if (!app::leadingNumberIsFinite(text) || p < app::kStatusMin)
        return app::rangeMessage(QStringLiteral("Status %"), app::kStatusMin, 100);
    return std::nullopt;
}

std::optional<double> allottedDaysOf(const QString& text)
{
    if (!isNumericText(text) || text.trimmed().toDouble() < 0)
        return std::nullopt;
    return text.trimmed().toDouble();
}

bool jobExists(qint64 jobNo)
{
    return store::exec(kJobNoOf, {jobNo}).next();
}

std::optional<app::Job> readJob(qint64 jobNo)
{
    auto q = store::exec(kJobOf, {jobNo});
    if (!q.next())
        return std::nullopt;
    return app::jobFrom(q);
}

namespace {
store::audit::Write auditedJob(store::audit::Command c, qint64 jobNo)
{
    return store::audit::Write(c, QStringLiteral("jobs"), QString::number(jobNo),
                               [jobNo] { return store::audit::jobValues(jobNo); });
}
} // namespace

bool addJob(const app::Job& job)
{
    auto audit = auditedJob(store::audit::Command::JobAdd, job.jobNo);
    try {
        store::exec(kInsertJob, {job.jobNo, job.name, job.client, job.allotted, 0.0, job.status, job.lead});
    } catch (const store::DbError& e) {
        if (e.kind() == store::ErrorKind::DuplicateKey)
            return false;
        throw;
    }
    audit.commit();
    return true;
}

bool updateJob(const app::Job& job, double openedBalance)
{
    auto audit = auditedJob(store::audit::Command::JobEdit, job.jobNo);
    auto q = store::exec(kUpdateJob, {job.name, job.client, job.allotted, job.balance - openedBalance, job.status,
                                           job.jobNo});
    if (q.numRowsAffected() <= 0)
        return false;
    q.finish();
    audit.commit();
    return true;
}

std::optional<double> allottedOf(qint64 jobNo)
{
    auto q = store::exec(kAllottedOf, {jobNo});
    if (!q.next())
        return std::nullopt;
    return store::num(q.value(0));
}

QString editJobQuestion(const QString& jobNo)
{
    return QStringLiteral("You Have Selected Job Number ") + jobNo
        + QStringLiteral(" for Editing. To Select\r\nOther Job Number, Double Click Job No. in the List Shown.\r\n\r\n"
                         "Want to Edit this Job?");
}

QString creditQuestion(const QString& jobNo, double allotted)
{
    return QStringLiteral("Allotted ED for Job Number ") + jobNo + QStringLiteral(" is = ") + app::generalNumber(allotted)
        + QStringLiteral("\r\nWant to take effect of this on Balance ED?");
}

double roundHalfEven(double value)
{
    const double f = std::floor(value);
    const double diff = value - f;
    if (diff < 0.5)
        return f;
    if (diff > 0.5)
        return f + 1;
    return std::fmod(f, 2.0) == 0 ? f : f + 1;
}

QString currentDepartment(const QString& pickerText)
{
    const int blank = pickerText.indexOf(QLatin1Char(' '));
    return blank < 0 ? pickerText : pickerText.left(blank);
}

QString notAuthorizedMessage(const QString& lead, const QString& department)
{
    return QStringLiteral("This is a job of ") + lead + QStringLiteral(" Department. ") + department
        + QStringLiteral(" Department\r\nis not authorized to edit its status.");
}

bool storeJobStatus(qint64 jobNo, int percent, const QDate& toDate)
{
    if (!jobExists(jobNo))
        return false;
    auto audit = auditedJob(store::audit::Command::JobStatus, jobNo);
    store::exec(kStoreStatus, {percent, app::calendar::dateUpdateText(toDate), jobNo});
    audit.commit();
    return true;
}

namespace {

// Matches text[ti..] against pattern[pi..].
bool matchFrom(const QString& t, int ti, const QString& p, int pi)
{
    while (pi < p.size()) {
        const QChar c = p[pi];
        if (c == u'*') {
            while (pi < p.size() && p[pi] == u'*')
                ++pi;
            if (pi == p.size())
                return true;
            for (int k = ti; k <= t.size(); ++k)
                if (matchFrom(t, k, p, pi))
                    return true;
            return false;
        }
        if (ti >= t.size())
            return false;
        const QChar x = t[ti];
        if (c == u'?') {
            ++pi;
        } else if (c == u'#') {
            if (!(x >= u'0' && x <= u'9'))
                return false;
            ++pi;
        } else if (c == u'[') {
            const int close = p.indexOf(u']', pi + 1);
            if (close < 0) {
                // An unclosed bracket stands for itself.
                if (x != c)
                    return false;
                ++pi;
            } else {
                int k = pi + 1;
                bool negate = false;
                if (k < close && p[k] == u'!') {
                    negate = true;
                    ++k;
                }
                bool hit = false;
                while (k < close) {
                    if (k + 2 < close && p[k + 1] == u'-') {
                        if (x >= p[k] && x <= p[k + 2])
                            hit = true;
                        k += 3;
                    } else {
                        if (x == p[k])
                            hit = true;
                        ++k;
                    }
                }
                if (hit == negate)
                    return false;
                pi = close + 1;
            }
        } else {
            if (x != c)
                return false;
            ++pi;
        }
        ++ti;
    }
    return ti == t.size();
}

} // namespace

bool likeMatch(const QString& text, const QString& pattern)
{
    return matchFrom(text, 0, pattern, 0);
}

bool jobNameMatches(const QString& name, const QString& searchText)
{
    return likeMatch(name.toUpper(), QLatin1Char('*') + searchText.toUpper() + QLatin1Char('*'));
}

int indexOfExact(const QStringList& entries, const QString& text)
{
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i] == text)
            return i;
    return -1;
}

QString foundQuestion(int count)
{
    return QString::number(count) + QStringLiteral(" found. Want to search further?");
}

} // namespace entry
