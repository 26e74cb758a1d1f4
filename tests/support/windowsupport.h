#pragma once
// Driving a window's controls by their object names, for the window tests.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace testsupport {

// The control of that name inside `window`; ends the test run when missing.
template <typename W = QWidget>
W* control(QObject* window, const QString& name)
{
    W* found = window->findChild<W*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// The text a label, box or button shows.
inline QString controlText(QObject* window, const QString& name)
{
    if (auto* l = window->findChild<QLabel*>(name))
        return l->text();
    if (auto* e = window->findChild<QLineEdit*>(name))
        return e->text();
    return control<QPushButton>(window, name)->text();
}

// Types into a box as the user would, after emptying it.
inline void typeInto(QObject* window, const QString& name, const QString& value)
{
    auto* e = control<QLineEdit>(window, name);
    e->clear();
    QTest::keyClicks(e, value);
}

// Double-clicks an entry of a list, as the user would.
inline void doubleClickEntry(QObject* window, const QString& listName, int row)
{
    auto* l = control<QListWidget>(window, listName);
    QListWidgetItem* it = l->item(row);
    QVERIFY(it);
    l->scrollToItem(it);
    const QPoint p = l->visualItemRect(it).center();
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, p);
}

// Drives the window `m` by its controls' names; a window test derives from it.
template <typename Window>
struct WindowDriver {
    Window* m = nullptr;
    template <typename W = QWidget>
    W* w(const QString& name)
    {
        return control<W>(m, name);
    }
    QString text(const QString& name) { return controlText(m, name); }
    void type(const QString& name, const QString& value) { typeInto(m, name, value); }
    void dblClick(const QString& listName, int row) { doubleClickEntry(m, listName, row); }
    void click(const QString& name) { QTest::mouseClick(w<QPushButton>(name), Qt::LeftButton); }
    void trigger(const QString& action) { control<QAction>(m, action)->trigger(); }
};

} // namespace testsupport
