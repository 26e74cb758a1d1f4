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

// Drives the window `m` by its controls' names; a window test derives from it.
template <typename Window>
struct WindowDriver {
    Window* m = nullptr;
    template <typename W = QWidget>
    W* w(const QString& name)
    {
        return control<W>(m, name);
    }
    // The text a label, box or button shows.
    QString text(const QString& name)
    {
        if (auto* l = m->template findChild<QLabel*>(name))
            return l->text();
        if (auto* e = m->template findChild<QLineEdit*>(name))
            return e->text();
        return w<QPushButton>(name)->text();
    }
    // Types into a box as the user would, after emptying it.
    void type(const QString& name, const QString& value)
    {
        w<QLineEdit>(name)->clear();
        QTest::keyClicks(w<QLineEdit>(name), value);
    }
    // Double-clicks an entry of a list, as the user would.
    void dblClick(const QString& listName, int row)
    {
        auto* l = w<QListWidget>(listName);
        QListWidgetItem* it = l->item(row);
        QVERIFY(it);
        l->scrollToItem(it);
        const QPoint p = l->visualItemRect(it).center();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, p);
    }
    void click(const QString& name) { QTest::mouseClick(w<QPushButton>(name), Qt::LeftButton); }
    void trigger(const QString& action) { control<QAction>(m, action)->trigger(); }
};

} // namespace testsupport
