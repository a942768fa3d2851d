// The whole road of a login: the application's object graph and main window
// against two simulated recorders on the private network. The recorders are
// found and listed, logged in to from their row and by typed address, one is
// switched off through the admin mode and one stops answering. Everything is
// done through the window, as a person would, with clicks where a click does it.
#include <QFile>
#include <QtTest>

#include "apprig.h"
#include "netenv.h"
#include "recorderstate.h"
#include "simunits.h"
#include "windowrig.h"

namespace {

const QString macStudio = QStringLiteral("00:1B:47:00:00:11");
const QString macHall = QStringLiteral("00:1B:47:00:00:12");

} // namespace

class TstLoginE2e : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void bothRecordersListed();
    void wrongPasswordFromRow();
    void loginFromRowSavesPassword();
    void manualLoginByAddress();
    void turnOffThroughAdminMode();
    void lostRecorderComesBackOnItsRow();
    void closesWithoutQmlWarnings();

private:
    QQuickItem* item(const char* name, QQuickItem* within = nullptr) const { return app.item(name, within); }
    QQuickItem* row(int index) const;
    QQuickItem* refreshButton() const;
    QQuickItem* rowItem(int index, const char* name) const
    {
        QQuickItem* listed = row(index);
        return listed ? item(name, listed) : nullptr;
    }
    void click(QQuickItem* target) { QVERIFY(app.click(target)); }
    bool textShown(const QString& text) const { return app.textShown(text); }
    void type(QQuickItem* field, const QString& text) { QVERIFY(app.typeInto(field, text)); }
    bool loginScreenShown() const { return item("loginscreenbase")->isVisible(); }
    void logOutAndBack();
    QString settings(const char* group, const QString& key) { return graph->comm.dataSettings.getValue(group, key); }
    void shoot(const QString& name) { QVERIFY(app.shoot(name)); }

    std::unique_ptr<SimUnit> studio;
    std::unique_ptr<SimUnit> hall;
    AppRig app;
    ObjectGraph* graph = nullptr;
};

void TstLoginE2e::initTestCase()
{
    netenv::requirePrivateNetwork();
    QFile::remove(DataSettings::fileName());

    studio = std::make_unique<SimUnit>(0, QStringLiteral("Studio A"), macStudio);
    studio->recorder.password = QStringLiteral("1234");
    studio->services.state->setStatus(sim::RecorderState::Playing);
    studio->services.power.adminPassword = QStringLiteral("4321");
    hall = std::make_unique<SimUnit>(1, QStringLiteral("Main Hall"), macHall);
    hall->recorder.password = QStringLiteral("5678");
    hall->recorder.model = 1;
    hall->services.state->selectMedium(QStringLiteral("CD"));
    hall->services.state->setStatus(sim::RecorderState::Recording);
    QVERIFY(studio->start());
    QVERIFY(hall->start());

    QVERIFY(app.start());
    graph = app.graph.get();
    // The login screen reports the application becoming active, which starts discovery.
    TRY_VERIFY(graph->udpc.isDiscoveryRunning());
}

void TstLoginE2e::cleanupTestCase()
{
    app.close();
    hall.reset();
    studio.reset();
}

QQuickItem* TstLoginE2e::row(int index) const
{
    QQuickItem* list = item("loginListView");
    QMetaObject::invokeMethod(list, "forceLayout");
    QQuickItem* found = AppRig::rowAt(list, index);
    if (!found)
        qWarning() << "no row" << index;
    return found;
}

// The list's footer, like its rows, belongs to the list rather than to the document.
QQuickItem* TstLoginE2e::refreshButton() const
{
    auto* footer = item("loginListView")->property("footerItem").value<QQuickItem*>();
    return footer ? item("loginrefresh", footer) : nullptr;
}

void TstLoginE2e::logOutAndBack()
{
    graph->comm.logoutRequest();
    TRY_VERIFY(loginScreenShown());
    TRY_COMPARE(graph->comm.getLoginState(), 0);
}

void TstLoginE2e::bothRecordersListed()
{
    // The first list reaches the screen on the third discovery tick.
    QTRY_VERIFY_WITH_TIMEOUT(refreshButton()->isVisible(), 6000);
    QVERIFY(!item("login_searching")->isVisible());
    QCOMPARE(item("loginListView")->property("count").toInt(), 2);

    struct Expected
    {
        QString nickname, model, address, medium, mediaIcon, transportIcon;
    };
    const Expected expected[] = {
        { "Studio A", "MODEL : KZ-470MX", netenv::recorderAddress(0), "SD1", "icon_16x20_SD", "Status_play" },
        { "Main Hall", "MODEL : KZ-470DUAL", netenv::recorderAddress(1), "CD", "icon_19x19_CD", "Status_rec" },
    };
    for (int i = 0; i < 2; ++i) {
        const Expected& e = expected[i];
        QCOMPARE(rowItem(i, "nickname")->property("text").toString(), e.nickname);
        QCOMPARE(rowItem(i, "modelname")->property("text").toString(), e.model);
        QCOMPARE(rowItem(i, "loginipaddr")->property("text").toString(), e.address);
        QCOMPARE(rowItem(i, "cmedia")->property("text").toString(), e.medium);
        QVERIFY(rowItem(i, "logincurrentmediaicon")->property("source").toString().contains(e.mediaIcon));
        QVERIFY(rowItem(i, "transporticon")->property("source").toString().contains(e.transportIcon));
        QVERIFY(rowItem(i, "powericon")->property("source").toString().contains("power_on"));
    }
    click(rowItem(0, "card"));
    shoot(QStringLiteral("e2e_login_list.png"));
}

void TstLoginE2e::wrongPasswordFromRow()
{
    click(rowItem(0, "card"));
    type(rowItem(0, "loginpasswd"), QStringLiteral("0000"));
    click(rowItem(0, "loginbutton"));
    // The hand-off waits for the recorder's next answer, then the command
    // channel hears "Password Failed".
    QTRY_VERIFY_WITH_TIMEOUT(textShown(QStringLiteral("Invalid password.")), simlink::waitMs);
    TRY_COMPARE(graph->comm.getLoginState(), 0);
    QVERIFY(loginScreenShown());
    QCOMPARE(settings("IPPass", macStudio), QStringLiteral("0000")); // saved as typed
}

void TstLoginE2e::loginFromRowSavesPassword()
{
    click(rowItem(0, "card"));
    QCOMPARE(rowItem(0, "loginpasswd")->property("text").toString(), QStringLiteral("0000"));
    type(rowItem(0, "loginpasswd"), QStringLiteral("1234"));
    click(rowItem(0, "loginbutton"));
    // The window hears of the login 800 ms after the recorder accepted it.
    QTRY_VERIFY_WITH_TIMEOUT(!loginScreenShown(), simlink::waitMs);
    QVERIFY(graph->comm.getLoginComp());
    QCOMPARE(graph->comm.getAddress(), netenv::recorderAddress(0));
    QCOMPARE(graph->udpc.loginedNickname(), QStringLiteral("Studio A"));
    QCOMPARE(settings("IPPass", macStudio), QStringLiteral("1234"));
    // Hidden, the login screen stops discovery.
    QVERIFY(!graph->udpc.isDiscoveryRunning());
    shoot(QStringLiteral("e2e_home.png"));
    // The editing tabs ask for the edit right; the home tab gives it back.
    click(item("tabBrowseButton"));
    TRY_VERIFY(graph->permission.okPermission());
    QCOMPARE(app.window->property("screenSelect").toInt(), 2);
    click(item("tabHomeButton"));
    QVERIFY(!graph->permission.okPermission());
    TRY_VERIFY(studio->recorder.receivedLines().contains(QStringLiteral("07F6A7E10")));
    logOutAndBack();
    QVERIFY(graph->udpc.isDiscoveryRunning());
}

void TstLoginE2e::manualLoginByAddress()
{
    QQuickItem* title = item("loginTitle");
    for (int n = 0; n < 7; ++n)
        click(title);
    TRY_VERIFY(item("loginold")->isVisible());
    shoot(QStringLiteral("e2e_manual_login.png"));
    type(item("address"), netenv::recorderAddress(1));
    type(item("password"), QStringLiteral("5678"));
    click(item("loginButton"));
    QTRY_VERIFY_WITH_TIMEOUT(!loginScreenShown(), simlink::waitMs);
    QVERIFY(graph->comm.getLoginComp());
    QCOMPARE(graph->comm.getModel(), 1);
    QCOMPARE(graph->udpc.loginedNickname(), QString());
    QCOMPARE(settings("Login", QStringLiteral("Address")), netenv::recorderAddress(1));
    logOutAndBack();
    for (int n = 0; n < 7; ++n)
        click(title);
    TRY_VERIFY(item("loginnew")->isVisible());
}

void TstLoginE2e::turnOffThroughAdminMode()
{
    QTRY_VERIFY_WITH_TIMEOUT(refreshButton()->isVisible(), 6000);
    // Slide the lock to the left end, then choose an app password.
    QQuickItem* shuttle = item("shuttle");
    QVERIFY(shuttle->isVisible());
    shuttle->setX(0);
    click(item("admin_button"));
    type(item("newpasswd1"), QStringLiteral("guard"));
    type(item("newpasswd2"), QStringLiteral("guard"));
    click(item("newEnter"));
    TRY_VERIFY(item("loginscreenbase")->property("admin_mode").toBool());
    QCOMPARE(settings("AppPass", QStringLiteral("AppPass")), QStringLiteral("guard"));

    // Store the recorder's admin password, then ask to turn it off.
    click(rowItem(0, "card"));
    type(rowItem(0, "adminpasswd"), QStringLiteral("4321"));
    click(rowItem(0, "savebutton"));
    QCOMPARE(settings("AdminPass", macStudio), QStringLiteral("4321"));
    click(rowItem(0, "admin_power_onoff_button"));
    QQuickItem* dialog = item("confirmPowerControl");
    QVERIFY(dialog->isVisible());
    QCOMPARE(item("cpcNicknameText")->property("text").toString(), QStringLiteral("Studio A"));
    QCOMPARE(item("cpcQuestion")->property("text").toString(), QStringLiteral("OK to turn off?"));
    shoot(QStringLiteral("e2e_power_confirmation.png"));
    QVERIFY(studio->recorder.powered);

    QSignalSpy powerChanged(&studio->services.power, &sim::PowerCommands::powerChanged);
    click(item("cpcOk"));
    QVERIFY(!dialog->isVisible());
    QVERIFY(item("powerConnecting")->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!studio->recorder.powered, simlink::waitMs);
    QCOMPARE(powerChanged.count(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(graph->udpc.telnetPhase(), 0, simlink::waitMs);
    QVERIFY(studio->services.power.adminPasswordsReceived().contains(QStringLiteral("4321")));

    // In standby the recorder still answers, as switched off, and its row shows it.
    QTRY_VERIFY_WITH_TIMEOUT(rowItem(0, "powericon")->property("source").toString().contains("power_off"), simlink::waitMs);
    QVERIFY(rowItem(0, "admin_power_onoff_button")->isVisible());
    click(item("leaveAdminButton"));
    QVERIFY(!item("loginscreenbase")->property("admin_mode").toBool());
}

// Logged in to a recorder that then goes away: the login screen comes back and
// searches, the row turns to the unknown power state, and when the recorder
// answers again its row shows it by itself.
void TstLoginE2e::lostRecorderComesBackOnItsRow()
{
    click(rowItem(1, "card"));
    type(rowItem(1, "loginpasswd"), QStringLiteral("5678"));
    click(rowItem(1, "loginbutton"));
    QTRY_VERIFY_WITH_TIMEOUT(!loginScreenShown(), simlink::waitMs);
    click(item("tabPlaylistButton"));
    TRY_VERIFY(graph->permission.okPermission());

    hall->services.discovery.answering = false;
    hall->recorder.stop();
    hall->recorder.disconnectAll();
    QTRY_VERIFY_WITH_TIMEOUT(loginScreenShown() && graph->comm.getLoginState() == 0, simlink::waitMs);
    QVERIFY(graph->udpc.isDiscoveryRunning());
    // The edit right went with the link.
    QVERIFY(!graph->permission.okPermission());
    QCOMPARE(graph->permission.getKeepAliveTimerId(), 0);
    // Three list cycles without an answer (about ten seconds).
    QTRY_VERIFY_WITH_TIMEOUT(rowItem(1, "powericon")->property("source").toString().contains("question"), simlink::waitMs);
    QVERIFY(!rowItem(0, "powericon")->property("source").toString().contains("question")); // still answering
    QCOMPARE(rowItem(1, "nickname")->property("color").value<QColor>(), QColor("#878787"));
    click(rowItem(1, "card"));
    QVERIFY(!rowItem(1, "loginbutton")->isVisible());
    shoot(QStringLiteral("e2e_unknown_power.png"));

    QVERIFY(hall->recorder.start());
    hall->services.discovery.answering = true;
    QTRY_VERIFY_WITH_TIMEOUT(rowItem(1, "powericon")->property("source").toString().contains("power_on"), simlink::waitMs);
    QVERIFY(rowItem(1, "loginbutton")->isVisible());
}

void TstLoginE2e::closesWithoutQmlWarnings()
{
    app.close();
    QCOMPARE(windowrig::takeWarnings(), QStringList());
}

QTEST_MAIN(TstLoginE2e)

#include "tst_login_e2e.moc"
