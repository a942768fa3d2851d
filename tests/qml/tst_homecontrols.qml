import QtQuick 2.8
import QtTest 1.1
import "shell.js" as Shell

// The home controls' rules that the simulated recorder cannot set up at
// will: which states open a list, lists closing each other, the settings
// window in a tall window, and the time-search fields.
TestCase {
    name: "HomeControls"
    when: windowShown

    property var win: null

    function init() {
        Shell.resetFakes([comm])
        comm.loginComp = true
        comm.statusIcon = 16
        comm.currentMedia = "SD1"
        menu.drawingFinished = true
        testContext.takeWarnings() // the last window's teardown
        win = Shell.open(450, 815)
        tryCompare(win.contentItem, "height", 815)
    }

    function cleanup() {
        compare(testContext.takeWarnings(), [])
        win.destroy()
        win = null
        menu.drawingFinished = false
    }

    function find(item, name) { return Shell.find(item, name) }
    function part(name) { return find(win.contentItem, name) }
    function press(name) { mouseClick(part(name)) }

    // The medium list also needs the play side, which 130 and 131 leave; no
    // list opens while the menu is read.
    function test_whichStatesOpenAList_data() {
        var rows = []
        var cases = [[0, true], [1, true], [16, true], [128, true], [17, false], [18, false], [255, false], [131, false],
                     ["16, menu read", false]]
        var lists = [["currentMediaButton", "homeCurrentMedia", "currentMediaDropdownVisible"],
                     ["playAreaButton", "homePlayArea", "playAreaDropdownVisible"],
                     ["playModeButton", "homePlayMode", "playModeDropdownVisible"]]
        for (var i = 0; i < cases.length; ++i)
            for (var j = 0; j < lists.length; ++j)
                rows.push({ tag: lists[j][1] + " at " + cases[i][0], status: parseInt(cases[i][0]), opens: cases[i][1],
                            button: lists[j][0], selector: lists[j][1], flag: lists[j][2] })
        return rows
    }

    function test_whichStatesOpenAList(data) {
        comm.statusIcon = data.status
        menu.drawingFinished = data.tag.indexOf("menu read") < 0
        part(data.selector).visible = true // a record state hides two of them
        press(data.button)
        compare(part(data.selector)[data.flag], data.opens)
    }

    function test_listsCloseEachOther() {
        var media = part("homeCurrentMedia"), area = part("homePlayArea"), mode = part("homePlayMode")
        var key = part("lockButton")
        press("currentMediaButton")
        press("playAreaButton")
        verify(!media.currentMediaDropdownVisible && area.playAreaDropdownVisible)
        press("playModeButton")
        verify(!area.playAreaDropdownVisible && mode.playModeDropdownVisible && !key.visible)
        press("currentMediaButton")
        verify(!mode.playModeDropdownVisible && media.currentMediaDropdownVisible && key.visible)
        verify(!part("mediaCD").visible, "no CD drive reported")
    }

    // The panel keeps its bottom on the screen area's bottom, also after the
    // window grows taller while it is open.
    function test_settingsWindowStaysInTheScreenArea() {
        press("gearButton")
        var slider = find(part("keyRow"), "slider")
        win.height = 1100
        tryCompare(win.contentItem, "height", 1100)
        var home = part("homeMain")
        var bottom = home.mapToItem(null, 0, home.height).y
        verify(slider.mapToItem(null, 0, slider.height).y <= bottom + 0.5)
        verify(slider.mapToItem(null, 0, 0).y >= home.mapToItem(null, 0, 0).y)
    }

    function test_timeSearchFields() {
        press("timeSearchButton")
        var track = part("timeSearchTrack"), hour = part("timeSearchHour")
        mouseClick(track)
        keyClick(Qt.Key_Return)
        verify(track.activeFocus, "Enter in an empty field keeps the focus")
        keyClick(Qt.Key_0)
        keyClick(Qt.Key_Return)
        verify(track.activeFocus, "0 is no track")
        mouseClick(hour)
        keyClick(Qt.Key_9)
        keyClick(Qt.Key_9)
        keyClick(Qt.Key_9)
        compare(hour.text, "99")
        press("timeSearchOk")
        // The texts go as typed; the status model refuses them.
        compare(comm.calls[0].args, ["0", "99", "", "", ""])
        verify(!part("timeSearchWindowLoader").active)
        press("timeSearchButton")
        compare(part("timeSearchTrack").text, "")
    }
}
