import QtQuick 2.15
import QtTest 1.1
import "fakes"

// The power confirmation dialog, and the login screen's own message toast
// above the "Connecting..." overlays.
LoginTestCase {
    name: "LoginPowerAndOverlays"

    property var rows: []

    function makeAdminScreen() {
        rows = [recorder({ nickname: "Hall", macaddr: "aa:01", count: 1 }),
                recorder({ nickname: "Booth", macaddr: "aa:02", count: 0, powerstate: 0 })]
        makeScreen(rows)
        screen.admin_mode = true
    }

    function openDialog(action, index) {
        screen.f_visibleCPC = true
        screen.cpcAction = action
        screen.cpcNickname = rows[index] ? rows[index].nickname : "gone"
        screen.cpcIndex = index
        verify(part("confirmPowerControl").visible)
    }

    function test_confirm_data() {
        return [
            { tag: "turn on", action: "turn on", index: 1, call: "turnOnMachine", mac: "aa:02", counts: [1, 5] },
            { tag: "restart", action: "restart", index: 0, call: "restartMachine", mac: "aa:01", counts: [6, 0] }
        ]
    }

    function test_confirm(data) {
        makeAdminScreen()
        openDialog(data.action, data.index)
        compare(part("cpcQuestion").text, "OK to " + data.action + "?")
        mouseClick(part("cpcOk"))
        compare(names(udpc.calls), [data.call])
        compare(udpc.calls[0].args, [data.mac])
        compare(rows.map(function (r) { return r.count }), data.counts)
        verify(!screen.f_visibleCPC)
        verify(!part("confirmPowerControl").visible)
    }

    // Without an action OK keeps the dialog; Cancel closes it and sends
    // nothing, and the dialog keeps its last state for the next opener to overwrite.
    function test_cancelSendsNothing_data() {
        return [
            { tag: "unknown action", action: "turn sideways", index: 0, ok: true },
            { tag: "row gone from the list", action: "turn off", index: 2, ok: true },
            { tag: "cancelled", action: "turn off", index: 0, ok: false }
        ]
    }

    function test_cancelSendsNothing(data) {
        makeAdminScreen()
        openDialog(data.action, data.index)
        if (data.ok) {
            mouseClick(part("cpcOk"))
            verify(screen.f_visibleCPC)
        }
        mouseClick(part("cpcCancel"))
        compare(udpc.calls.length, 0)
        compare(rows.map(function (r) { return r.count }), [1, 0])
        verify(!screen.f_visibleCPC)
        verify(!part("confirmPowerControl").visible)
        compare(screen.cpcAction, data.action)
    }

    function test_messagesShowAboveOverlays() {
        makeScreen([])
        comm.loginState = 1
        udpc.telnetPhase = 1
        var popup1 = part("popup1")
        udpc.popupMessage("ERROR: login failed Hall")
        verify(popup1.popupEnabled)
        // The toast lies above both overlays, so a tap on it hides it.
        mouseClick(popup1)
        verify(!popup1.popupEnabled)
    }
}
