import QtQuick 2.8
import QtTest 1.1
import "shell.js" as Shell
import "fakes"

// The timer-event screen on fake objects, for the rules the simulator cannot
// provoke: days chosen on the calendar and in the filter keep their date in a
// time zone west of UTC (this test runs in New York time), the row's display
// rules, the delete confirmation and the availability notice.
TestCase {
    name: "TimerEventScreen"
    when: windowShown

    property var win: null
    property var screen: null

    // File 3, "a.wav", listed in LIVE, for a tap on its row.
    BrowseRow { id: rowA; name: "a.wav"; number: 3; type: 1; folder: "LIVE" }

    function init() {
        Shell.resetFakes([permission, tev])
        tev.filter = 0
        tev.focus = -1
        tev.mediaCD = false
        tev.disabledAreaAndMode = false
        permission.okPermission = true
        comm.loginComp = true
        win = Shell.open(450, 815)
        win.screenSelect = 4
        screen = Shell.screen(win, 4)
    }

    function cleanup() {
        win.destroy()
        testContext.set("timerEventModel", [])
    }

    // Searched through the visual tree, where loaded dialogs and delegates hang.
    function find(item, name) {
        if (item.objectName === name && item.visible)
            return item
        for (var i = 0; i < item.children.length; ++i) {
            var found = find(item.children[i], name)
            if (found)
                return found
        }
        return null
    }
    function names(calls) { return Shell.names(tev.calls) }
    function dayOf(date) { return [date.getFullYear(), date.getMonth() + 1, date.getDate()] }

    function test_dateFilterKeepsItsDay() {
        tev.filter = 2
        tev.filterDate = new Date(Date.UTC(2017, 9, 26)) // as a date of the model arrives
        compare(find(screen, "filterLabel").text, "2017/10/26")
        mouseClick(find(screen, "filterButton"))
        mouseClick(find(screen, "filterOk")) // unchanged
        compare(dayOf(tev.calls[0].args[0]), [2017, 10, 26])

        mouseClick(find(screen, "filterButton"))
        var grid = find(screen, "monthGrid")
        mouseClick(find(grid, "day15"))
        mouseClick(find(screen, "filterOk"))
        compare(dayOf(tev.calls[1].args[0]), [grid.year, grid.month + 1, 15])
        verify(!find(screen, "filterOk"), "closed")
    }

    function test_calendarStopsAtItsYears() {
        mouseClick(find(screen, "filterButton"))
        var grid = find(screen, "monthGrid")
        grid.year = 2000; grid.month = 0
        mouseClick(find(screen, "previousMonth"))
        compare([grid.year, grid.month], [2000, 0])
        grid.year = 2099; grid.month = 11
        mouseClick(find(screen, "nextMonth"))
        compare([grid.year, grid.month], [2099, 11])
        grid.year = 2017
        mouseClick(find(screen, "nextMonth"))
        compare([grid.year, grid.month], [2018, 0])
        mouseClick(find(screen, "filterCancel"))
        compare(tev.calls, [])
    }

    function test_everyMonthScheduleOpensAndSaves() {
        tev.dateOfFocus = "2017/00/31"
        findChild(screen, "timerEventScheduleLoader").active = true
        var grid = find(screen, "monthGrid")
        grid.year = 2017; grid.month = 3 // April has no 31st
        verify(find(grid, "day31") === null || !Qt.colorEqual(find(grid, "day31").color, "#64A5DD"))
        grid.month = 2
        verify(Qt.colorEqual(find(grid, "day31").color, "#64A5DD"))
        mouseClick(find(screen, "scheduleOk"))
        compare(names(), ["changeDate"])
        compare(dayOf(tev.calls[0].args[0]), [2017, 1, 31])
        compare(tev.calls[0].args[1], true)
    }

    function test_dateModeWithoutADayChangesNothing() {
        tev.dateOfFocus = "EVERY DAY"
        findChild(screen, "timerEventScheduleLoader").active = true
        mouseClick(find(screen, "scheduleEveryMonth"))
        mouseClick(find(screen, "scheduleOk"))
        compare(tev.calls, [])
        verify(!findChild(screen, "timerEventScheduleLoader").active)
    }

    function test_deleteConfirmationFollowsItsRow() {
        var check = findChild(screen, "deleteCheck")
        tev.focus = 1
        check.number = 1
        check.visible = true
        compare(check.text, "Delete selected event?")
        tev.focus = -1 // the list was rebuilt
        verify(!check.visible)
        check.number = -1
        check.visible = true
        tev.focus = 2
        verify(check.visible, "delete all stays")
        mouseClick(find(screen, "deleteOk"))
        compare(tev.calls[0].args, [-1])
    }

    Component {
        id: event
        QtObject {
            property bool enable: true
            property int eventType: 0
            property string option: ""
            property string date: "EVERY DAY"
            property string time: "00:00:00"
            property int timeMode: 0
            property string repeatIntervalTime: "00:00"
            property int repeatEventCount: 1
        }
    }

    function test_rowDisplayRules() {
        testContext.set("timerEventModel", [
            event.createObject(screen, { eventType: 7, date: "_M_____", option: "\\LIVE\\TAKE1.wav" }),
            event.createObject(screen, { eventType: 0, timeMode: 1, date: "2018/00/15", option: "DL" })
        ])
        var list = find(screen, "timerEventListView")
        tryCompare(list, "count", 2)
        var first = list.itemAtIndex(0), second = list.itemAtIndex(1)
        compare(find(first, "rowTypeIcon").source.toString(), "")
        verify(!find(first, "rowTimeMode"))
        compare(find(first, "rowOption").text, "TAKE1.wav")
        compare([0, 1, 2].map(function(i) { return find(first, "rowDay" + i).enable }), [false, true, false])
        compare(find(second, "rowTimeMode").text, "END TIME")
        compare(find(second, "rowDate").text, "2018/**/15")
    }

    // The browser's notice covers this page too: the tab is locked, its windows close.
    function test_browseNoticeLocksTheTab() {
        mouseClick(find(screen, "filterButton"))
        verify(!tev.locked)
        browse.browseDialogString = "busy"
        verify(tev.locked)
        verify(!findChild(screen, "timerEventFilterLoader").active)
        browse.browseDialogString = ""
        verify(!tev.locked)
    }

    function test_noticeTextAndReload() {
        var notice = findChild(screen, "timerEventNotice")
        tev.calls = []
        tev.disabledAreaAndMode = true
        tev.mediaCD = true
        verify(notice.text.indexOf("PLAY AREA is ALL") > 0)
        tev.disabledAreaAndMode = false
        compare(notice.text, "TIMER EVENT cannot be used while current media is CD.")
        compare(tev.calls, [])
        tev.mediaCD = false
        verify(!notice.visible)
        compare(names(), ["startTimerEvent"])
    }

    // The file picker let go by its Loader while its pick waits (closed by
    // anything but its Cancel) drops the pick at once: none can reach a
    // closed picker.
    function test_closedPickerDropsItsPick() {
        Shell.resetFakes([browse])
        browse.heldOwners = []
        browse.holdNext = true
        testContext.set("browseModel", [rowA])
        var loader = findChild(screen, "timerEventBrowseLoader")
        loader.active = true
        waitForRendering(loader.item)
        mouseClick(Shell.find(loader.item, "row_a.wav", true))
        verify(browse.isHeld(loader))
        loader.active = false
        compare(Shell.names(browse.calls), ["pickFile", "dropHeld"])
        browse.holdNext = false
        testContext.set("browseModel", [])
    }
}
