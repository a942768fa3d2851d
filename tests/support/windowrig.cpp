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
    previousHandler = qInstallMessageHandler(collect);
}

QStringList takeWarnings()
{
    QMutexLocker lock(&warningsMutex);
    return std::exchange(warnings, {});
}

void stopCollecting()
{
    qInstallMessageHandler(previousHandler);
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

QRectF sceneRect(QQuickItem* item, const QRectF& local)
{
    return item->mapRectToScene(local);
}

QRectF sceneRect(QQuickItem* item)
{
    return sceneRect(item, QRectF(0, 0, item->width(), item->height()));
}

// The part of the item's rectangle that its clipping ancestors let show.
QRectF shownRect(QQuickItem* item, QRectF rect)
{
    for (QQuickItem* i = item; i; i = i->parentItem()) {
        if (i->clip())
            rect = rect.intersected(sceneRect(i));
    }
    return rect;
}

bool holds(QQuickItem* outer, QQuickItem* inner)
{
    for (QQuickItem* i = inner; i; i = i->parentItem()) {
        if (i == outer)
            return true;
    }
    return false;
}

// Overlapping by more than a rounding error.
bool crosses(const QRectF& a, const QRectF& b)
{
    const QRectF common = a.intersected(b);
    return common.width() > 1 && common.height() > 1;
}

QString describe(QQuickItem* item)
{
    const QString text = item->property("text").toString().left(30);
    const QRectF at = sceneRect(item);
    return QStringLiteral("%1 \"%2\" at %3,%4").arg(item->objectName().isEmpty() ? QString::fromLatin1(item->metaObject()->className()) : item->objectName(), text).arg(at.x()).arg(at.y());
}

} // namespace

QStringList layoutFaults(QQuickItem* root)
{
    QList<QQuickItem*> shown;
    std::function<void(QQuickItem*)> walk = [&](QQuickItem* item) {
        if (!item->isVisible() || item->opacity() < 0.01)
            return;
        shown << item;
        for (QQuickItem* child : item->childItems())
            walk(child);
    };
    walk(root);
    const qreal third = root->window()->width() / 3;
    QList<QQuickItem*> buttons;
    for (QQuickItem* item : shown) {
        if ((item->inherits("QQuickMouseArea") || item->inherits("QQuickAbstractButton")) && item->isEnabled() && item->width() < third)
            buttons << item;
    }
    auto crossedButton = [&](QQuickItem* item, const QRectF& painted, QQuickItem* box) -> QQuickItem* {
        for (QQuickItem* button : buttons) {
            if (!holds(button, item) && !sceneRect(button).contains(sceneRect(box)) && crosses(painted, shownRect(button, sceneRect(button))))
                return button;
        }
        return nullptr;
    };

    QStringList faults;
    for (QQuickItem* item : shown) {
        const bool field = item->inherits("QQuickTextInput") || item->inherits("QQuickTextEdit");
        if (!field && !item->inherits("QQuickText"))
            continue;
        if (item->property("text").toString().trimmed().isEmpty())
            continue;
        QRectF painted = shownRect(item, sceneRect(item, item->boundingRect()));
        for (QQuickItem* footer : shown) { // what a footer covers does not count
            const QRectF cover = sceneRect(footer);
            if (footer->objectName().endsWith(QLatin1String("Footer")) && !holds(footer, item) && crosses(painted, cover))
                painted.setBottom(qMin(painted.bottom(), cover.top()));
        }
        if (painted.isEmpty())
            continue;
        // A wrapped text and a field have a box of their own to keep to.
        QQuickItem* box = field || item->property("wrapMode").toInt() != 0 ? item : item->parentItem();
        if (box == item && !sceneRect(item).adjusted(-2, -2, 2, 2).contains(painted)) // rounding and antialiasing
            faults << describe(item) + QStringLiteral(" runs out of its box");
        if (QQuickItem* button = crossedButton(item, painted, box))
            faults << describe(item) + QStringLiteral(" runs over ") + describe(button);
    }
    for (QQuickItem* bar : shown) {
        if (!bar->inherits("QQuickScrollBar"))
            continue;
        if (bar->property("size").toReal() >= 1)
            faults << QStringLiteral("a scroll bar shows for a list that fits");
        // The handle's track: where the handle is drawn, along the whole bar.
        QQuickItem* handle = bar->property("contentItem").value<QQuickItem*>();
        const QRectF track = sceneRect(bar, handle ? QRectF(handle->x(), 0, handle->width(), bar->height()) : QRectF(0, 0, bar->width(), bar->height()));
        if (QQuickItem* button = crossedButton(bar, track, bar))
            faults << QStringLiteral("a scroll bar lies over ") + describe(button);
        for (QQuickItem* footer : shown) {
            if (footer->objectName().endsWith(QLatin1String("Footer")) && crosses(track, sceneRect(footer)))
                faults << QStringLiteral("a scroll bar runs under ") + footer->objectName();
        }
    }
    return faults;
}

} // namespace windowrig
