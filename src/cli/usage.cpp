#include "cli/usage.h"

#include <QRegularExpression>

namespace cli {

namespace {

struct Command {
    const char* word;
    const char* usage;
};
constexpr Command kCommands[] = {
    {"create-database", usage::kCreateDatabase},
    {"report", usage::kReport},
    {"query", usage::kQuery},
    {"cards", usage::kCards},
    {"copy-database", usage::kCopyDatabase},
    {"backup", usage::kBackup},
    {"restore", usage::kRestore},
    {"import", usage::kImport},
    {"upgrade-database", usage::kUpgradeDatabase},
    {"close-month", usage::kCloseMonth},
    {"reopen-month", usage::kReopenMonth},
    {"audit", usage::kAudit},
};

// Qt's own options: those that take a value, and those that do not.
const QStringList kQtValued = {"platform", "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger",
                               "qwindowgeometry", "geometry", "qwindowicon", "qwindowtitle", "title", "session",
                               "style", "stylesheet", "display", "name", "visual", "ncols", "cmap", "font", "bg",
                               "background", "fg", "foreground", "btn", "button", "inputstyle", "im"};
const QStringList kQtFlags = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};

// The option's name without its dashes and any "=value"; empty when the
// argument is no option.
QString optionName(const QString& arg)
{
    if (!arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-") || arg == QLatin1String("--"))
        return {};
    QString n = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
    return n.left(n.indexOf(QLatin1Char('=')));
}

} // namespace

QString programUsage()
{
    QString t = QStringLiteral("usage: karvela [Qt options such as -platform NAME, -style NAME, -session NAME]\n"
                               "       opens the windows\n");
    for (const Command& c : kCommands)
        t += QString::fromLatin1(c.usage);
    t += QStringLiteral("usage: karvela --help | -h | --version\n"
                        "Each command prints its own usage with --help.\n");
    return t;
}

bool opensWindow(const QStringList& args)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString n = optionName(args[i]);
        if (kQtFlags.contains(n))
            continue;
        if (!kQtValued.contains(n))
            return false;
        if (!args[i].contains(QLatin1Char('=')))
            ++i; // its value
    }
    return true;
}

std::optional<int> answerCommandLine(const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QString first = args.value(0);
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        out << programUsage();
        return 0;
    }
    if (first == QLatin1String("--version")) {
        out << "karvela " << KARVELA_VERSION << "\n";
        return 0;
    }
    for (const Command& c : kCommands) {
        if (first != QLatin1String(c.word))
            continue;
        if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
            out << c.usage;
            return 0;
        }
        return std::nullopt;
    }
    err << "karvela: unknown command " << first << "\n" << programUsage();
    return 2;
}

std::optional<QDate> commandDate(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}$"));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    const QDate d = QDate::fromString(text, Qt::ISODate);
    if (!d.isValid())
        return std::nullopt;
    return d;
}

} // namespace cli
