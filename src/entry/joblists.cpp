#include "entry/joblists.h"

#include "app/numtext.h"
#include "store/database.h"

namespace entry {

namespace {
// What the lists show, in record-key order.
const QString kJobLists =
    QStringLiteral("SELECT JobNo, JobName, Bal_ED, Limit_ED, Job_Status, LeadDeptt FROM jobs ORDER BY ID");
const QString kBalances = QStringLiteral("SELECT JobNo, Bal_ED FROM jobs");
} // namespace

JobListTexts jobListTexts()
{
    JobListTexts t;
    auto q = store::exec(kJobLists);
    while (q.next()) {
        t.jobNo << QString::number(store::whole(q.value(0)));
        t.name << store::textOf(q.value(1));
        t.balance << app::generalNumber(store::num(q.value(2)));
        t.allotted << app::generalNumber(store::num(q.value(3)));
        t.status << app::generalNumber(store::num(q.value(4)));
        t.lead << store::textOf(q.value(5));
    }
    // The job-status list repeats the numbers (shared, not copied).
    t.statusJobNo = t.jobNo;
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
