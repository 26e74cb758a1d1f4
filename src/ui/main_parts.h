#pragma once
// What the parts of the data-entry window share.

#include "app/dialogs.h"

#include <QListWidget>
#include <QString>

namespace ui::mainparts {

// The text of entry `i`; empty when there is none.
QString textOf(QListWidget* l, int i);

inline void showInfo(const QString& text, int style)
{
    app::dialogs().message(text, style);
}

inline constexpr int kInfo = app::style::OkOnly + app::style::Information;
inline constexpr int kExclaim = app::style::OkOnly + app::style::Exclamation;
inline constexpr int kCritical = app::style::OkOnly + app::style::Critical;

} // namespace ui::mainparts
