#include "ui/qtdialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMainWindow>
#include <QMessageBox>

namespace ui {

namespace {

// The window a box belongs to: the active one, else the one holding the
// focus, else the program's visible main window. A box is centred on it.
QWidget* ownerWindow()
{
    if (QWidget* w = QApplication::activeWindow())
        return w;
    if (QWidget* f = QApplication::focusWidget())
        return f->window();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && qobject_cast<QMainWindow*>(w))
            return w;
    return nullptr;
}

} // namespace

int QtDialogs::message(const QString& text, int style, const QString& title)
{
    return show(text, style, title, QString());
}

int QtDialogs::messageWithReason(const QString& text, int style, const QString& reason)
{
    return show(text, style, QString(), reason);
}

int QtDialogs::show(const QString& text, int style, const QString& title, const QString& reason)
{
    QMessageBox box(ownerWindow());
    if (!reason.isEmpty())
        box.setInformativeText(reason);
    box.setWindowTitle(title.isEmpty() ? QString::fromLatin1(app::kProgramTitle) : title);
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    box.setText(shown);
    switch (style & 0x70) {
    case app::style::Critical: box.setIcon(QMessageBox::Critical); break;
    case app::style::Question: box.setIcon(QMessageBox::Question); break;
    case app::style::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case app::style::Information: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    switch (style & 7) {
    case app::style::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case app::style::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case app::style::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    switch (box.exec()) {
    case QMessageBox::Cancel: return app::button::Cancel;
    case QMessageBox::Yes: return app::button::Yes;
    case QMessageBox::No: return app::button::No;
    default: return (style & 7) == app::style::YesNoCancel ? app::button::Cancel : app::button::Ok;
    }
}

std::optional<QString> QtDialogs::input(const QString& prompt, const QString& title, const QString& defaultText)
{
    bool ok = false;
    const QString t = QInputDialog::getText(ownerWindow(),
                                            title.isEmpty() ? QString::fromLatin1(app::kProgramTitle) : title, prompt,
                                            QLineEdit::Normal, defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return t;
}

} // namespace ui
