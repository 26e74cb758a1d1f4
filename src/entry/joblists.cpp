#include "entry/joblists.h"

#include "app/numtext.h"
#include "store/database.h"

namespace entry {

namespace {
const QString kJobLists = QStringLiteral("SELECT ") + app::kJobColumns + QStringLiteral(" FROM jobs ORDER BY ID");
const QString kBalances = QStringLiteral("SELECT JobNo, Bal_ED FROM jobs");
} // namespace

QList<app::Job> loadJobLists()
{
    QList<app::Job> jobs;
    auto q = store::exec(kJobLists);
    while (q.next())
        jobs << app::jobFrom(q);
    return jobs;
}

JobListTexts jobListTexts(const QList<app::Job>& jobs)
{
    JobListTexts t;
    for (const app::Job& j : jobs) {
        t.jobNo << QString::number(j.jobNo);
        t.name << j.name;
        t.balance << app::generalNumber(j.balance);
        t.allotted << app::generalNumber(j.allotted);
        t.status << app::generalNumber(j.status);
        t.statusJobNo << QString::number(j.jobNo);
        t.lead << j.lead;
    }
    return t;
}

QHash<qint64, double> balancesByJob()
{
    QHash<qint64, double> b;
    auto q = store::exec(kBalances);
    while (q.next())
        b.insert(store::whole(q.value(0)), store::num(q.value(1)));
    return b;
}

CardJobs::Placed CardJobs::place(qint64 jobNo, int* row)
{
    if (resetPending) {
        count = 0;
        resetPending = false;
    }
    if (count > kCardRows - 1)
        return Placed::TooMany;
    for (int i = 0; i < count; ++i)
        if (jobs[i] == jobNo)
            return Placed::AlreadySelected;
    const int r = count;
    jobs[r] = jobNo;
    ++count;
    lastJobRow = count - 1;
    if (row)
        *row = r;
    return Placed::Ok;
}

void CardJobs::reset()
{
    resetPending = true;
    for (int i = 0; i < kCardRows; ++i)
        jobs[i] = 0;
}

QString listsCaption(int jobCount)
{
    return QStringLiteral("Select jobs out of given ") + QString::number(jobCount) + QLatin1Char('.');
}

QString jobNameHint(const QString& jobNo)
{
    return QStringLiteral("Double Click the job number list for Selection\r\nJob no. is : ") + jobNo;
}

QString jobNoTip(const QString& jobNo)
{
    return QStringLiteral("Job no. is : ") + jobNo;
}

} // namespace entry
