#include "taprule.h"

#include <QMouseEvent>
#include <QQuickItem>
#include <QQuickWindow>
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

QQuickItem* TapRule::itemAt(QQuickWindow* window, QPointF scenePoint)
{
    return topmostAt(window->contentItem(), scenePoint);
}

bool TapRule::takesSecondTap(QQuickWindow* window, QPointF scenePoint) const
{
    QQuickItem* first = m_first;
    if (!first || !first->isVisible() || !first->isEnabled() || first->window() != window)
        return false;
    if (!first->property("takesSecondTap").toBool() && !isTextField(first))
        return false;
    return first->mapToScene(QPointF()) == m_firstAt && itemAt(window, scenePoint) == first;
}

bool TapRule::filterMouse(QQuickWindow* window, QMouseEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (!(event->flags() & Qt::MouseEventCreatedDoubleClick)) {
            m_second = Second::None;
            m_first = nullptr;
            return false;
        }
        m_second = takesSecondTap(window, event->windowPos()) ? Second::Passed : Second::Dropped;
        return m_second == Second::Dropped;
    case QEvent::MouseButtonDblClick:
        return m_second != Second::Passed;
    case QEvent::MouseMove:
        return m_second == Second::Dropped && event->buttons() != Qt::NoButton;
    case QEvent::MouseButtonRelease:
        if (m_second != Second::None) {
            const bool drop = m_second == Second::Dropped;
            if (event->buttons() == Qt::NoButton)
                m_second = Second::None;
            return drop;
        }
        // A first tap ends: what took its press may take the second.
        m_first = window->mouseGrabberItem();
        if (m_first)
            m_firstAt = m_first->mapToScene(QPointF());
        return false;
    default:
        return false;
    }
}

bool TapRule::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        if (auto* window = qobject_cast<QQuickWindow*>(watched))
            return filterMouse(window, static_cast<QMouseEvent*>(event));
        return false;
    default:
        return false;
    }
}
