#pragma once
// Every message and input box of the program goes through this interface, so
// that tests can answer the boxes from a script.

#include <QString>

#include <optional>

namespace app {

// Style numbers: buttons 0 OK, 1 OK and Cancel, 3 Yes/No/Cancel, 4 Yes/No;
// icons 16 critical, 32 question, 48 exclamation, 64 information.
namespace style {
inline constexpr int OkOnly = 0, OkCancel = 1, YesNoCancel = 3, YesNo = 4;
inline constexpr int Critical = 16, Question = 32, Exclamation = 48, Information = 64;
} // namespace style

// Buttons a box returns.
namespace button {
inline constexpr int Ok = 1, Cancel = 2, Yes = 6, No = 7;
} // namespace button

// The program's title, shown on boxes that have none of their own.
inline constexpr const char* kProgramTitle = "Karvela";

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Shows a message box; returns the button pressed.
    virtual int message(const QString& text, int style = 0, const QString& title = QString()) = 0;
    // A message box with a reason under its text (the box's informative
    // text); the text, style and buttons are the plain box's.
    virtual int messageWithReason(const QString& text, int style, const QString& reason)
    {
        (void)reason;
        return message(text, style);
    }
    // Shows an input box; no value when cancelled.
    virtual std::optional<QString> input(const QString& prompt, const QString& title = QString(),
                                         const QString& defaultText = QString()) = 0;
};

// The dialogs in use (the windows' boxes, or a test's script).
Dialogs& dialogs();
void setDialogs(Dialogs* d);

// Ends the program at once. Tests replace the action to record the call.
void endProgram(int code = 0);
void setEndProgramAction(void (*action)(int));

} // namespace app
