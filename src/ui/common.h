#pragma once
// Small helpers shared by the windows.

#include <QComboBox>
#include <QLabel>
#include <QTimer>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace ui {

// Window geometry in the program's own unit (1/1440 inch) to pixels.
constexpr int twips(int t) { return t / 15; }

// Names a control of an indexed array: "Text1" and 3 give "Text1_3".
template <typename W>
W* named(W* w, const QString& name, int index = -1)
{
    w->setObjectName(index < 0 ? name : name + QLatin1Char('_') + QString::number(index));
    return w;
}

// Replaces a picker's entries without running its click handling; nothing
// is selected afterwards.
void fillSilently(QComboBox* box, const QStringList& entries);
// Selects an entry; runs the click handling only when the entry changes.
// Returns false when the position is outside the list.
bool selectEntry(QComboBox* box, int index);

// Calls back on mouse events of any widget (labels and pictures have no
// click signals of their own).
class MouseHooks : public QObject {
    Q_OBJECT
public:
    explicit MouseHooks(QWidget* target);
    std::function<void()> onClick;
    std::function<void()> onDoubleClick;
    std::function<void()> onMove;
    std::function<void()> onPress;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
MouseHooks* hooks(QWidget* target);

// A small drawn picture standing in for the program's still images.
QPixmap drawnLogo(int size, const QColor& colour, const QString& letter);

// The logo animation: hidden until started, then plays by itself.
class LogoPlayer : public QLabel {
    Q_OBJECT
public:
    LogoPlayer(int size, QWidget* parent);
    // Shows the player and (re)starts the animation.
    void play();
    bool playing() const;
    // Plays when the program's logo file is one it accepts; false otherwise.
    bool playLogoFile();

private:
    void nextFrame();
    QTimer* timer_;
    int size_;
    int frame_ = 0;
};

} // namespace ui

class QAbstractButton;
class QAction;
class QKeySequence;
class QShortcut;

namespace ui {

// A command's caption as a tooltip shows it: without its "&" marks.
QString plainCaption(const QString& caption);
// Gives a command its key and a tooltip naming it; the caption stays as it is.
void giveKey(QAction* action, const QKeySequence& key);
// A key in `window` that clicks the button while it is visible and enabled;
// the button's tooltip names the key.
QShortcut* giveKey(QAbstractButton* button, QWidget* window, const QKeySequence& key);
// Tab goes through the widgets in the order given.
void tabInOrder(const QList<QWidget*>& order);

} // namespace ui
