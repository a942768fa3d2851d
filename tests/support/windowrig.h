#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

class QQuickItem;
class QQuickWindow;

// Helpers for tests that run the application's real window.
namespace windowrig {

// From now on collects every warning printed (QML errors among them), on top
// of the handler in place, which still prints them. AppRig::start() calls it.
void collectWarnings();
// The warnings collected since the last call.
QStringList takeWarnings();
// Undoes collectWarnings(); AppRig::close() calls it.
void stopCollecting();

// The window's next frame. QQuickWindow::grabWindow() gives a null image on
// the offscreen platform with the software renderer; the offscreen screen
// hands out the window's last frame instead.
QImage frame(QQuickWindow* window);
// The window's next frame, also written to screenshots/ beside the test
// program for people to look at (a null image when it cannot be had).
QImage saveFrame(QQuickWindow* window, const QString& fileName);

// The items under root, root included, of that object name, found through
// the visual tree (which reaches what delegates and loaders create).
QList<QQuickItem*> visualItems(QQuickItem* root, const QString& objectName);

// What gets in the way under root, one line each: a visible text whose
// painted box, cut by its clipping ancestors, leaves its box (a wrapped text's
// or a field's own, else its parent's) or crosses a button; a visible scroll
// bar that crosses a button or a footer ("...Footer") or shows for a list
// that fits. A button is a visible tap area narrower than a third of the window
// that does not hold the text or bar.
QStringList layoutFaults(QQuickItem* root);

} // namespace windowrig
