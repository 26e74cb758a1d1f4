#pragma once
// The program's command line: which arguments open the windows, the usage
// texts of the headless commands, the answers to --help and --version, and
// the one form of a date on the command line.

#include <QDate>
#include <QStringList>
#include <QTextStream>

#include <optional>

namespace cli {

namespace usage {
inline constexpr const char* kCreateDatabase = "usage: karvela create-database [--demo]\n";
inline constexpr const char* kReport =
    "usage: karvela report --type N --department NAME --to YYYY-MM-DD [--from YYYY-MM-DD] [--employee EMP_ID] "
    "[--include-superannuated] [--format tsv|csv]\n"
    "       karvela report ... [--format tsv|csv|xlsx|pdf] [--output FILE]\n";
inline constexpr const char* kQuery =
    "usage: karvela query --index N [--lead-department TEXT] [--grade TEXT] [--department TEXT] "
    "[--age LL-UU] [--search TEXT --field POS] [--job TEXT] [--from YYYY-MM-DD --to YYYY-MM-DD] "
    "[--employee EMP_ID] [--format tsv|csv]\n"
    "       karvela query ... [--format tsv|csv|xlsx|pdf] [--output FILE]\n";
inline constexpr const char* kCards =
    "usage: karvela cards --department NAME --to YYYY-MM-DD [--employee EMP_ID] --output FILE.pdf\n";
inline constexpr const char* kCopyDatabase =
    "usage: karvela copy-database (--to-dsn NAME | --from-dsn NAME | --to-connection TEXT | --from-connection TEXT)\n";
inline constexpr const char* kBackup = "usage: karvela backup FILE.db [--overwrite]\n";
inline constexpr const char* kRestore = "usage: karvela restore FILE.db\n";
inline constexpr const char* kImport = "usage: karvela import employees|jobs FILE.csv [--dry-run] [--update-existing]\n";
inline constexpr const char* kUpgradeDatabase = "usage: karvela upgrade-database\n";
inline constexpr const char* kCloseMonth = "usage: karvela close-month --department NAME|--all --to YYYY-MM-DD\n";
inline constexpr const char* kReopenMonth =
    "usage: karvela reopen-month --department NAME|--all --to YYYY-MM-DD --reason TEXT\n";
inline constexpr const char* kAudit =
    "usage: karvela audit [--table T] [--key K] [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--format tsv|csv]\n";
} // namespace usage

// The usage of every command, as --help prints it.
QString programUsage();

// True when the arguments open the windows: none at all, or only Qt's own
// options (-platform NAME, -style NAME, -session NAME, -reverse, ...).
bool opensWindow(const QStringList& args);

// Answers what the command line asks without running a command: --help and
// -h (the usage, 0), --version (0), a command's own --help or -h (its usage,
// 0) and an unknown command word (the usage on `err`, 2). No value when a
// command is to run.
std::optional<int> answerCommandLine(const QStringList& args, QTextStream& out, QTextStream& err);

// A date on the command line: exactly YYYY-MM-DD, no sign; no value for
// anything else.
std::optional<QDate> commandDate(const QString& text);

} // namespace cli
