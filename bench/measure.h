#pragma once
// Timing of one operation: the median of repeated runs after a warm-up, with
// the statements it ran and the rows it read (store's counters).

#include "store/database.h"

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QVariant>

#include <algorithm>

namespace bench {

struct Sample {
    double ms = -1;         // median time
    qint64 statements = 0;  // of one run
    qint64 rows = 0;
    bool valid() const { return ms >= 0; }
};

inline double median(QList<double> v)
{
    if (v.isEmpty())
        return -1;
    std::sort(v.begin(), v.end());
    const qsizetype n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Runs `f` once to warm caches, then `runs` times; `before` runs ahead of
// each timed run, outside the time and the counts.
template <typename F, typename B>
Sample measure(int runs, F&& f, B&& before)
{
    before();
    f();
    QList<double> t;
    Sample s;
    for (int i = 0; i < runs; ++i) {
        before();
        store::resetCounts();
        QElapsedTimer e;
        e.start();
        f();
        t << e.nsecsElapsed() / 1e6;
        s.statements = store::counts().statements;
        s.rows = store::counts().rows;
    }
    s.ms = median(t);
    return s;
}

template <typename F>
Sample measure(int runs, F&& f)
{
    return measure(runs, std::forward<F>(f), [] {});
}

// One statement of a floor: fetch its rows and read every value.
struct Plain {
    QString sql;
    QList<QVariant> values;
};

// Reads every row and value of each statement; returns a checksum of the
// values so that the reads are not optimised away.
inline qint64 fetchAll(const QList<Plain>& statements)
{
    qint64 sum = 0;
    for (const Plain& p : statements) {
        store::Query q = store::exec(p.sql, p.values);
        const int columns = q.columns();
        while (q.next())
            for (int c = 0; c < columns; ++c)
                sum += q.value(c).isNull() ? 0 : 1;
    }
    return sum;
}

} // namespace bench
