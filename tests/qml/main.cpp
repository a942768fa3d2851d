// Runner for the Qt Quick tests. Every document in the fakes folder is
// instantiated once per test engine and published as a context property named
// after the file (comm.qml -> comm), standing in for the application's objects.
#include <QDir>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>

// Lets a test replace a context property (a list model, say) at run time.
class ContextSetter : public QObject
{
    Q_OBJECT
public:
    explicit ContextSetter(QQmlEngine* engine)
        : QObject(engine)
        , m_engine(engine)
    {
    }
    Q_INVOKABLE void set(const QString& name, const QVariant& value)
    {
        m_engine->rootContext()->setContextProperty(name, value);
    }

private:
    QQmlEngine* m_engine;
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
        for (const char* model : { "loginModel", "browseModel", "timerEventModel" })
            engine->rootContext()->setContextProperty(QLatin1String(model), QVariantList());
        engine->rootContext()->setContextProperty(QStringLiteral("testContext"), new ContextSetter(engine));
    }
};

QUICK_TEST_MAIN_WITH_SETUP(kz470, Setup)

#include "main.moc"
