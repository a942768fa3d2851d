#pragma once

class QQmlContext;
class QString;
class QVariant;

// Root context of the QML engine; list models are published through it.
// Null while no engine exists (unit tests), in which case nothing is published.
extern QQmlContext* g_rootContext;

void publishContextProperty(const QString& name, const QVariant& value);
