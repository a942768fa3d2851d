import QtQuick 2.15
import QtTest 1.1
import "fakes"

// What the login road end to end does not reach of the login screen's root and
// recorder list: the tap counter's cycle, what a change of visibility resets,
// which rows can log in, the selection, the login by Enter and the list's
// reaction to discovery's signals at its edges.
LoginTestCase {
    name: "LoginList"

    function tap(name) {
        mouseClick(part(name))
    }

    // Taps on the title and the logo count alike.
    function test_tapCounter() {
        var taps = ["loginTitle", "loginlogo"]
        makeScreen([])
        var listView = part("loginnew")
        var manualView = part("loginold")
        for (var n = 1; n <= 14; ++n) {
            tap(taps[n % taps.length])
            var manual = n >= 7 && n < 14
            compare(listView.visible, !manual, "list after tap " + n)
            compare(manualView.visible, manual, "manual view after tap " + n)
        }
        compare(screen.click_times, 0)
        // Discovery is asked to republish once as the manual view appears and
        // once as it goes.
        compare(udpc.callsOf("refreshList").length, 2)
    }

    function test_visibilityChange() {
        makeScreen([])
        var shuttle = part("shuttle")
        var popup1 = part("popup1")
        shuttle.x = 20
        popup1.show("message")
        udpc.showRefresh = true
        udpc.calls = []

        screen.visible = false
        compare(udpc.showRefresh, false)
        compare(names(udpc.calls), ["visibleStateChanged"])
        compare(udpc.calls[0].args[0], false)
        compare(popup1.popupEnabled, false)
        compare(shuttle.x, shuttle.parent.width - shuttle.width)

        udpc.showRefresh = true
        udpc.calls = []
        screen.visible = true
        compare(udpc.showRefresh, false)
        compare(udpc.calls[0].args[0], true)
        // Until discovery publishes a list, "Searching..." covers it.
        verify(part("login_searching").visible)
    }

    function test_rowReachability_data() {
        return [
            { tag: "three cycles silent", count: 3, power: 1, icon: "power_on", reachable: true },
            { tag: "answering and off", count: 0, power: 0, icon: "power_off", reachable: false }
        ]
    }

    function test_rowReachability(data) {
        makeScreen([recorder({ count: data.count, powerstate: data.power })])
        verify(String(rowPart(0, "powericon").source).indexOf(data.icon) >= 0,
               String(rowPart(0, "powericon").source))
        compare(row(0).f_communicatable, data.reachable)
        compare(Qt.colorEqual(rowPart(0, "nickname").color, "white"), data.reachable)

        mouseClick(rowPart(0, "card"))
        compare(screen.selected_index, 0)
        compare(rowPart(0, "loginpasswd").visible, data.reachable)
        compare(rowPart(0, "loginbutton").visible, data.reachable)
    }

    function test_selectionMovesAndClears() {
        makeScreen([recorder({ ippass: "one" }),
                    recorder({ nickname: "Studio B", macaddr: "00:11:22:33:44:02", ippass: "two" })])
        mouseClick(rowPart(0, "card"))
        verify(rowPart(0, "loginpasswd").visible)
        compare(rowPart(0, "loginpasswd").text, "one")

        mouseClick(rowPart(1, "card"))
        verify(!rowPart(0, "loginpasswd").visible)
        verify(rowPart(1, "loginpasswd").visible)
        compare(rowPart(1, "loginpasswd").text, "two")

        // The empty background below the list's rows is the footer.
        var footer = part("loginrefresh").parent
        mouseClick(footer, 10, footer.height - 10)
        compare(screen.selected_index, -1)

        // Between the title and the list nothing else takes a tap.
        mouseClick(rowPart(1, "card"))
        mouseClick(host, host.width / 2, 60 * host.ptSize)
        compare(screen.selected_index, -1)
    }

    function test_loginFromRow_data() {
        return [ { tag: "Login button", enter: false, typed: "new pass" },
                 { tag: "Enter in the field", enter: true, typed: "new pass" },
                 { tag: "empty password used as typed", enter: false, typed: "" } ]
    }

    function test_loginFromRow(data) {
        var rec = recorder({ nickname: "Hall", macaddr: "aa:bb", ippass: "old" })
        makeScreen([rec])
        host.popup.show("Invalid password.")
        mouseClick(rowPart(0, "card"))
        var field = rowPart(0, "loginpasswd")
        field.text = data.typed
        if (data.enter)
            field.accepted()
        else
            mouseClick(rowPart(0, "loginbutton"))

        compare(screen.selected_index, -1)
        compare(host.popup.popupEnabled, false)
        compare(udpc.loginedNickname, "Hall")
        compare(names(udpc.calls), ["saveIPPass", "checkAndLogin"])
        compare(udpc.calls[0].args, ["aa:bb", data.typed])
        compare(udpc.calls[1].args, ["aa:bb"])
        compare(rec.ippass, data.typed)
    }

    function test_unknownPowerState_data() {
        return [
            { tag: "first row", rows: 2, index: 0, counts: [5, 0] },
            { tag: "last row", rows: 2, index: 1, counts: [0, 5] },
            { tag: "listed by discovery after the last publication", rows: 2, index: 2, counts: [0, 0] },
            { tag: "nothing published yet", rows: 0, index: 0, counts: [] },
            { tag: "before any list", rows: -1, index: 0, counts: [] },
            { tag: "negative index", rows: 1, index: -1, counts: [0] }
        ]
    }

    function test_unknownPowerState(data) {
        var rows = []
        for (var i = 0; i < data.rows; ++i)
            rows.push(recorder({ macaddr: "m" + i }))
        makeScreen(rows)
        if (data.rows < 0)
            testContext.set("loginModel", undefined)
        udpc.changeToUnknownPowerState(data.index)
        compare(rows.map(function (r) { return r.count }), data.counts)
        if (data.index === 0 && data.rows > 0)
            verify(String(rowPart(0, "powericon").source).indexOf("question") >= 0)
    }
}
