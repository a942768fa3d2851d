import QtQuick 2.8
import QtTest 1.1
import "shell.js" as Shell

// The timer-event pickers and wheels on fake objects, for what a recorder
// cannot bring about: the wheels' texts at every size, the type picker's
// option resets for every pair of types, and record-input values that are
// none of the five labels or a Dante choice on a recorder without Dante.
TestCase {
    name: "TimerEventPickers"
    when: windowShown

    property var win: null
    property var screen: null

    function init() {
        Shell.resetFakes([tev])
        tev.enableDante = false
        permission.okPermission = true
        comm.loginComp = true
        win = Shell.open(450, 815)
        win.screenSelect = 4
        screen = Shell.screen(win, 4)
    }

    function cleanup() {
        win.destroy()
    }

    function loader(name) { return findChild(screen, name) }
    function calls() { return tev.calls.map(function(c) { return [c.name].concat(c.args) }) }

    function test_wheelTexts_data() {
        return [
            { tag: "hour", editor: "timerEventTimeEditLoader", wheel: "hourTumbler", cases: [[0, "00"], [7, "07"], [23, "23"]] },
            { tag: "second", editor: "timerEventTimeEditLoader", wheel: "secTumbler", cases: [[9, "09"], [59, "59"]] },
            { tag: "count", editor: "timerEventRepeatEditLoader", wheel: "countTumbler", cases: [[0, "01"], [8, "09"], [9, "10"], [98, "99"], [99, "100 "]] }
        ]
    }

    function test_wheelTexts(data) {
        loader(data.editor).active = true
        var wheel = findChild(loader(data.editor).item, data.wheel)
        for (var i = 0; i < data.cases.length; ++i) {
            wheel.currentIndex = data.cases[i][0]
            compare(String(wheel.currentItem.text), data.cases[i][1])
        }
    }

    // original type and mode, rows tapped, then the calls OK makes
    function test_typeOk_data() {
        return [
            { tag: "play end to repeat play", type: 0, mode: 1, rows: [2], calls: [["changeType", 1, 0]] },
            { tag: "play to record", type: 0, mode: 0, rows: [3], calls: [["changeType", 2, 0], ["changeRecInput", ""]] },
            { tag: "record, play, record", type: 2, mode: 0, rows: [0, 3], calls: [["changeType", 2, 0]] },
            { tag: "download to play", type: 4, mode: 0, rows: [1], calls: [["changeType", 0, 1], ["changeOption", ""]] },
            { tag: "play to download", type: 0, mode: 0, rows: [5], calls: [["changeType", 4, 0], ["changeOption", ""]] },
            { tag: "delete and download to download", type: 5, mode: 0, rows: [5], calls: [["changeType", 4, 0]] },
            { tag: "stop kept", type: 3, mode: 0, rows: [], calls: [["changeType", 3, 0], ["changeOption", ""]] },
            { tag: "record kept", type: 2, mode: 0, rows: [], calls: [["changeType", 2, 0]] }
        ]
    }

    function test_typeOk(data) {
        var host = loader("timerEventTypeLoader")
        host.eventType = data.type
        host.timeMode = data.mode
        host.active = true
        for (var i = 0; i < data.rows.length; ++i)
            mouseClick(findChild(host.item, "typeRow" + data.rows[i]))
        mouseClick(findChild(host.item, "typeOk"))
        compare(calls(), data.calls)
        verify(!host.active)
    }

    function test_typeCheckFollowsTheChoice() {
        var host = loader("timerEventTypeLoader")
        host.eventType = 0
        host.timeMode = 1
        host.active = true
        var check = findChild(host.item, "typeCheck")
        compare(check.y, findChild(host.item, "typeRow1").y + 10 * win.ptSize)
        verify(findChild(host.item, "typeRow1").selected && !findChild(host.item, "typeRow0").selected)
        mouseClick(findChild(host.item, "typeRow2"))
        compare([host.eventType, host.timeMode], [1, 0])
        compare(check.y, findChild(host.item, "typeRow2").y + 10 * win.ptSize)
    }

    // opening value, whether Dante is offered, the selected row (-1 none), the check's row, Dante shown
    function test_recInputRows_data() {
        return [
            { tag: "empty", value: "", dante: false, row: -1, check: 0, shown: false },
            { tag: "foreign", value: "DIGITAL(X)", dante: false, row: 3, check: 3, shown: false },
            { tag: "short", value: "ANALOG", dante: true, row: -1, check: 0, shown: true },
            { tag: "dante kept", value: "DIGITAL(Dante)", dante: false, row: 4, check: 4, shown: true }
        ]
    }

    function test_recInputRows(data) {
        var host = loader("timerEventRecInputLoader")
        tev.enableDante = data.dante
        host.recInput = data.value
        host.active = true
        for (var i = 0; i < 5; ++i)
            compare(findChild(host.item, "recInputRow" + i).selected, i === data.row, "row " + i)
        compare(findChild(host.item, "recInputCheck").y, findChild(host.item, "recInputRow" + data.check).y + 10 * win.ptSize)
        compare(findChild(host.item, "recInputRow4").visible, data.shown)
        mouseClick(findChild(host.item, "recInputOk"))
        compare(calls(), [["changeRecInput", data.value]])
    }

    function test_danteHidesOnceLeft() {
        var host = loader("timerEventRecInputLoader")
        host.recInput = "DIGITAL(Dante)"
        host.active = true
        var dante = findChild(host.item, "recInputRow4")
        mouseClick(findChild(host.item, "recInputRow1"))
        verify(!dante.visible)
        mouseClick(findChild(host.item, "recInputCancel"))
        compare(tev.calls, [])
        compare(host.recInput, "ANALOG(BAL.)")
    }

    function test_reloadedListClosesTheEditors() {
        tev.focus = 0
        var editors = ["timerEventTimeEditLoader", "timerEventTypeLoader", "timerEventRecInputLoader"]
        editors.forEach(function(name) { loader(name).active = true })
        loader("timerEventFilterLoader").active = true
        tev.focus = -1
        compare(editors.map(function(name) { return loader(name).active }), [false, false, false])
        verify(loader("timerEventFilterLoader").active)
        compare(tev.calls, [])
    }
}
