#include "windowrig.h"

#include <QCoreApplication>
#include <QDir>
#include <QMutex>
#include <QQuickItem>
#include <QQuickWindow>
#include <QScreen>
#include <QSignalSpy>
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

} // namespace windowrig
