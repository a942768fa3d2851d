import QtQuick 2.8
import QtTest 1.1
import "shell.js" as Shell

// The screens the edit right allows, and what a grant refreshes (the tab
// clicks are driven end to end).
TestCase {
    name: "MainWindow"
    when: windowShown

    property var win: null

    function init() {
        Shell.resetFakes([permission, browse, tev, pl])
        permission.okPermission = false
        comm.loginComp = true
        win = Shell.open(450, 815)
        tryCompare(win.contentItem, "height", 815)
    }

    function cleanup() {
        win.destroy()
        win = null
    }

    function test_screenVisibility_data() {
        return [
            { tag: "home", select: 0, ok: false, shown: 0, notice: false },
            { tag: "menu", select: 1, ok: false, shown: 1, notice: false },
            { tag: "timer event", select: 4, ok: false, shown: -1, notice: true }
        ]
    }

    function test_screenVisibility(data) {
        permission.okPermission = data.ok
        win.screenSelect = data.select
        for (var i = 0; i < 5; ++i)
            compare(Shell.screen(win, i).visible, i === data.shown, "screen " + i)
        compare(Shell.notice(win).visible, data.notice)
        if (data.notice)
            verify(Shell.notice(win).text.indexOf("Not available.\nAnother KZ470 Control app") === 0)
    }

    function test_grantRefreshesModels() {
        win.screenSelect = 3
        permission.okPermission = true
        var calls = browse.calls.concat(tev.calls, pl.calls).sort(function(a, b) { return a.seq - b.seq })
        compare(Shell.names(calls), ["restartBrowse", "startTimerEvent", "initAll"])

        // Losing the right shows the notice and calls nothing.
        permission.okPermission = false
        verify(Shell.notice(win).visible)
        verify(!Shell.screen(win, 3).visible)
        compare(browse.calls.length + tev.calls.length + pl.calls.length, 3)

        // Every grant refreshes again, whichever screen is shown.
        win.screenSelect = 0
        permission.okPermission = true
        compare(Shell.names(pl.calls), ["initAll", "initAll"])
        compare(permission.calls, [])
    }
}
