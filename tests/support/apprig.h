#pragma once

#include <QList>
#include <QPoint>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QString>
#include <functional>
#include <memory>

#include "objectgraph.h"
#include "recorderstate.h"
#include "simlink.h"
#include "simrecorder.h"

// QTRY_VERIFY and QTRY_COMPARE for end-to-end tests: they wait as long as
// what the recorder and the window do may take on a loaded machine.
#define TRY_VERIFY(expr) QTRY_VERIFY_WITH_TIMEOUT(expr, simlink::waitMs)
#define TRY_COMPARE(expr, expected) QTRY_COMPARE_WITH_TIMEOUT(expr, expected, simlink::waitMs)

// The application as start-up makes it, for end-to-end tests: the object
// graph published on a QML engine, mainDesktop.qml loaded and its window
// shown, driven as a person would (inside the private network namespace only).
// Warnings printed from start() to close() are collected: windowrig::takeWarnings().
class AppRig
{
public:
    ~AppRig() { stop(); }

    // Starts the application; false (with a warning) when it cannot show.
    bool start();
    // Starts a simulated recorder on the first recorder address, lets prepare
    // set it up, starts the application and logs in to it; false when any of
    // it fails.
    bool start(const std::function<void(sim::SimRecorder&, sim::RecorderState&)>& prepare);
    // Logs in to recorder and waits until the main screens show; false when
    // that does not happen. Sets connection.
    bool logIn(sim::SimRecorder& recorder);
    // As at exit: the window goes before the objects its bindings read.
    void close();
    // close(), then the recorder start(prepare) made goes too.
    void stop();

    // The item of that objectName within `within` (the window when null).
    QQuickItem* item(const char* name, QObject* within = nullptr) const;
    // The login screen.
    QQuickItem* loginScreen() const;
    // The visible item of that name under `within` (the window's content when
    // null), found through the visual tree, which reaches what delegates and
    // loaders create; null when none shows.
    QQuickItem* shown(const QString& name, QQuickItem* within = nullptr) const;
    // Every visible item whose name starts with prefix, found so.
    QList<QQuickItem*> allShown(const QString& prefix, QQuickItem* within = nullptr) const;
    // The names after prefix of the visible rows so named under `within`,
    // top to bottom; rows of no height (a list's recycled ones) left out.
    QStringList rowNames(const QString& prefix, QQuickItem* within) const;
    // The text field under `within`.
    QQuickItem* textInput(QObject* within) const;
    // The visible item under `within` that shows this text (a button's label).
    QQuickItem* withText(const QString& text, QObject* within = nullptr) const;
    static QPoint centre(QQuickItem* target);

    // Clicks the centre of a visible item; false when there is nothing to click.
    bool click(QQuickItem* target);
    void clickAt(QPoint point);
    // Taps the centre of a visible item afterMs after the tap before it (one
    // of these helpers' or QTest's), stamped as the window system stamps a
    // person's taps: a press within the double-click interval of the press
    // before arrives as a double click. (QTest stamps its clicks apart, so
    // that they never pair.) quickPress() only presses: QTest::mouseRelease
    // lifts the finger. False when there is nothing to tap.
    bool quickTap(QQuickItem* target, int afterMs);
    bool quickPress(QQuickItem* target, int afterMs);
    void quickPressAt(QPoint point, int afterMs);
    // count taps on target, each gapMs after the one before, stamped so.
    bool taps(QQuickItem* target, int count, int gapMs);
    // A person's double tap: two taps gapMs apart at one point (the centre of
    // target when the first lands), stamped so; the second press lands there
    // whatever the first tap brought under it.
    bool doubleTap(QQuickItem* target, int gapMs = 140);
    void doubleTapAt(QPoint point, int gapMs = 140);
    // count such taps at one point, gapMs apart, by mouse.
    bool quickTaps(QQuickItem* target, int count, int gapMs = 140);
    void quickTapsAt(QPoint point, int count, int gapMs = 140);
    // A finger's count taps at one point (the centre of target when the
    // first lands), gapMs apart, through the window's touch events: stamped
    // as they come, as the window system stamps them. The first is a tap of
    // its own when the finger last lifted longer than the double-click
    // interval before it. False (with a warning) when a tap never reached
    // the window, when one the window passed on reached no item, or when no
    // tap reached an item (the window's tap rule may hold back the later
    // taps of a burst, not all of them).
    [[nodiscard]] bool fingerTaps(QQuickItem* target, int count, int gapMs = 140);
    [[nodiscard]] bool fingerTapsAt(QPoint point, int count, int gapMs = 140);
    // Scrolls over the centre of target, by delta eighths of a degree of a
    // mouse wheel (120 a notch) or, with a phase, as a touchpad gesture by
    // delta pixels; a negative delta scrolls down.
    void scroll(QQuickItem* target, int delta, Qt::ScrollPhase phase = Qt::NoScrollPhase);
    // Clicks the tab at this place (from 0) on the screen area's top edge:
    // tabs 80 units wide with gaps of 3.5. In the portrait window, the page
    // indicator's dot of that page.
    void clickTab(int index);
    // The screen of the tab at this place: home, menu, browse, playlist,
    // timer events; in the portrait window, the page (null while not built).
    QQuickItem* screen(int tab) const;
    // Clicks the tab and waits until its screen shows (the page has come to
    // rest in the portrait window), and for the browse, playlist and
    // timer-event tabs the edit right; false when that fails.
    bool showTab(int tab);
    // The delegate a list view has made for that index; null when it has none.
    static QQuickItem* rowAt(QQuickItem* list, int index);
    // Clicks the text field and types text over what it holds, key by key.
    bool typeInto(QQuickItem* field, const QString& text);
    // Whether a visible item, more than half opaque, shows this text.
    bool textShown(const QString& text) const;
    // Clicks the visible items of these names under `within` in turn, each
    // once it shows (within simlink::waitMs); the first name that never
    // showed, empty when all were clicked.
    QString tapEach(const QStringList& names, QQuickItem* within);
    // Waits until a message shows this text, taps it away and waits until it
    // has gone; false when it never showed (within simlink::waitMs).
    bool dismissMessage(const QString& text);
    // Writes the window's next frame to screenshots/; false when it cannot.
    bool shoot(const QString& fileName);

    // The window start() loads: the desktop one, or "qrc:/main.qml", the portrait one.
    QString document = QStringLiteral("qrc:/mainDesktop.qml");
    std::unique_ptr<QQmlApplicationEngine> engine;
    std::unique_ptr<ObjectGraph> graph;
    QQuickWindow* window = nullptr;
    // Made by start(prepare) only.
    std::unique_ptr<sim::SimRecorder> recorder;
    sim::RecorderState* state = nullptr;
    int connection = 0; // the recorder's id of the application's connection
};
