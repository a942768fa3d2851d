#include "windowrig.h"

#include <QCoreApplication>
#include <QDir>
#include <QMutex>
#include <QQuickItem>
#include <QQuickWindow>
#include <QScreen>
#include <QSignalSpy>
#include <functional>
#include <utility>

namespace {

QMutex warningsMutex;
QStringList warnings;
QtMessageHandler previousHandler = nullptr;

void collect(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    // The offscreen platform's note on a missing runtime directory is no fault of ours.
    if (type != QtDebugMsg && type != QtInfoMsg && !message.startsWith(QLatin1String("QStandardPaths:"))) {
        QMutexLocker lock(&warningsMutex);
        warnings.append(message);
    }
    previousHandler(type, context, message);
}

} // namespace

namespace windowrig {

void collectWarnings()
{
    if (!previousHandler)
        previousHandler = qInstallMessageHandler(collect);
}

QStringList takeWarnings()
{
    QMutexLocker lock(&warningsMutex);
    return std::exchange(warnings, {});
}

void stopCollecting()
{
    if (previousHandler)
        qInstallMessageHandler(std::exchange(previousHandler, nullptr));
}

QImage frame(QQuickWindow* window)
{
    // The software renderer repaints only what it counts as changed, and it
    // leaves out thin lines over a background that changed until the next
    // full repaint. A frame drawn at another opacity of the root makes the
    // next one draw the whole window anew.
    QQuickItem* root = window->contentItem();
    const qreal opacity = root->opacity();
    for (const qreal pass : { opacity / 2, opacity }) {
        QSignalSpy swapped(window, &QQuickWindow::frameSwapped);
        root->setOpacity(pass);
        window->update();
        swapped.wait(2000);
    }
    return window->screen()->grabWindow(window->winId()).toImage();
}

QImage saveFrame(QQuickWindow* window, const QString& fileName)
{
    const QImage image = frame(window);
    QDir shots(QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots"));
    if (image.isNull() || !shots.mkpath(QStringLiteral(".")) || !image.save(shots.filePath(fileName)))
        return QImage();
    return image;
}

QList<QQuickItem*> visualItems(QQuickItem* root, const QString& objectName)
{
    QList<QQuickItem*> found;
    QList<QQuickItem*> pending { root };
    while (!pending.isEmpty()) {
        QQuickItem* next = pending.takeFirst();
        if (next->objectName() == objectName)
            found << next;
        pending << next->childItems();
    }
    return found;
}

namespace {

QRectF sceneRect(QQuickItem* item)
{
    return item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
}

// The part of a rectangle in the scene that item and its ancestors' clips let show.
QRectF clipped(QQuickItem* item, QRectF rect)
{
    for (; item; item = item->parentItem())
        rect = item->clip() ? rect.intersected(sceneRect(item)) : rect;
    return rect;
}

// Overlapping by more than a rounding error.
bool crosses(const QRectF& a, const QRectF& b)
{
    const QRectF common = a.intersected(b);
    return common.width() > 1 && common.height() > 1;
}

QString describe(QQuickItem* item)
{
    const QString name = item->objectName().isEmpty() ? item->metaObject()->className() : item->objectName();
    return QStringLiteral("%1 \"%2\" at %3").arg(name, item->property("text").toString().left(30)).arg(sceneRect(item).y());
}

} // namespace

QStringList layoutFaults(QQuickItem* root)
{
    QList<QQuickItem*> shown, buttons, footers;
    std::function<void(QQuickItem*)> walk = [&](QQuickItem* item) {
        if (!item->isVisible() || item->opacity() < 0.01)
            return;
        shown << item;
        if ((item->inherits("QQuickMouseArea") || item->inherits("QQuickAbstractButton")) && item->isEnabled()
            && item->width() < root->window()->width() / 3)
            buttons << item;
        if (item->objectName().endsWith(QLatin1String("Footer")))
            footers << item;
        for (QQuickItem* child : item->childItems())
            walk(child);
    };
    walk(root);
    // Buttons that neither hold the item nor cover its whole box (a backdrop).
    auto crossed = [&](QQuickItem* item, const QRectF& painted, QQuickItem* box) {
        QStringList over;
        for (QQuickItem* b : buttons) {
            if (!b->isAncestorOf(item) && !sceneRect(b).contains(sceneRect(box)) && crosses(painted, clipped(b, sceneRect(b))))
                over << describe(item) + QStringLiteral(" lies over ") + describe(b);
        }
        return over;
    };

    QStringList faults;
    for (QQuickItem* item : shown) {
        const bool field = item->inherits("QQuickTextInput") || item->inherits("QQuickTextEdit");
        if ((!field && !item->inherits("QQuickText")) || item->property("text").toString().trimmed().isEmpty())
            continue;
        QRectF painted = clipped(item->parentItem(), item->mapRectToScene(item->boundingRect()));
        for (QQuickItem* footer : footers) { // what a footer covers does not count
            if (!footer->isAncestorOf(item) && crosses(painted, sceneRect(footer)))
                painted.setBottom(qMin(painted.bottom(), sceneRect(footer).top()));
        }
        // A wrapped text and a field have a box of their own to keep to
        // (give or take rounding and antialiasing).
        const bool boxed = field || item->property("wrapMode").toInt() != 0;
        if (boxed && !painted.isEmpty() && !sceneRect(item).adjusted(-2, -2, 2, 2).contains(painted))
            faults << describe(item) + QStringLiteral(" runs out of its box");
        if (!painted.isEmpty())
            faults << crossed(item, painted, boxed ? item : item->parentItem());
    }
    for (QQuickItem* bar : shown) {
        if (!bar->inherits("QQuickScrollBar"))
            continue;
        if (bar->property("size").toReal() >= 1)
            faults << describe(bar) + QStringLiteral(" shows for a list that fits");
        // Where the handle runs: its own width, the bar's length.
        const QQuickItem* handle = bar->property("contentItem").value<QQuickItem*>();
        const QRectF track = bar->mapRectToScene(handle ? QRectF(handle->x(), 0, handle->width(), bar->height()) : QRectF());
        faults << crossed(bar, track, bar);
        for (QQuickItem* footer : footers) {
            if (crosses(track, sceneRect(footer)))
                faults << describe(bar) + QStringLiteral(" runs under ") + footer->objectName();
        }
    }
    return faults;
}

} // namespace windowrig
