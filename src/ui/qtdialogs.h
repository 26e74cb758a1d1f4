#pragma once
// The program's message and input boxes on screen.

#include "app/dialogs.h"

namespace ui {

class QtDialogs : public app::Dialogs {
public:
    int message(const QString& text, int style, const QString& title) override;
    int messageWithReason(const QString& text, int style, const QString& reason) override;
    std::optional<QString> input(const QString& prompt, const QString& title, const QString& defaultText) override;

private:
    int show(const QString& text, int style, const QString& title, const QString& reason);
};

} // namespace ui
