#include "app/records.h"

namespace app {

Employee employeeFrom(const store::Query& q)
{
    Employee e;
    e.empId = store::whole(q.value(0));
    e.name = store::textOf(q.value(1));
    e.dob = store::dateOf(q.value(2));
    e.designation = store::textOf(q.value(3));
    e.department = store::textOf(q.value(4));
    e.address = store::textOf(q.value(5));
    e.grade = store::textOf(q.value(6));
    return e;
}

Job jobFrom(const store::Query& q)
{
    Job j;
    j.jobNo = store::whole(q.value(0));
    j.name = store::textOf(q.value(1));
    j.client = store::textOf(q.value(2));
    j.allotted = store::num(q.value(3));
    j.balance = store::num(q.value(4));
    j.status = store::num(q.value(5));
    j.lead = store::textOf(q.value(6));
    return j;
}

} // namespace app
