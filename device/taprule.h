#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>

class QMouseEvent;
class QQuickItem;
class QQuickWindow;
class QTouchEvent;

// Quick taps at one point: each press within the double-click time and
// distance of the press before it continues the burst; a press later or
// farther away, or by the other kind of input (mouse or finger, whose clocks
// differ), starts a new one. The window system pairs taps two by two; a
// burst goes on however many there are.
class TapBurst
{
public:
    enum class Input { Mouse, Finger };
    // A press: true when it continues the burst, false when it starts one.
    bool press(Input input, ulong timestamp, QPointF at);
    // What came was no tap (several fingers): the next press starts a burst.
    void forget() { m_any = false; }

private:
    bool m_any = false;
    Input m_input = Input::Mouse;
    ulong m_time = 0;
    QPointF m_at;
};

// One rule for the taps of every window, by mouse or by finger: the quick
// taps of a burst are one tap. The second and later ones are dropped whole
// (press, double click, moves and release; a finger's whole touch), so they
// never reach what the first tap opened, revealed, moved or put under the
// finger.
//
// They go on only to the item that took the first tap, when that item is
// still where it was, still on top under the finger, and is an item whose
// further taps mean something: a key whose taps add up, or one whose double
// tap is its action (both say so with a QML property `takesSecondTap` set
// true), or a text field (a double click selects a word).
//
// Qt Quick gives a finger's touch to the items that take touches and turns
// it into mouse events for the others, sent to the items themselves; so the
// rule meets a finger at the window's touch events, and learns which item
// took its first tap from the release the window then delivers.
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
    enum class Tap { None, First, Passed, Dropped };

    bool takesFurtherTap(QQuickWindow* window, QPointF scenePoint) const;
    // A tap's press: whether it is dropped.
    bool press(QQuickWindow* window, TapBurst::Input input, ulong timestamp, QPointF scenePoint);
    // The first tap of a burst was taken by item (none when null).
    void takenBy(QQuickItem* item);
    bool filterMouse(QQuickWindow* window, QMouseEvent* event);
    bool filterTouch(QQuickWindow* window, QTouchEvent* event);
    // A release that the window delivers to an item.
    void itemReleased(QObject* item, QEvent* event);

    TapBurst m_burst;
    Tap m_tap = Tap::None; // the tap under way, by mouse or finger
    // A finger's first tap has ended; its release is on its way to the item
    // that took it.
    bool m_fingerLifting = false;
    // The item that took the burst's first tap, and where it stood then.
    QPointer<QQuickItem> m_first;
    QPointF m_firstAt;
};
