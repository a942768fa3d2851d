#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QRectF>

class QKeyEvent;
class QQuickItem;
class QQuickWindow;

// One rule for the keys of every window: a key reaches only a control that
// shows on the screen the user sees and can be used. Qt Quick keeps the
// keyboard focus on an item after it is hidden (its tab, page, question or
// screen hidden with it), and a key would act on it there as on a tap.
//
// The item holding the focus gives it up once it no longer shows: hidden,
// disabled (Qt Quick would hand it back on enabling), or out of sight (a page
// swiped away, a list scrolled). A key that finds the focus on an item that
// does not show, or on one that something else covers (the login screen, a
// modal window or notice), takes the focus from it and goes nowhere. Tab and
// Backtab pass over the items that do not show. So a question's OK acts once
// per question shown, and focus handed back to a control that has gone (by
// the lock, say) does not stay there.
//
// Installed on the application, it watches every Qt Quick window.
class KeyRule : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether item shows in its window: visible, enabled, and partly inside
    // the window and every clipping ancestor; with onTop, also not covered
    // there by an item that takes presses (a drop-down's list counts as its
    // box's own).
    static bool shows(const QQuickItem* item, bool onTop);
    struct Watch
    {
        QPointer<QQuickItem> holder; // the item whose changes are followed
        QMetaObject::Connection visible;
        QMetaObject::Connection enabled;
        bool due = false;
    };

    // The part of item inside its window and clipping ancestors, in window
    // coordinates.
    static QRectF seenPart(const QQuickItem* item);
    static bool uncovered(const QQuickItem* item, const QRectF& seen);

    void watch(QQuickWindow* window);
    void schedule(QQuickWindow* window);
    // The focus moved, or what holds it changed: it goes where it does not show.
    void review(QQuickWindow* window);
    // Takes the focus from each item holding it that does not show; whether
    // it took any.
    bool release(QQuickWindow* window, bool onTop);
    bool filterKey(QQuickWindow* window, QKeyEvent* event);
    void tab(QQuickWindow* window, QKeyEvent* event);

    QHash<QQuickWindow*, Watch> m_windows;
    bool m_passing = false; // a key this rule delivers itself
};
