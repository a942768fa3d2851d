import QtQuick 2.15
import QtTest 1.1
import "fakes"

// Login by typed address, the admin-mode switch and the app password that
// guards admin mode, with the administrator controls of the recorder rows.
LoginTestCase {
    name: "LoginManualAndAdmin"

    SignalSpy {
        id: messages
        signalName: "popupReceived"
    }

    function showManualView() {
        for (var n = 0; n < screen.click_limit; ++n)
            mouseClick(part("loginTitle"))
        verify(part("loginold").visible)
        udpc.calls = []
    }

    function test_manualLogin_data() {
        return [
            { tag: "Enter in password", enter: true, address: "10.47.0.12", password: "5678", hidesPopup: false },
            { tag: "both empty", enter: false, address: "", password: "", hidesPopup: true }
        ]
    }

    function test_manualLogin(data) {
        makeScreen([])
        showManualView()
        udpc.loginedNickname = "Hall"
        host.popup.show("Invalid password.")
        part("address").text = data.address
        part("password").text = data.password
        if (data.enter)
            part("password").accepted()
        else
            mouseClick(part("loginButton"))
        compare(comm.calls.length, 1)
        compare(comm.calls[0].args, [data.address, data.password])
        compare(udpc.loginedNickname, "")
        compare(host.popup.popupEnabled, !data.hidesPopup)
    }

    function test_manualLoginWhileConnecting() {
        makeScreen([])
        showManualView()
        comm.loginState = 1
        var button = part("loginButton")
        compare(button.contentItem.text, "Connecting")
        verify(!button.enabled)
        // Enter in the password field does not look at the state.
        part("password").accepted()
        compare(comm.calls.length, 1)
    }

    // The lock is dragged along its track, and at either end it stays at that
    // end when the window changes size.
    function test_lockKeepsItsEndOnResize_data() {
        return [ { tag: "put back by the layer", drag: 0, end: 1 },
                 { tag: "dragged back to the right end", drag: 1, end: 1 },
                 { tag: "dragged to the left end", drag: -1, end: 0 } ]
    }

    function test_lockKeepsItsEndOnResize(data) {
        makeScreen([])
        var shuttle = part("shuttle")
        var track = shuttle.parent.width - shuttle.width
        if (data.drag === 0) {
            openLayer()
            mouseClick(part("new_close"))
        } else {
            udpc.initCompleted()
            // Released half way, the lock stays there: no snapping either way.
            mouseDrag(shuttle, shuttle.width / 2, shuttle.height / 2, -track / 2, 0)
            verify(shuttle.x > 2 && shuttle.x < track, "x " + shuttle.x)
            verify(!part("admin_button").visible)
            // Dragged past an end it stops there.
            mouseDrag(shuttle, shuttle.width / 2, shuttle.height / 2, data.drag * track, 0)
            compare(part("admin_button").visible, data.end === 0)
        }
        host.width = 700
        host.height = 1200
        tryVerify(function() { return shuttle.parent.width - shuttle.width > track + 10 })
        compare(shuttle.x, data.end * (shuttle.parent.width - shuttle.width))
    }

    function test_lockThreshold_data() {
        return [ { tag: "x 1", x: 1, button: true }, { tag: "x 2", x: 2, button: false } ]
    }

    function test_lockThreshold(data) {
        makeScreen([])
        udpc.initCompleted()
        part("shuttle").x = data.x
        compare(part("admin_button").visible, data.button)
        compare(String(part("shuttle").source).indexOf("lock_on") >= 0, data.button)
    }

    function openLayer() {
        udpc.initCompleted()
        part("shuttle").x = 0
        mouseClick(part("admin_button"))
        verify(part("app_passwd").visible)
        verify(!part("grand_kirikae").visible)
        messages.target = part("popup1")
        messages.clear()
    }

    function test_closeLeavesAdminModeOff_data() {
        return [ { tag: "set-password panel", stored: "", close: "new_close" },
                 { tag: "password-entry panel", stored: "secret", close: "app_close" } ]
    }

    function test_closeLeavesAdminModeOff(data) {
        makeScreen([])
        udpc.appPassword = data.stored
        openLayer()
        compare(part("requirenewpasswd").visible, data.stored === "")
        compare(part("requireapppasswd").visible, data.stored !== "")
        mouseClick(part(data.close))
        verify(!part("app_passwd").visible)
        verify(!screen.admin_mode)
        var shuttle = part("shuttle")
        compare(shuttle.x, shuttle.parent.width - shuttle.width)
        verify(!part("admin_button").visible)
    }

    function test_setAppPassword_data() {
        return [
            { tag: "different", first: "abc", second: "abd", message: "Passwords mismatched" },
            { tag: "second empty", first: "abc", second: "", message: "Passwords mismatched" },
            { tag: "first empty", first: "", second: "abc", message: "Passwords mismatched" },
            { tag: "both empty", first: "", second: "", message: "Please enter a password" },
            { tag: "case differs", first: "Abc", second: "abc", message: "Passwords mismatched" }
        ]
    }

    // Refused app passwords (an accepted one is set on the login road end to end).
    function test_setAppPassword(data) {
        makeScreen([])
        openLayer()
        part("newpasswd1").text = data.first
        part("newpasswd2").text = data.second
        mouseClick(part("newEnter"))
        compare(messages.count, 1)
        compare(messages.signalArguments[0][0], data.message)
        verify(part("popup1").popupEnabled)
        verify(part("app_passwd").visible)
        verify(!screen.admin_mode)
        compare(udpc.callsOf("saveAppPass").length, 0)
        compare(part("newpasswd1").text, data.first)
    }

    function test_enterAppPassword_data() {
        return [
            { tag: "wrong", typed: "secreT", admin: false },
            { tag: "empty", typed: "", admin: false },
            { tag: "right", typed: "secret", admin: true },
            { tag: "right, Enter does not act in the layer", typed: "secret", enter: true, admin: false }
        ]
    }

    function test_enterAppPassword(data) {
        makeScreen([])
        udpc.appPassword = "secret"
        openLayer()
        part("apppasswd1").text = data.typed
        if (data.enter)
            part("apppasswd1").accepted()
        else
            mouseClick(part("appEnter"))
        compare(screen.admin_mode, data.admin)
        compare(part("app_passwd").visible, !data.admin)
        if (data.admin) {
            compare(messages.count, 0)
            compare(part("apppasswd1").text, "")
            verify(!Qt.colorEqual(screen.color, "black"))
        } else {
            compare(messages.count, data.enter ? 0 : 1)
            if (!data.enter)
                compare(messages.signalArguments[0][0], "Passwords mismatched")
            compare(part("apppasswd1").text, data.typed)
        }
    }

    function test_adminRowControls_data() {
        return [
            { tag: "on", count: 0, power: 1, powerButton: true, caption: "ON", restart: true, action: "turn off" },
            { tag: "standby", count: 0, power: 0, powerButton: true, caption: "OFF", restart: false, action: "turn on" },
            { tag: "not answering", count: 4, power: 1, powerButton: false, restart: false }
        ]
    }

    function test_adminRowControls(data) {
        var rec = recorder({ nickname: "Hall", macaddr: "aa:bb", count: data.count, powerstate: data.power,
                             adminpass: "stored" })
        makeScreen([rec])
        screen.admin_mode = true
        var power = rowPart(0, "admin_power_onoff_button")
        compare(power.visible, data.powerButton)
        compare(rowPart(0, "admin_restart_button").visible, data.restart)
        verify(!rowPart(0, "adminpasswd").visible)
        if (data.powerButton) {
            // On a row not selected the first tap only selects it.
            mouseClick(power)
            compare(screen.selected_index, 0)
            verify(!screen.f_visibleCPC)
            compare(power.children[0].text, data.caption)
            mouseClick(power)
            verify(screen.f_visibleCPC)
            compare(screen.cpcAction, data.action)
            compare(screen.cpcNickname, "Hall")
            compare(screen.cpcIndex, 0)
        } else {
            mouseClick(rowPart(0, "card"))
        }
        // The admin password can be stored whatever the recorder's state.
        var field = rowPart(0, "adminpasswd")
        verify(field.visible)
        compare(field.text, "stored")
        field.text = "admin1"
        field.accepted()
        compare(udpc.callsOf("saveAdminPass")[0].args, ["aa:bb", "admin1"])
        screen.f_visibleCPC = false
        mouseClick(rowPart(0, "savebutton"))
        compare(udpc.callsOf("saveAdminPass").length, 2)
        compare(screen.selected_index, 0)
    }
}
