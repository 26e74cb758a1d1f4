#include "cli/cards.h"
#include "cli/usage.h"

#include "app/messages.h"
#include "entry/cardsheets.h"
#include "output/cards.h"
#include "store/database.h"

#include <QDate>
#include <QHash>

#include <optional>

namespace cli {

namespace {

const char* kUsage = usage::kCards;

int refuse(QTextStream& err, const QString& problem)
{
    err << "karvela cards: " << problem << "\n" << kUsage;
    return 2;
}

} // namespace

int runCardsCommand(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QStringList valued = {QStringLiteral("--department"), QStringLiteral("--to"), QStringLiteral("--employee"),
                                QStringLiteral("--output")};
    QHash<QString, QString> opt;
    for (int i = 0; i < args.size(); ++i) {
        if (!valued.contains(args[i]))
            return refuse(err, QStringLiteral("unknown option ") + args[i]);
        if (i + 1 >= args.size())
            return refuse(err, QStringLiteral("option ") + args[i] + QStringLiteral(" needs a value"));
        opt.insert(args[i], args[i + 1]);
        ++i;
    }
    if (!opt.contains(QStringLiteral("--department")))
        return refuse(err, QStringLiteral("--department is required"));
    const QDate to = commandDate(opt.value(QStringLiteral("--to"))).value_or(QDate());
    if (!to.isValid())
        return refuse(err, QStringLiteral("--to must be a date YYYY-MM-DD"));
    if (opt.value(QStringLiteral("--output")).isEmpty())
        return refuse(err, QStringLiteral("--output FILE.pdf is required"));
    std::optional<qint64> employee;
    if (opt.contains(QStringLiteral("--employee"))) {
        bool ok = false;
        employee = opt.value(QStringLiteral("--employee")).toLongLong(&ok);
        if (!ok)
            return refuse(err, QStringLiteral("--employee must be an employee number"));
    }
    const QString department = opt.value(QStringLiteral("--department"));

    try {
        store::connectDatabase();
    } catch (const store::DbError&) {
        err << app::consoleText(app::kNoDataSource);
        return 3;
    }
    QList<entry::PrintedCard> cards;
    try {
        cards = entry::cardsOf(department, to, employee);
    } catch (const store::DbError& e) {
        if (e.kind() == store::ErrorKind::MissingObject || e.kind() == store::ErrorKind::Unavailable) {
            err << app::consoleText(app::kBadTables);
            return 3;
        }
        err << "karvela cards: " << e.description() << "\n";
        return 1;
    }
    if (cards.isEmpty()) {
        err << entry::noCardsMessage(department, to) << "\n";
        return 1;
    }
    const QString problem = output::writeCardsPdf(cards, opt.value(QStringLiteral("--output")));
    if (!problem.isEmpty()) {
        err << "karvela cards: " << problem << "\n";
        return 2;
    }
    out << cards.size() << (cards.size() == 1 ? " card" : " cards") << " written to "
        << opt.value(QStringLiteral("--output")) << "\n";
    return 0;
}

} // namespace cli
