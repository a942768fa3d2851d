// Runner for the Qt Quick tests. Every document in the fakes folder is
// instantiated once per test engine and published as a context property named
// after the file (comm.qml -> comm), standing in for the application's objects.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QJSValue>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>

#include "keyrule.h"
#include "windowrig.h"

// Lets a test replace a context property (a list model, say) at run time, and
// collect the warnings (QML errors among them) printed meanwhile.
class ContextSetter : public QObject
{
    Q_OBJECT
public:
    explicit ContextSetter(QQmlEngine* engine)
        : QObject(engine)
        , m_engine(engine)
    {
    }
    // A script array of objects arrives as a script value; it is handed on as a
    // list of objects, the form the application publishes its list models in,
    // so that delegates see each object's properties through "model".
    Q_INVOKABLE void set(const QString& name, const QVariant& value)
    {
        m_engine->rootContext()->setContextProperty(name, asObjectList(value));
    }

    // The warnings since the previous call. The first call starts collecting,
    // on top of the test log's own handler, so they are still printed.
    Q_INVOKABLE QStringList takeWarnings()
    {
        if (!collecting) {
            windowrig::collectWarnings();
            collecting = true;
        }
        return windowrig::takeWarnings();
    }

private:
    static QVariant asObjectList(const QVariant& value)
    {
        QVariant plain = value;
        if (plain.userType() == qMetaTypeId<QJSValue>())
            plain = plain.value<QJSValue>().toVariant();
        if (plain.userType() != QMetaType::QVariantList)
            return plain;
        QList<QObject*> objects;
        for (const QVariant& item : plain.toList()) {
            QObject* object = item.value<QObject*>();
            if (!object)
                return plain;
            objects << object;
        }
        return QVariant::fromValue(objects);
    }

    QQmlEngine* m_engine;
    static inline bool collecting = false;
};

class Setup : public QObject
{
    Q_OBJECT
public slots:
    void qmlEngineAvailable(QQmlEngine* engine)
    {
        const QDir dir(QStringLiteral(KZ_QML_FAKES_DIR));
        const QStringList files = dir.entryList({ QStringLiteral("*.qml") }, QDir::Files, QDir::Name);
        for (const QString& file : files) {
            if (!file.at(0).isLower())
                continue; // capitalised files are helper types, not context objects
            QQmlComponent component(engine, QUrl::fromLocalFile(dir.filePath(file)));
            QObject* object = component.create();
            if (!object) {
                qFatal("fake %s: %s", qPrintable(file), qPrintable(component.errorString()));
            }
            object->setParent(engine);
            engine->rootContext()->setContextProperty(file.chopped(4), object);
        }
        const QVariantMap flags { { QStringLiteral("isAndroid"), false }, { QStringLiteral("isIos"), false },
                                  { QStringLiteral("isWindows"), true }, { QStringLiteral("isMac"), false },
                                  { QStringLiteral("isDesktop"), true } };
        for (auto it = flags.begin(); it != flags.end(); ++it)
            engine->rootContext()->setContextProperty(it.key(), it.value());
        engine->rootContext()->setContextProperty(QStringLiteral("multiFont"), QStringLiteral("Arial"));
        QGuiApplication::setFont(QFont(QStringLiteral("Arial"))); // as the application does
        for (const char* model : { "loginModel", "browseModel", "timerEventModel" })
            engine->rootContext()->setContextProperty(QLatin1String(model), QVariantList());
        engine->rootContext()->setContextProperty(QStringLiteral("testContext"), new ContextSetter(engine));
        // Keys reach the windows as the application lets them.
        QCoreApplication::instance()->installEventFilter(new KeyRule(engine));
    }
};

QUICK_TEST_MAIN_WITH_SETUP(kz470, Setup)

#include "main.moc"
