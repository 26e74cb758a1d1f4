#include "cli/monthcommands.h"
#include "cli/usage.h"

#include "admin/monthclose.h"
#include "app/messages.h"
#include "app/pickers.h"
#include "store/database.h"
#include "store/monthclose.h"
#include "store/schema.h"

#include <QDateTime>
#include <QHash>

namespace cli {

namespace {

const QString kUpgrade = QStringLiteral("upgrade-database");
const QString kClose = QStringLiteral("close-month");
const QString kReopen = QStringLiteral("reopen-month");
const QString kAudit = QStringLiteral("audit");

QString usageOf(const QString& cmd)
{
    if (cmd == kUpgrade)
        return QString::fromLatin1(usage::kUpgradeDatabase);
    if (cmd == kClose)
        return QString::fromLatin1(usage::kCloseMonth);
    if (cmd == kReopen)
        return QString::fromLatin1(usage::kReopenMonth);
    return QString::fromLatin1(usage::kAudit);
}

int refuse(const QString& cmd, QTextStream& err, const QString& problem)
{
    err << "karvela " << cmd << ": " << problem << "\n" << usageOf(cmd);
    return 2;
}

// Options "--name value" and flags "--name"; false (and the problem) when
// an option is unknown or misses its value.
bool parse(const QStringList& args, const QStringList& valued, const QStringList& flags, QHash<QString, QString>& opt,
           QString& problem)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (flags.contains(a)) {
            opt.insert(a, QString());
        } else if (!valued.contains(a)) {
            problem = QStringLiteral("unknown option ") + a;
            return false;
        } else if (i + 1 >= args.size()) {
            problem = QStringLiteral("missing value for ") + a;
            return false;
        } else {
            opt.insert(a, args[++i]);
        }
    }
    return true;
}

bool connect(QTextStream& err)
{
    try {
        store::connectDatabase();
        return true;
    } catch (const store::DbError&) {
        err << app::consoleText(app::kNoDataSource);
        return false;
    }
}

int failed(const QString& cmd, const store::DbError& e, QTextStream& err)
{
    if (e.kind() == store::ErrorKind::Unavailable || e.kind() == store::ErrorKind::ConnectionLost) {
        err << app::consoleText(app::kNoDataSource);
        return 3;
    }
    err << "karvela " << cmd << ": " << e.description() << "\n";
    return 1;
}

int upgradeDatabase(const QStringList& args, QTextStream& out, QTextStream& err)
{
    if (!args.isEmpty())
        return refuse(kUpgrade, err, QStringLiteral("unknown option ") + args.first());
    if (!connect(err))
        return 3;
    try {
        if (!store::anyTableExists()) {
            err << "karvela upgrade-database: the data source Tessara holds no Karvela tables; "
                   "run karvela create-database first.\n";
            return 1;
        }
        store::Transaction t;
        const QStringList added = store::upgradeSchema();
        t.commit();
        if (added.isEmpty())
            out << "The database already holds the tables monthcloses and auditlog; nothing was changed.\n";
        else
            out << "Added the tables " << added.join(QStringLiteral(" and ")) << ".\n";
    } catch (const store::DbError& e) {
        return failed(kUpgrade, e, err);
    }
    return 0;
}

int closeOrReopen(const QString& cmd, const QStringList& args, QTextStream& out, QTextStream& err)
{
    const bool closing = cmd == kClose;
    QHash<QString, QString> opt;
    QString problem;
    QStringList valued{QStringLiteral("--department"), QStringLiteral("--to")};
    if (!closing)
        valued << QStringLiteral("--reason");
    if (!parse(args, valued, {QStringLiteral("--all")}, opt, problem))
        return refuse(cmd, err, problem);
    if (opt.contains(QStringLiteral("--all")) == opt.contains(QStringLiteral("--department")))
        return refuse(cmd, err, QStringLiteral("give either --department NAME or --all"));
    const QDate monthEnd = commandDate(opt.value(QStringLiteral("--to"))).value_or(QDate());
    if (!monthEnd.isValid())
        return refuse(cmd, err, QStringLiteral("--to must be the card month-end date YYYY-MM-DD"));
    const QString reason = opt.value(QStringLiteral("--reason")).trimmed();
    if (!closing && reason.isEmpty())
        return refuse(cmd, err, QString::fromLatin1(admin::kReasonRequired));
    if (!connect(err))
        return 3;
    try {
        QStringList departments = app::departments();
        if (opt.contains(QStringLiteral("--department"))) {
            const QString d = opt.value(QStringLiteral("--department"));
            if (!departments.contains(d))
                return refuse(cmd, err, QStringLiteral("no department ") + d);
            departments = QStringList{d};
        }
        const QList<admin::MonthOutcome> done = closing ? admin::closeMonth(departments, monthEnd)
                                                        : admin::reopenMonth(departments, monthEnd, reason);
        for (const admin::MonthOutcome& o : done)
            out << o.text << "\n";
    } catch (const store::DbError& e) {
        return failed(cmd, e, err);
    }
    return 0;
}

QString cellText(const QString& cell, bool csv)
{
    if (!csv) {
        QString t = cell;
        return t.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    if (!cell.contains(QLatin1Char(',')) && !cell.contains(QLatin1Char('"')) && !cell.contains(QLatin1Char('\n'))
        && !cell.contains(QLatin1Char('\r')))
        return cell;
    QString t = cell;
    return QLatin1Char('"') + t.replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
}

QString line(const QStringList& cells, bool csv)
{
    QStringList out;
    for (const QString& c : cells)
        out << cellText(c, csv);
    return out.join(csv ? QLatin1Char(',') : QLatin1Char('\t')) + QLatin1Char('\n');
}

int audit(const QStringList& args, QTextStream& out, QTextStream& err)
{
    QHash<QString, QString> opt;
    QString problem;
    if (!parse(args,
               {QStringLiteral("--table"), QStringLiteral("--key"), QStringLiteral("--from"), QStringLiteral("--to"),
                QStringLiteral("--format")},
               {}, opt, problem))
        return refuse(kAudit, err, problem);
    const QString format = opt.value(QStringLiteral("--format"), QStringLiteral("tsv"));
    if (format != QLatin1String("tsv") && format != QLatin1String("csv"))
        return refuse(kAudit, err, QStringLiteral("--format must be tsv or csv"));
    QStringList where;
    QList<QVariant> values;
    for (const auto& [option, field] : {std::pair{"--table", "TableName = ?"}, std::pair{"--key", "RecordKey = ?"}}) {
        if (opt.contains(QLatin1String(option))) {
            where << QLatin1String(field);
            values << opt.value(QLatin1String(option));
        }
    }
    for (const auto& [option, field] : {std::pair{"--from", "ChangedAt >= ?"}, std::pair{"--to", "ChangedAt < ?"}}) {
        if (!opt.contains(QLatin1String(option)))
            continue;
        const QDate d = commandDate(opt.value(QLatin1String(option))).value_or(QDate());
        if (!d.isValid())
            return refuse(kAudit, err, QStringLiteral("dates are written YYYY-MM-DD"));
        where << QLatin1String(field);
        // Up to the end of the --to day.
        values << QDateTime(QLatin1String(option) == QLatin1String("--to") ? d.addDays(1) : d, QTime(0, 0));
    }
    if (!connect(err))
        return 3;
    try {
        if (!store::closeTablesExist()) {
            err << "karvela audit: " << store::kNeedsUpgrade << "\n";
            return 1;
        }
        QString sql = QStringLiteral("SELECT ID, ChangedAt, ChangedBy, Desktop, Command, TableName, RecordKey, "
                                     "OldValues, NewValues FROM auditlog");
        if (!where.isEmpty())
            sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
        sql += QStringLiteral(" ORDER BY ID");
        const bool csv = format == QLatin1String("csv");
        out << line({QStringLiteral("ID"), QStringLiteral("WHEN"), QStringLiteral("WHO"), QStringLiteral("DESKTOP"),
                     QStringLiteral("COMMAND"), QStringLiteral("TABLE"), QStringLiteral("KEY"),
                     QStringLiteral("BEFORE"), QStringLiteral("AFTER")},
                    csv);
        auto q = store::exec(sql, values);
        while (q.next()) {
            QStringList cells{QString::number(store::whole(q.value(0))), store::timeText(store::timeOf(q.value(1)))};
            for (int i = 2; i <= 8; ++i)
                cells << store::textOf(q.value(i));
            out << line(cells, csv);
        }
    } catch (const store::DbError& e) {
        return failed(kAudit, e, err);
    }
    return 0;
}

} // namespace

bool isMonthCommand(const QStringList& args)
{
    const QString c = args.value(0);
    return c == kUpgrade || c == kClose || c == kReopen || c == kAudit;
}

int runMonthCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QString cmd = args.value(0);
    const QStringList rest = args.mid(1);
    if (cmd == kUpgrade)
        return upgradeDatabase(rest, out, err);
    if (cmd == kAudit)
        return audit(rest, out, err);
    return closeOrReopen(cmd, rest, out, err);
}

} // namespace cli
