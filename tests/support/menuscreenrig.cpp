#include "menuscreenrig.h"

#include <QQuickItem>
#include <QTest>
#include <algorithm>

#include "apprig.h"

namespace menuscreen {

QList<QQuickItem*> rows(const AppRig& rig)
{
    QList<QQuickItem*> list;
    const auto loaders = rig.item("menuArea")->property("contentItem").value<QQuickItem*>()->childItems();
    for (QQuickItem* loader : loaders) {
        if (auto* r = loader->property("item").value<QQuickItem*>())
            list << r;
    }
    std::sort(list.begin(), list.end(), [](QQuickItem* a, QQuickItem* b) {
        return a->property("serialNumber").toInt() < b->property("serialNumber").toInt();
    });
    return list;
}

QQuickItem* row(const AppRig& rig, const QString& text)
{
    for (QQuickItem* r : rows(rig)) {
        if (r->property("menuText").toString() == text)
            return r;
    }
    return nullptr;
}

QString describe(const AppRig& rig, QQuickItem* r)
{
    const QString name = r->property("menuText").toString();
    if (r->property("rangeData").isValid())
        return QStringLiteral("R %1 = %2").arg(name, r->property("valueText").toString());
    if (!r->property("modelList").isValid())
        return QStringLiteral("P ") + name;
    if (!r->property("visibleComboBox").toBool())
        return QStringLiteral("H ") + name;
    const QString value = r->property("readOnly").toBool()
        ? r->property("readOnlyValue").toString()
        : rig.item("menuComboBox", r)->property("displayText").toString();
    return QStringLiteral("C %1 = %2").arg(name, value);
}

QQuickItem* entry(const AppRig& rig, QQuickItem* r, const QString& text)
{
    QObject* popup = rig.item("menuComboBox", r)->property("popup").value<QObject*>();
    auto* list = popup->property("contentItem").value<QQuickItem*>();
    if (!popup->property("opened").toBool() || !list)
        return nullptr;
    // Delegates belong to the list's visual tree, not to its object tree.
    QList<QQuickItem*> pending { list };
    while (!pending.isEmpty()) {
        QQuickItem* candidate = pending.takeFirst();
        if (candidate->isVisible() && candidate->property("text").toString() == text)
            return candidate;
        pending << candidate->childItems();
    }
    return nullptr;
}

bool show(AppRig& rig, QQuickItem* r)
{
    QQuickItem* area = rig.item("menuArea");
    for (int n = 0; n < 200; ++n) {
        // A list still moving takes the next tap to stop itself, and may
        // carry the row out of view again.
        if (!QTest::qWaitFor([area] { return !area->property("moving").toBool(); }, simlink::waitMs))
            return false;
        const QPointF top = r->mapToItem(area, QPointF(0, 0));
        if (top.y() >= 0 && top.y() + r->height() <= area->height())
            return true;
        rig.scroll(area, top.y() < 0 ? 120 : -120);
        QTest::qWait(20);
    }
    return false;
}

bool pick(AppRig& rig, const QString& rowText, const QString& choice)
{
    QQuickItem* r = row(rig, rowText);
    if (!r || !show(rig, r) || !rig.click(rig.item("menuComboBox", r)))
        return false;
    return QTest::qWaitFor([&] { return entry(rig, r, choice) != nullptr; }, simlink::waitMs)
        && rig.click(entry(rig, r, choice));
}

} // namespace menuscreen
