import QtQuick 2.15
import QtTest 1.1
import "shell.js" as Shell

// The portrait main window: the pages and the edit right they need, the
// failure message, the screen lock and the overlays. (The message
// codes are shared with the desktop window and checked there.)
TestCase {
    id: testCase
    name: "MainPortrait"
    when: windowShown

    property var window: null

    function part(name) {
        var item = findChild(window.contentItem, name)
        verify(item !== null, "no " + name)
        return item
    }

    function openWindow() {
        testContext.takeWarnings()
        comm.loginComp = false
        browse.dialogString = ""
        Shell.resetFakes([comm, browse, pl, tev, permission])
        permission.okPermission = false
        var component = Qt.createComponent("qrc:/main.qml")
        compare(component.status, Component.Ready, component.errorString())
        window = createTemporaryObject(component, testCase)
        verify(window !== null)
        waitForRendering(window.contentItem)
        permission.calls = []
    }

    function cleanup() {
        var warnings = testContext.takeWarnings()
        compare(warnings.length, 0, warnings.join("\n"))
    }

    function page(index) {
        return part(["homePage", "menuPage", "browsePage", "playlistPage", "timerEventPage"][index])
    }

    function popupText() {
        var popup = part("popup")
        for (var i = 0; i < popup.children.length; ++i) {
            if (popup.children[i].text !== undefined)
                return popup.children[i]
        }
        fail("the popup shows no text")
    }

    function test_pagesNeedTheEditRight() {
        openWindow()
        comm.loginComp = true
        var swipe = part("swipeView")
        swipe.setCurrentIndex(1)
        compare(Shell.names(permission.calls), ["returnPermission"])
        permission.calls = []

        swipe.setCurrentIndex(2)
        compare(Shell.names(permission.calls), ["requestPermission"])
        verify(page(2).item.text.indexOf("Not available.") === 0)
        compare(browse.calls.length + tev.calls.length + pl.calls.length, 0)

        browse.calls = []
        permission.okPermission = true
        var calls = browse.calls.concat(tev.calls, pl.calls).sort(function(a, b) { return a.seq - b.seq })
        compare(Shell.names(calls), ["restartBrowse", "startTimerEvent", "initAll"])
        verify(page(2).item.text === undefined, "the screen replaces the notice")

        // Moving between the editing pages asks again each time.
        permission.calls = []
        swipe.setCurrentIndex(3)
        swipe.setCurrentIndex(4)
        compare(Shell.names(permission.calls), ["requestPermission", "requestPermission"])

        // Losing the right calls nothing and brings the notice back.
        browse.calls = []
        permission.okPermission = false
        compare(browse.calls.length, 0)
        verify(page(4).item.text.indexOf("Not available.") === 0)

        permission.calls = []
        swipe.setCurrentIndex(0)
        compare(Shell.names(permission.calls), ["returnPermission"])
    }


    function test_screenLock() {
        openWindow()
        comm.loginComp = true
        var lock = part("lockScreen")
        var unlock = part("unlockArea")
        var swipe = part("swipeView")
        unlock.width = 40
        unlock.height = 40
        lock.visible = true
        mousePress(lock, 200, 300)
        mouseRelease(lock, 200, 300)
        verify(lock.visible, "a press on the home page keeps the lock")
        mouseDoubleClickSequence(unlock, 20, 20)
        verify(!lock.visible)

        lock.visible = true
        swipe.setCurrentIndex(1)
        mousePress(lock, 200, 300)
        mouseRelease(lock, 200, 300)
        verify(!lock.visible, "a press on another page releases the lock")

        lock.visible = true
        comm.loginComp = false
        verify(!lock.visible, "any change of the login releases the lock")
    }

    function fingerTaps(item, count) {
        for (var i = 0; i < count; ++i) {
            touchEvent(item).press(0, item, item.width / 2, item.height / 2).commit()
            touchEvent(item).release(0, item, item.width / 2, item.height / 2).commit()
        }
    }

    // The home screen's key locks this window too, by a finger's double tap,
    // and puts the unlock area over itself, where a double tap unlocks. Keys
    // reach the key that had the focus only while the window is unlocked.
    function test_lockKeyByFinger() {
        openWindow()
        comm.loginComp = true
        var lock = part("lockScreen"), unlock = part("unlockArea"), key = part("lockButton")
        mouseClick(part("displayButton"))
        verify(comm.displayMode)
        fingerTaps(key, 2)
        verify(lock.visible)
        keyClick(Qt.Key_Space)
        keyClick(Qt.Key_Tab)
        keyClick(Qt.Key_Space)
        verify(comm.displayMode, "a key went through the lock")
        var over = unlock.mapToItem(null, 0, 0), under = key.mapToItem(null, 0, 0)
        fuzzyCompare(over.x, under.x, 0.5)
        fuzzyCompare(over.y, under.y, 0.5)
        compare(unlock.width, key.width)
        wait(500) // a new burst of taps
        fingerTaps(unlock, 2)
        verify(!lock.visible)
        keyClick(Qt.Key_Space)
        verify(!comm.displayMode)
    }

    function test_overlays() {
        openWindow()
        compare(part("swipeView").currentIndex, 0)
        verify(part("loginScreen").visible)
        comm.loginComp = true
        verify(!part("loginScreen").visible)
        comm.loginComp = false
        verify(part("loginScreen").visible)

        browse.dialogString = "Sorting"
        verify(part("busyDialog").visible)
        browse.dialogString = ""
        verify(!part("busyDialog").visible)

        menu.phantomOnPopup(1, 2, 3, 4)
        var phantom = part("phantomOnPopup")
        compare([phantom.page, phantom.item, phantom.subitem, phantom.value], [1, 2, 3, 4])

        // A failed command shows its message.
        pl.execFailed()
        compare(popupText().text, "Unable to complete this action.")
        part("popup").hide()
        popupText().text = ""
        browse.execFailed()
        compare(popupText().text, "Unable to complete this action.")
    }
}
