#include "taprule.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QStyleHints>
#include <QTouchEvent>
#include <algorithm>

namespace {

// The children in the order a press tries them: the topmost first.
QList<QQuickItem*> topFirst(const QQuickItem* item)
{
    QList<QQuickItem*> children = item->childItems();
    std::stable_sort(children.begin(), children.end(),
                     [](const QQuickItem* a, const QQuickItem* b) { return a->z() > b->z(); });
    // Among equal z the later child lies on top.
    QList<QQuickItem*> ordered;
    for (int i = 0; i < children.size();) {
        int j = i;
        while (j < children.size() && children.at(j)->z() == children.at(i)->z())
            ++j;
        for (int k = j - 1; k >= i; --k)
            ordered.append(children.at(k));
        i = j;
    }
    return ordered;
}

QQuickItem* topmostAt(QQuickItem* item, QPointF scenePoint)
{
    const QPointF local = item->mapFromScene(scenePoint);
    if (item->clip() && !item->contains(local))
        return nullptr;
    for (QQuickItem* child : topFirst(item)) {
        if (!child->isVisible() || !child->isEnabled())
            continue;
        if (QQuickItem* found = topmostAt(child, scenePoint))
            return found;
    }
    if (item->acceptedMouseButtons() & Qt::LeftButton && item->contains(local))
        return item;
    return nullptr;
}

bool isTextField(const QQuickItem* item)
{
    return item->inherits("QQuickTextInput") || item->inherits("QQuickTextEdit");
}

} // namespace

bool TapBurst::press(Input input, ulong timestamp, QPointF at)
{
    const QStyleHints* hints = QGuiApplication::styleHints();
    const qreal distance = input == Input::Mouse ? hints->mouseDoubleClickDistance() : hints->touchDoubleTapDistance();
    const bool goesOn = m_any && input == m_input && timestamp >= m_time
        && timestamp - m_time < ulong(hints->mouseDoubleClickInterval()) && qAbs(at.x() - m_at.x()) <= distance
        && qAbs(at.y() - m_at.y()) <= distance;
    m_any = true;
    m_input = input;
    m_time = timestamp;
    m_at = at;
    return goesOn;
}

QQuickItem* TapRule::itemAt(QQuickWindow* window, QPointF scenePoint)
{
    return topmostAt(window->contentItem(), scenePoint);
}

bool TapRule::takesFurtherTap(QQuickWindow* window, QPointF scenePoint) const
{
    QQuickItem* first = m_first;
    if (!first || !first->isVisible() || !first->isEnabled() || first->window() != window)
        return false;
    if (!first->property("takesSecondTap").toBool() && !isTextField(first))
        return false;
    return first->mapToScene(QPointF()) == m_firstAt && itemAt(window, scenePoint) == first;
}

bool TapRule::press(QQuickWindow* window, TapBurst::Input input, ulong timestamp, QPointF scenePoint)
{
    m_fingerLifting = false;
    if (!m_burst.press(input, timestamp, scenePoint)) {
        m_tap = Tap::First;
        m_first = nullptr;
        return false;
    }
    m_tap = takesFurtherTap(window, scenePoint) ? Tap::Passed : Tap::Dropped;
    return m_tap == Tap::Dropped;
}

void TapRule::takenBy(QQuickItem* item)
{
    m_first = item;
    if (item)
        m_firstAt = item->mapToScene(QPointF());
}

bool TapRule::filterMouse(QQuickWindow* window, QMouseEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return press(window, TapBurst::Input::Mouse, event->timestamp(), event->windowPos());
    case QEvent::MouseButtonDblClick:
        // The window system pairs taps two by two; what the burst drops or
        // starts afresh takes no double click.
        return m_tap != Tap::Passed;
    case QEvent::MouseMove:
        return m_tap == Tap::Dropped && event->buttons() != Qt::NoButton;
    case QEvent::MouseButtonRelease: {
        const bool drop = m_tap == Tap::Dropped;
        // A first tap ends: what took its press may take the next ones.
        if (m_tap == Tap::First)
            takenBy(window->mouseGrabberItem());
        if (event->buttons() == Qt::NoButton)
            m_tap = Tap::None;
        return drop;
    }
    default:
        return false;
    }
}

bool TapRule::filterTouch(QQuickWindow* window, QTouchEvent* event)
{
    m_fingerLifting = false;
    const bool oneFinger = event->touchPoints().size() == 1;
    bool drop = m_tap == Tap::Dropped;
    switch (event->type()) {
    case QEvent::TouchBegin:
        if (!oneFinger) {
            m_burst.forget();
            m_tap = Tap::None;
            return false;
        }
        drop = press(window, TapBurst::Input::Finger, event->timestamp(), event->touchPoints().constFirst().pos());
        break;
    case QEvent::TouchUpdate:
        if (!drop && !oneFinger) { // a pinch or a swipe of several fingers is no tap
            m_burst.forget();
            m_tap = Tap::None;
        }
        break;
    case QEvent::TouchEnd:
        m_fingerLifting = m_tap == Tap::First;
        m_tap = Tap::None;
        break;
    default: // cancelled: the window never saw what was dropped
        m_tap = Tap::None;
        return false;
    }
    // Accepted, so that the touch is not turned into mouse events instead.
    if (drop)
        event->accept();
    return drop;
}

void TapRule::itemReleased(QObject* item, QEvent* event)
{
    if (!m_fingerLifting)
        return;
    if (event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->source() != Qt::MouseEventSynthesizedByQt)
        return;
    if (auto* taker = qobject_cast<QQuickItem*>(item)) {
        m_fingerLifting = false;
        takenBy(taker);
    }
}

bool TapRule::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        if (auto* window = qobject_cast<QQuickWindow*>(watched))
            return filterMouse(window, static_cast<QMouseEvent*>(event));
        break;
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchCancel:
    case QEvent::TouchEnd:
        if (auto* window = qobject_cast<QQuickWindow*>(watched))
            return filterTouch(window, static_cast<QTouchEvent*>(event));
        break;
    default:
        return false;
    }
    // Delivered to an item: a release tells which item took a finger's tap.
    if (type == QEvent::MouseButtonRelease || type == QEvent::TouchEnd)
        itemReleased(watched, event);
    return false;
}
