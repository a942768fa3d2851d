import QtQuick 2.15
import QtTest 1.1
import "fakes"

// Pictures of the login screen for people to look at: the recorder list with
// recorders in different states, the connecting overlay, admin mode, the
// manual login view and the app-password layer. Written to tests/screenshots/
// in the build tree.
LoginTestCase {
    name: "LoginShots"
    width: 621
    height: 1074

    function listedRecorders() {
        return [
            recorder({ nickname: "Studio A", modelname: "KZ-470MX", ipaddr: "10.47.0.11", macaddr: "m1",
                       cmedia: "SD1", cmediaicon: 2, transporticon: 2, ippass: "1234" }),
            recorder({ nickname: "Main Hall", modelname: "KZ-470DUAL", ipaddr: "10.47.0.12", macaddr: "m2",
                       cmedia: "CD", cmediaicon: 3, transporticon: 3 }),
            recorder({ nickname: "Archive", modelname: "KZ-470DUAL", ipaddr: "10.47.0.14", macaddr: "m4",
                       powerstate: 0, cmedia: "", cmediaicon: 0, transporticon: 0 }),
            recorder({ nickname: "Foyer", modelname: "KZ-470MX", ipaddr: "10.47.0.15", macaddr: "m5",
                       count: 5, cmedia: "SD2", cmediaicon: 2, transporticon: 4 })
        ]
    }

    function shoot(file) {
        waitForRendering(host)
        wait(500) // toasts and fades settle
        var saved = false
        var path = testContext.screenshotPath(file)
        verify(host.grabToImage(function (result) { saved = result.saveToFile(path) }))
        tryVerify(function () { return saved }, 5000, "cannot write " + path)
    }

    function prepare(skipped) {
        makeScreen(listedRecorders().filter(function (r) { return r.nickname !== skipped }))
        host.width = width
        host.height = height
        udpc.initCompleted()
    }

    function test_recorderList() {
        // Three rows leave the refresh control in sight above the admin band.
        prepare("Archive")
        mouseClick(rowPart(0, "card"))
        shoot("login_list.png")
    }

    function test_connecting() {
        prepare("Archive")
        comm.loginState = 1
        shoot("login_connecting.png")
    }

    function test_adminMode() {
        prepare()
        screen.admin_mode = true
        mouseClick(rowPart(1, "card"))
        shoot("login_admin.png")
        mouseClick(rowPart(1, "admin_power_onoff_button"))
        shoot("login_admin_confirm.png")
    }

    function test_manualLogin() {
        prepare()
        comm.address = "10.47.0.11"
        comm.password = "1234"
        for (var n = 0; n < screen.click_limit; ++n)
            mouseClick(part("loginTitle"))
        part("shuttle").x = 0
        shoot("login_manual.png")
    }

    function test_appPassword() {
        prepare()
        part("shuttle").x = 0
        mouseClick(part("admin_button"))
        part("newpasswd1").text = "abc"
        part("newpasswd2").text = "abd"
        mouseClick(part("newEnter"))
        shoot("login_app_password.png")
    }
}
