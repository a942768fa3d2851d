#include "keyrule.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSet>

#include "taprule.h"

namespace {

// Qt Quick Controls' layer of open drop-downs and popups, over the window.
bool inPopupLayer(const QQuickItem* item)
{
    for (; item; item = item->parentItem()) {
        if (item->inherits("QQuickOverlay"))
            return true;
    }
    return false;
}

bool isTab(const QKeyEvent* event)
{
    return (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

} // namespace

QRectF KeyRule::seenPart(const QQuickItem* item)
{
    // An item of no size still stands at a point.
    QRectF seen = item->mapRectToScene(QRectF(0, 0, qMax<qreal>(item->width(), 1), qMax<qreal>(item->height(), 1)));
    seen &= QRectF(QPointF(), item->window()->size());
    for (const QQuickItem* above = item->parentItem(); above && !seen.isEmpty(); above = above->parentItem()) {
        if (above->clip())
            seen &= above->mapRectToScene(above->clipRect());
    }
    return seen;
}

bool KeyRule::uncovered(const QQuickItem* item, const QRectF& seen)
{
    QQuickWindow* window = item->window();
    const bool popup = inPopupLayer(item);
    const QPointF c = seen.center();
    const qreal dx = seen.width() / 4;
    const qreal dy = seen.height() / 4;
    for (const QPointF at : { c, c + QPointF(-dx, -dy), c + QPointF(dx, -dy), c + QPointF(-dx, dy), c + QPointF(dx, dy) }) {
        const QQuickItem* top = TapRule::itemAt(window, at);
        if (!top || top == item || item->isAncestorOf(top) || top->isAncestorOf(item) || (!popup && inPopupLayer(top)))
            return true;
    }
    return false;
}

bool KeyRule::shows(const QQuickItem* item, bool onTop)
{
    QQuickWindow* window = item ? item->window() : nullptr;
    if (!window || !item->isVisible() || !item->isEnabled())
        return false;
    if (item == window->contentItem())
        return true;
    const QRectF seen = seenPart(item);
    return !seen.isEmpty() && (!onTop || uncovered(item, seen));
}

void KeyRule::watch(QQuickWindow* window)
{
    if (m_windows.contains(window))
        return;
    m_windows.insert(window, Watch());
    connect(window, &QObject::destroyed, this, [this, window] { m_windows.remove(window); });
    connect(window, &QQuickWindow::activeFocusItemChanged, this, [this, window] { schedule(window); });
    // Each frame: what holds the focus may have moved out of sight.
    connect(window, &QQuickWindow::afterAnimating, this, [this, window] {
        QQuickItem* holder = window->activeFocusItem();
        if (holder && holder != window->contentItem() && !shows(holder, false))
            schedule(window);
    });
    schedule(window);
}

void KeyRule::schedule(QQuickWindow* window)
{
    Watch& watch = m_windows[window];
    if (watch.due)
        return;
    watch.due = true;
    // Once the change under way has ended: a window being made gives the
    // focus to its field before it shows.
    QMetaObject::invokeMethod(
        this,
        [this, guard = QPointer<QQuickWindow>(window)] {
            if (guard && m_windows.contains(guard))
                review(guard);
        },
        Qt::QueuedConnection);
}

void KeyRule::review(QQuickWindow* window)
{
    Watch& watch = m_windows[window];
    watch.due = false;
    QQuickItem* before = watch.holder;
    // A disabled item gives up the active focus but keeps its focus, and
    // takes the active focus back once enabled.
    if (before && before != window->activeFocusItem() && before->hasFocus() && !before->isEnabled())
        before->setFocus(false);
    release(window, false);

    QQuickItem* holder = window->activeFocusItem();
    if (holder == before)
        return;
    disconnect(watch.visible);
    disconnect(watch.enabled);
    watch.holder = holder;
    if (holder) {
        watch.visible = connect(holder, &QQuickItem::visibleChanged, this, [this, window] { schedule(window); });
        watch.enabled = connect(holder, &QQuickItem::enabledChanged, this, [this, window] { schedule(window); });
    }
}

bool KeyRule::release(QQuickWindow* window, bool onTop)
{
    bool released = false;
    // Each step hands the focus to the holder's focus scope.
    for (int step = 0; step < 64; ++step) {
        QQuickItem* holder = window->activeFocusItem();
        if (!holder || shows(holder, onTop))
            break;
        holder->setFocus(false);
        released = true;
        if (window->activeFocusItem() == holder) {
            window->contentItem()->forceActiveFocus();
            break;
        }
    }
    return released;
}

void KeyRule::tab(QQuickWindow* window, QKeyEvent* event)
{
    const bool forward = event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier);
    m_passing = true;
    QCoreApplication::sendEvent(window, event);
    m_passing = false;
    // The toolkit's chain passes over hidden and disabled items, not over
    // those out of sight or covered.
    QSet<QQuickItem*> passed;
    for (QQuickItem* at = window->activeFocusItem(); at && !shows(at, true) && !passed.contains(at);
         at = window->activeFocusItem()) {
        passed.insert(at);
        QQuickItem* next = at->nextItemInFocusChain(forward);
        if (!next)
            break;
        next->forceActiveFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    }
    release(window, true);
}

bool KeyRule::filterKey(QQuickWindow* window, QKeyEvent* event)
{
    watch(window);
    if (release(window, true))
        return true;
    if (event->type() == QEvent::KeyPress && isTab(event)) {
        tab(window, event);
        return true;
    }
    return false;
}

bool KeyRule::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (m_passing)
            return false;
        if (auto* window = qobject_cast<QQuickWindow*>(watched))
            return filterKey(window, static_cast<QKeyEvent*>(event));
        return false;
    case QEvent::Show:
    case QEvent::Expose:
    case QEvent::FocusIn:
        if (auto* window = qobject_cast<QQuickWindow*>(watched))
            watch(window);
        return false;
    default:
        return false;
    }
}
