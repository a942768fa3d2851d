#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>

class QMouseEvent;
class QQuickItem;
class QQuickWindow;

// One rule for the taps of every window: a quick second tap, which the window
// system delivers as a double click, is one tap with the first. Its press,
// its double click and its release are dropped, so it never reaches what the
// first tap opened, revealed, moved or put under the finger.
//
// The second tap goes on only to the item that took the first one, when that
// item is still where it was, still on top under the finger, and is an item
// whose second tap means something: a key whose taps add up, or one whose
// double tap is its action (both say so with a QML property `takesSecondTap`
// set true), or a text field (a double click selects a word).
//
// Installed on the application, it watches every Qt Quick window.
class TapRule : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override;

    // The item that a press at this point of the window reaches first: the
    // topmost visible, enabled item there that takes mouse buttons.
    static QQuickItem* itemAt(QQuickWindow* window, QPointF scenePoint);

private:
    bool takesSecondTap(QQuickWindow* window, QPointF scenePoint) const;
    bool filterMouse(QQuickWindow* window, QMouseEvent* event);

    // The item that took the last first tap, and where it stood then.
    QPointer<QQuickItem> m_first;
    QPointF m_firstAt;
    enum class Second { None, Dropped, Passed };
    Second m_second = Second::None;
};
