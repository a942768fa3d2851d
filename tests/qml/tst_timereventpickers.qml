import QtQuick 2.8
import QtTest 1.1
import "shell.js" as Shell

// The timer-event wheels and pickers on fake objects, for what a recorder
// cannot bring about: the wheels' texts at every size, the type picker's
// option resets the end-to-end test does not reach, the Dante row on a
// recorder without Dante, and editors left open when the list is reloaded.
TestCase {
    name: "TimerEventPickers"
    when: windowShown

    property var win: null
    property var screen: null

    function init() {
        Shell.resetFakes([tev])
        permission.okPermission = true
        comm.loginComp = true
        win = Shell.open(450, 815)
        win.screenSelect = 4
        screen = Shell.screen(win, 4)
    }
    function cleanup() { win.destroy() }
    function host(name) { return findChild(screen, name) }
    function calls() { return tev.calls.map(function(c) { return [c.name].concat(c.args) }) }

    function test_wheelTexts() {
        // editor, wheel, index, text
        var cases = [["TimeEdit", "hourTumbler", 0, "00"], ["TimeEdit", "hourTumbler", 23, "23"],
                     ["TimeEdit", "secTumbler", 9, "09"], ["RepeatEdit", "countTumbler", 0, "01"],
                     ["RepeatEdit", "countTumbler", 9, "10"], ["RepeatEdit", "countTumbler", 99, "100 "]]
        cases.forEach(function(c) {
            host("timerEvent" + c[0] + "Loader").active = true
            var wheel = findChild(host("timerEvent" + c[0] + "Loader").item, c[1])
            wheel.currentIndex = c[2]
            compare(String(wheel.currentItem.text), c[3], c[1] + " " + c[2])
        })
    }

    // Type and time mode at opening, rows tapped, the calls OK makes: the
    // pairs of types the end-to-end test does not take.
    function test_typeOk_data() {
        return [
            { tag: "record, play, record", type: 2, mode: 0, rows: [0, 3], calls: [["changeType", 2, 0]] },
            { tag: "download to play end", type: 4, mode: 0, rows: [1], calls: [["changeType", 0, 1], ["changeOption", ""]] },
            { tag: "stop kept", type: 3, mode: 0, rows: [], calls: [["changeType", 3, 0], ["changeOption", ""]] }
        ]
    }

    function test_typeOk(data) {
        var picker = host("timerEventTypeLoader")
        picker.eventType = data.type
        picker.timeMode = data.mode
        picker.active = true
        data.rows.forEach(function(row) { mouseClick(findChild(picker.item, "typeRow" + row)) })
        mouseClick(findChild(picker.item, "typeOk"))
        compare(calls(), data.calls)
        verify(!picker.active)
    }

    function test_danteRowOnlyWhereOfferedOrChosen() {
        var picker = host("timerEventRecInputLoader")
        // Dante offered, the event's input, whether the Dante row shows
        ;[[false, "ANALOG(BAL.)", false], [false, "DIGITAL(Dante)", true], [true, "", true]].forEach(function(c) {
            tev.enableDante = c[0]
            picker.recInput = c[1]
            picker.active = true
            compare(findChild(picker.item, "recInputRow4").visible, c[2], c[1])
            picker.active = false
        })
    }

    function test_reloadedListClosesTheEditors() {
        tev.focus = 0
        var editors = ["timerEventTimeEditLoader", "timerEventTypeLoader", "timerEventRecInputLoader"]
        editors.forEach(function(name) { host(name).active = true })
        host("timerEventFilterLoader").active = true
        tev.focus = -1
        compare(editors.map(function(name) { return host(name).active }), [false, false, false])
        verify(host("timerEventFilterLoader").active)
    }
}
