#include "ui/common.h"

#include "app/logo.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QAbstractButton>
#include <QAction>
#include <QKeySequence>
#include <QShortcut>

namespace ui {

void fillSilently(QComboBox* box, const QStringList& entries)
{
    const bool was = box->blockSignals(true);
    box->clear();
    box->addItems(entries);
    box->setCurrentIndex(-1);
    box->blockSignals(was);
}

bool selectEntry(QComboBox* box, int index)
{
    if (index < 0 || index >= box->count())
        return false;
    box->setCurrentIndex(index);
    return true;
}

MouseHooks::MouseHooks(QWidget* target) : QObject(target)
{
    target->installEventFilter(this);
}

bool MouseHooks::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        if (onClick)
            onClick();
        break;
    case QEvent::MouseButtonPress:
        if (onPress)
            onPress();
        break;
    case QEvent::MouseButtonDblClick:
        if (onDoubleClick)
            onDoubleClick();
        break;
    case QEvent::MouseMove:
        // Only a pointer over the widget itself, not over one of its children.
        if (onMove) {
            auto* w = static_cast<QWidget*>(watched);
            if (!w->childAt(static_cast<QMouseEvent*>(event)->position().toPoint()))
                onMove();
        }
        break;
    default:
        break;
    }
    return false;
}

MouseHooks* hooks(QWidget* target)
{
    if (auto* h = target->findChild<MouseHooks*>(QString(), Qt::FindDirectChildrenOnly))
        return h;
    target->setMouseTracking(true);
    return new MouseHooks(target);
}

QPixmap drawnLogo(int size, const QColor& colour, const QString& letter)
{
    QPixmap p(size, size);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setBrush(colour);
    g.setPen(Qt::NoPen);
    g.drawRoundedRect(QRectF(1, 1, size - 2, size - 2), size / 6.0, size / 6.0);
    g.setPen(Qt::white);
    QFont f = g.font();
    f.setBold(true);
    f.setPixelSize(size / 2);
    g.setFont(f);
    g.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, letter);
    return p;
}

LogoPlayer::LogoPlayer(int size, QWidget* parent) : QLabel(parent), timer_(new QTimer(this)), size_(size)
{
    setObjectName(QStringLiteral("MediaPlayer1"));
    setFixedSize(size, size);
    hide();
    timer_->setInterval(120);
    connect(timer_, &QTimer::timeout, this, &LogoPlayer::nextFrame);
}

void LogoPlayer::play()
{
    frame_ = 0;
    nextFrame();
    show();
    timer_->start();
}

bool LogoPlayer::playLogoFile()
{
    if (!app::logoFileAccepted(app::logoPath()))
        return false;
    play();
    return true;
}

bool LogoPlayer::playing() const
{
    return timer_->isActive();
}

void LogoPlayer::nextFrame()
{
    // The logo's colour turns once round the colour wheel every 36 frames.
    const QColor c = QColor::fromHsv((205 + frame_ * 10) % 360, 200, 150);
    setPixmap(drawnLogo(size_, c, QStringLiteral("K")));
    frame_ = (frame_ + 1) % 36;
}

} // namespace ui

namespace ui {

QString plainCaption(const QString& caption)
{
    QString s = caption;
    s.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    s.remove(QLatin1Char('&'));
    s.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return s.trimmed();
}

static QString withKey(const QString& caption, const QKeySequence& key)
{
    return plainCaption(caption) + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + QLatin1Char(')');
}

void giveKey(QAction* action, const QKeySequence& key)
{
    action->setShortcut(key);
    action->setToolTip(withKey(action->text(), key));
}

QShortcut* giveKey(QAbstractButton* button, QWidget* window, const QKeySequence& key)
{
    auto* s = new QShortcut(key, window);
    QObject::connect(s, &QShortcut::activated, button, [button] {
        if (button->isVisible() && button->isEnabled())
            button->click();
    });
    button->setToolTip(withKey(button->text(), key));
    return s;
}

void tabInOrder(const QList<QWidget*>& order)
{
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace ui
