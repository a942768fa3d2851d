import QtQuick 2.8
import QtTest 1.1
import "shell.js" as Shell

// The window's overlays: popup messages, the lock screen and the busy dialog;
// the modal windows of every screen, which keep the wheel from the list beneath.
TestCase {
    name: "Overlays"
    when: windowShown

    property var win: null
    property var popup: null
    property var lock: null

    function init() {
        Shell.resetFakes([permission])
        permission.okPermission = false
        comm.loginComp = true
        browse.dialogString = ""
        win = Shell.open(450, 815)
        tryCompare(win.contentItem, "height", 815)
        popup = Shell.overlay(win, "popup")
        lock = Shell.overlay(win, "lockScreen")
    }

    function cleanup() {
        win.destroy()
        win = null
        testContext.set("timerEventModel", [])
        testContext.set("browseModel", [])
    }

    function shownFully() {
        tryVerify(function() { return popup.opacity > 0.99 })
    }

    // True when the last code made the popup fade in anew: show() starts the
    // fade from transparent.
    function fadesInAgain() {
        return popup.opacity < 0.1
    }

    function test_popupTexts_data() {
        return [
            { code: 1, text: "Change of settings not currently permitted." },
            { code: 2, text: "Warning Detected. See Unit for details." },
            { code: 3, text: "Warning Detected. See Unit for details." },
            { code: 200, text: "Unable to complete this action." },
            { code: 7, text: "Unknown" }
        ]
    }

    function test_popupTexts(data) {
        comm.popupReceived(data.code)
        compare(popup.children[1].text, data.text)
        verify(popup.popupEnabled)
        compare(win.oldMessage, data.code)
    }

    function test_repeatRule() {
        comm.popupReceived(1)
        shownFully()
        comm.popupReceived(1)
        verify(!fadesInAgain(), "the same code is not shown twice")

        comm.popupReceived(2)
        verify(fadesInAgain())
        shownFully()
        comm.popupReceived(3)
        verify(fadesInAgain(), "another code with the same text shows")
        compare(win.oldMessage, 3)

        shownFully()
        comm.popupReceived(100)
        shownFully()
        comm.popupReceived(100)
        verify(fadesInAgain(), "a wrong password always shows again")

        shownFully()
        pl.execFailed()
        shownFully()
        browse.execFailed()
        verify(!fadesInAgain(), "a second failure is not shown while the first is up")

        // Tapped away, the same code shows again.
        mouseClick(popup)
        tryCompare(popup, "opacity", 0)
        browse.execFailed()
        verify(popup.popupEnabled)
        compare(popup.children[1].text, "Unable to complete this action.")
    }

    function test_tapDuringFadeInHides() {
        comm.popupReceived(2)
        mouseClick(popup)
        verify(!popup.popupEnabled)
        tryCompare(popup, "opacity", 0)
        wait(500) // nothing brings it back
        compare(popup.opacity, 0)
    }

    // The key on the home screen locks the window and puts unlockArea over itself.
    function lockWith(area) {
        var unlockArea = lock.children[0]
        unlockArea.x = area.x
        unlockArea.y = area.y
        unlockArea.width = area.width
        unlockArea.height = area.height
        lock.visible = true
        unlockArea.visible = true
        return unlockArea
    }

    function test_lockScreen() {
        var key = lockWith(Qt.rect(300, 600, 60, 60))

        // While the home screen shows, presses are swallowed.
        mouseDoubleClickSequence(win.contentItem, 100, 600)
        verify(lock.visible, "a double click must land on the unlock area")

        mouseDoubleClickSequence(key)
        verify(!lock.visible)

        // With another screen shown, any press unlocks (and goes no further).
        win.screenSelect = 1
        lockWith(Qt.rect(300, 600, 60, 60))
        mousePress(Shell.tab(win, 0))
        verify(!lock.visible)
        mouseRelease(Shell.tab(win, 0))
        compare(win.screenSelect, 1)

        // A popup lies above the lock and can be tapped away.
        lockWith(Qt.rect(300, 600, 60, 60))
        comm.popupReceived(1)
        shownFully()
        mouseClick(popup)
        verify(!popup.popupEnabled)
        verify(lock.visible)

        // Any change of the login state removes the lock.
        comm.loginComp = false
        verify(!lock.visible)
        lockWith(Qt.rect(300, 600, 60, 60))
        comm.loginComp = true
        verify(!lock.visible)
    }

    function test_busyDialogBlocksTheWindow() {
        var dialog = Shell.overlay(win, "busyDialog")
        verify(!dialog.visible)
        browse.dialogString = "Copying..."
        verify(dialog.visible)
        compare(dialog.text, "Copying...")
        mouseClick(Shell.tab(win, 2))
        compare(win.screenSelect, 0)
        compare(permission.calls, [])
        browse.dialogString = ""
        verify(!dialog.visible)
        mouseClick(Shell.tab(win, 2))
        compare(win.screenSelect, 2)
    }

    Component {
        id: timerEvent
        QtObject {
            property bool enable: true; property int eventType: 4; property string option: ""; property string date: "EVERY DAY"
            property string time: "00:00:00"; property int timeMode: 0; property string repeatIntervalTime: "00:00"; property int repeatEventCount: 1
        }
    }

    // Each window opened over a list longer than its screen: one on each tab
    // that has one, every timer-event editor.
    function test_modalWindowTakesTheWheel_data() {
        return ["Browse", "Filter", "Schedule", "TimeEdit", "RepeatEdit", "Type", "RecInput", "DlTarget", "PlayTarget"]
            .map(function(name) { return { tag: name, tab: 4, list: "timerEventListView", open: "timerEvent" + name + "Loader" } })
            .concat([
                { tag: "timer-event delete question", tab: 4, list: "timerEventListView", open: "deleteCheck" },
                { tag: "file menu", tab: 2, list: "browseListView", open: "browseMenuLoader" },
                { tag: "name input", tab: 2, list: "browseListView", open: "browseInputWindowLoader" },
                { tag: "copy picker", tab: 2, list: "browseListView", open: "browseFolderBrowseLoader" },
                { tag: "playlist name input", tab: 3, list: "pplArea", open: "plInputWindowLoader" },
                { tag: "playlist information", tab: 3, list: "pplArea", open: "plInfoWindowLoader" }
            ])
    }

    function test_modalWindowTakesTheWheel(data) {
        permission.okPermission = true
        comm.statusIcon = 16
        comm.currentMedia = "SD1"
        comm.playArea = data.tab === 3 ? "PLAYLIST" : "ALL"
        comm.playMode = "CONTINUE"
        var events = [], files = [], names = []
        for (var i = 0; i < 20; ++i) {
            events.push(timerEvent.createObject(win))
            files.push({ name: "take" + i + ".wav", number: i + 1, type: 1 })
            names.push("list" + i + ".ppl")
        }
        testContext.set("timerEventModel", events)
        testContext.set("browseModel", files)
        pl.pplNames = names
        win.screenSelect = data.tab
        pl.pplRecived(names.length - 1)
        var screen = Shell.screen(win, data.tab)
        var list = Shell.find(screen, data.list, true)
        mouseWheel(list, list.width / 2, list.height / 2, 0, -120)
        verify(list.moving, "the list takes the wheel while nothing lies over it")
        list.cancelFlick()
        list.contentY = list.originY
        var modal = Shell.find(screen, data.open)
        if (modal.sourceComponent === undefined)
            modal.visible = true // the delete question
        else
            modal = (modal.active = true, modal.item)
        // Near the top (the backdrop), in the middle and near the bottom,
        // wherever the window lies over the list.
        for (var at = 0.05; at < 1; at += 0.45) {
            var y = modal.mapToItem(list, 0, modal.height * at).y
            if (y > 0 && y < list.height) {
                mouseWheel(modal, modal.width / 2, modal.height * at, 0, -120)
                verify(!list.moving, "a wheel turn at " + at)
                compare(list.contentY, list.originY)
            }
        }
    }
}
