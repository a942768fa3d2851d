import QtQuick 2.8
import QtTest 1.1
import "shell.js" as Shell
import "fakes/sequence.js" as Sequence

// The window's canvas fitting, its tab bar and the edit right.
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

    function left(item) { return item.mapToItem(null, 0, 0).x }
    function top(item) { return item.mapToItem(null, 0, 0).y }

    function test_canvasFitting_data() {
        return [
            { tag: "initial size", w: 450, h: 815, appHeight: 777.02, ptSize: 1.0852 },
            { tag: "canvas proportions", w: 414, h: 751, appHeight: 716.0, ptSize: 1.0 },
            { tag: "wider than the canvas", w: 900, h: 815, appHeight: 777.02, ptSize: 1.0852 },
            { tag: "taller than the canvas", w: 450, h: 1200, appHeight: 778.26, ptSize: 1.0870 },
            { tag: "at the minimum size", w: 348, h: 631, appHeight: 601.60, ptSize: 0.8402 }
        ]
    }

    function test_canvasFitting(data) {
        win.width = data.w
        win.height = data.h
        tryCompare(win.contentItem, "width", data.w)
        tryCompare(win.contentItem, "height", data.h)
        fuzzyCompare(win.appHeight, data.appHeight, 0.01)
        fuzzyCompare(win.ptSize, data.ptSize, 0.0001)
        fuzzyCompare(win.appWidth, win.appHeight * 1242 / 2148, 1e-9)
        fuzzyCompare(win.headerHeight, 35 * win.ptSize, 1e-9)

        // The screen area is centred (to the pixel); the grey band above it is
        // one header higher than the black band below it.
        var home = Shell.screen(win, 0)
        fuzzyCompare(left(home), (data.w - win.appWidth) / 2, 1)
        fuzzyCompare(top(home) - (data.h - top(home) - win.appHeight), win.headerHeight, 1)

        // The tab row spans the screen area exactly and sits on its top edge.
        var bar = Shell.tabBar(win)
        compare(bar.width, data.w)
        compare(top(bar) + bar.height, top(home))
        fuzzyCompare(left(Shell.tab(win, 0)), left(home), 1)
        fuzzyCompare(left(Shell.tab(win, 4)) + Shell.tab(win, 4).width, left(home) + win.appWidth, 1)
        for (var i = 0; i < 5; ++i)
            compare(top(Shell.tab(win, i)), top(home) - win.headerHeight)
    }

    function test_tabClick_data() {
        return [
            { tag: "home", index: 0, from: 3, call: "returnPermission" },
            { tag: "menu", index: 1, from: 2, call: "returnPermission" },
            { tag: "browse", index: 2, from: 0, call: "requestPermission" },
            { tag: "playlist", index: 3, from: 1, call: "requestPermission" },
            { tag: "timer event", index: 4, from: 0, call: "requestPermission" }
        ]
    }

    function test_tabClick(data) {
        win.screenSelect = data.from
        var switchedAt = -1
        win.screenSelectChanged.connect(function() { switchedAt = Sequence.next() })

        mouseClick(Shell.tab(win, data.index))
        compare(win.screenSelect, data.index)
        compare(Shell.names(permission.calls), [data.call])
        verify(permission.calls[0].seq < switchedAt, "the permission call comes before the switch")

        // A click on the tab already selected repeats the call.
        mouseClick(Shell.tab(win, data.index))
        compare(Shell.names(permission.calls), [data.call, data.call])
        compare(win.screenSelect, data.index)
    }

    function test_screenVisibility_data() {
        return [
            { tag: "home", select: 0, ok: false, shown: 0, notice: false },
            { tag: "home, right held", select: 0, ok: true, shown: 0, notice: false },
            { tag: "menu", select: 1, ok: false, shown: 1, notice: false },
            { tag: "menu, right held", select: 1, ok: true, shown: 1, notice: false },
            { tag: "browse", select: 2, ok: false, shown: -1, notice: true },
            { tag: "browse, right held", select: 2, ok: true, shown: 2, notice: false },
            { tag: "playlist", select: 3, ok: false, shown: -1, notice: true },
            { tag: "playlist, right held", select: 3, ok: true, shown: 3, notice: false },
            { tag: "timer event", select: 4, ok: false, shown: -1, notice: true },
            { tag: "timer event, right held", select: 4, ok: true, shown: 4, notice: false }
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
