#include "app/dialogs.h"

#include <cstdio>
#include <cstdlib>

namespace app {

namespace {

// Used when no window system is present: boxes go to standard error.
class ConsoleDialogs : public Dialogs {
public:
    int message(const QString& text, int style, const QString&) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        const int buttons = style & 7;
        return buttons == style::YesNo || buttons == style::YesNoCancel ? button::Yes : button::Ok;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
};

Dialogs* g_dialogs = nullptr;
void (*g_end)(int) = nullptr;

} // namespace

Dialogs& dialogs()
{
    static ConsoleDialogs console;
    return g_dialogs ? *g_dialogs : console;
}

void setDialogs(Dialogs* d)
{
    g_dialogs = d;
}

void endProgram(int code)
{
    if (g_end) {
        g_end(code);
        return;
    }
    std::fflush(nullptr);
    std::_Exit(code);
}

void setEndProgramAction(void (*action)(int))
{
    g_end = action;
}

} // namespace app
