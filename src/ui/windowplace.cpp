#include "ui/windowplace.h"

#include "app/settings.h"

#include <QEvent>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>

#include <algorithm>

namespace ui {

namespace {

// The user's own settings file, where the program keeps its other settings.

class PlaceKeeper : public QObject {
public:
    PlaceKeeper(QWidget* w, QString key, bool withSize)
        : QObject(w), w_(w), key_(QStringLiteral("Windows/") + key), withSize_(withSize)
    {
        restore();
        w->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::Show:
            shown_ = true;
            fitToScreen(w_);
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Hide:
            if (shown_ && !(w_->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)))
                save();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void restore()
    {
        if (withSize_) {
            const QSize size = app::readSettingValue(key_, QStringLiteral("size")).toSize();
            if (size.isValid())
                w_->resize(size);
        }
        const QVariant pos = app::readSettingValue(key_, QStringLiteral("pos"));
        if (pos.isValid())
            w_->move(pos.toPoint());
    }
    void save()
    {
        app::writeSettingValue(key_, QStringLiteral("pos"), w_->pos());
        if (withSize_)
            app::writeSettingValue(key_, QStringLiteral("size"), w_->size());
    }

    QWidget* w_;
    QString key_;
    bool withSize_;
    bool shown_ = false; // nothing is remembered before the first showing
};

} // namespace

void scrollContent(QMainWindow* window)
{
    QWidget* content = window->takeCentralWidget();
    auto* area = new QScrollArea(window);
    area->setObjectName(QStringLiteral("ContentScroll"));
    area->setFrameShape(QFrame::NoFrame);
    // Tab goes from control to control, not to the area around them.
    area->setFocusPolicy(Qt::NoFocus);
    area->setWidgetResizable(true);
    area->setWidget(content);
    window->setCentralWidget(area);
}

void fitToScreen(QWidget* window)
{
    const QScreen* sc = window->screen();
    if (!sc)
        return;
    const QRect avail = sc->availableGeometry();
    // The frame around the window, as far as it is known yet.
    const QRect frame = window->frameGeometry();
    const int dw = std::max(0, frame.width() - window->width());
    const int dh = std::max(0, frame.height() - window->height());
    const QSize most(avail.width() - dw, avail.height() - dh);
    if (window->width() > most.width() || window->height() > most.height())
        window->resize(std::min(window->width(), most.width()), std::min(window->height(), most.height()));
    QPoint p = window->pos();
    const QSize outer(window->width() + dw, window->height() + dh);
    p.setX(std::clamp(p.x(), avail.left(), std::max(avail.left(), avail.right() + 1 - outer.width())));
    p.setY(std::clamp(p.y(), avail.top(), std::max(avail.top(), avail.bottom() + 1 - outer.height())));
    if (p != window->pos())
        window->move(p);
}

void rememberPlace(QWidget* window, const QString& key, bool withSize)
{
    new PlaceKeeper(window, key, withSize);
}

} // namespace ui
