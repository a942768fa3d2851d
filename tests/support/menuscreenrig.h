#pragma once

#include <QList>
#include <QString>

class AppRig;
class QQuickItem;

// The settings tab of the real window (AppRig), as a person reads and uses it.
namespace menuscreen {

// Every row the tab has made, top to bottom.
QList<QQuickItem*> rows(const AppRig& rig);
// The row of that name; null when there is none.
QQuickItem* row(const AppRig& rig, const QString& text);
// "kind name = value" as a person reads the row: P page title, H item
// heading, C choice (the value the box shows, or the read-only text), R range.
QString describe(const AppRig& rig, QQuickItem* row);
// The entry with this text in the open list of a row's drop-down; null when
// the list is not open or shows no such entry.
QQuickItem* entry(const AppRig& rig, QQuickItem* row, const QString& text);
// Scrolls the list until the whole row shows; false when it does not come.
bool show(AppRig& rig, QQuickItem* row);
// Shows the row of that name, opens its drop-down and taps the entry with
// this text once it shows; false when something of it never came.
bool pick(AppRig& rig, const QString& rowText, const QString& choice);

} // namespace menuscreen
