import QtQuick 2.8
import QtQuick.Controls 2.1
import QtTest 1.1
import "qrc:/"

// The settings-menu rows on their own, for what a recorder cannot provoke:
// reports outside the range, the choice row before its first value, and an
// empty menu (drawn without a scroll bar).
Item {
    id: appWindow
    width: 450
    height: 800

    property real ptSize: 1
    property real appWidth: 414
    property real appHeight: 716

    Component { id: rangeRow; MenuItemRangeObject { width: 414; height: 50 } }
    Component { id: choiceRow; MenuItemObject { width: 414; height: 50; property int pageNumber: 0; property int itemNumber: 0 } }
    Component { id: screen; MenuScreen { width: 414; height: 716 } }

    SignalSpy { id: spy }

    // The window's popup message, as far as the confirmation uses it.
    Item { id: popup; property int hides: 0; function hide() { hides++ } }
    PhantomOnPopup { id: phantom }

    TestCase {
        name: "MenuRows"
        when: windowShown

        function make(component) {
            var row = createTemporaryObject(component, appWindow)
            spy.clear()
            spy.target = row
            return row
        }

        // The model writes a report into oldIndex, then rangeData.
        function test_rangeReports_data() {
            return [
                { n: 0, text: "-1000 msec", knob: -1000 },
                { n: 98, text: "-20 msec", knob: -20 },
                { n: 200, text: "+1000 msec", knob: 1000 },
                { n: 255, text: "+1550 msec", knob: 1000 }
            ]
        }

        function test_rangeReports(data) {
            var row = make(rangeRow)
            spy.signalName = "rangeSelected"
            row.oldIndex = data.n * 10 - 1000
            row.rangeData = data.n * 10 - 1000
            compare(row.valueText, data.text)
            compare(findChild(row, "rangeSlideBar").value, data.knob)
            compare(spy.count, 0)
            // A knob left between steps is sent as the step it shows.
            findChild(row, "rangeSlideBar").value = -529.9999
            compare(spy.signalArguments[0][0], -530)
        }

        function test_choiceBeforeFirstValue() {
            var row = make(choiceRow)
            spy.signalName = "comboBoxSelected"
            var box = findChild(row, "menuComboBox")
            for (var n = 0; n < 3; n++)
                row.modelList.append({ "modelData": "C" + n })
            row.comboBoxCurrentIndex = 3
            row.oldIndex = 3
            compare(box.displayText, "")
            box.currentIndex = 0
            box.activated(0)
            compare(spy.count, 1) // any pick goes out, the first one too
            row.comboBoxCurrentIndex = 1 // the recorder's report
            row.oldIndex = 1
            box.activated(1)
            box.currentIndex = 2
            box.activated(2)
            box.activated(2)
            compare(spy.signalArguments.map(function(a) { return a[0] }), [0, 2])
        }

        // The entries the open drop-down shows, by text.
        function entries(box) {
            var list = box.popup.contentItem.contentItem.children, found = {}
            for (var n = 0; n < list.length; n++) {
                if (list[n].visible && list[n].contentItem)
                    found[list[n].contentItem.text] = list[n]
            }
            return found
        }

        // A tap reports the entry it reached, as the list holds it then, and
        // which list the row holds; never the index the box makes of it. A
        // list replaced while the drop-down is closed shows as it opens; one
        // replaced under the open drop-down leaves entries that are in no
        // list until they are laid out again: a tap on one reports none.
        function test_pickIsTheEntryTapped_data() {
            return [
                { tag: "the list shown", replaced: "", tap: "B", index: 1 },
                { tag: "replaced while closed", replaced: "closed", tap: "Y", index: 1 },
                { tag: "the entry shown before, replaced while closed", replaced: "closed", tap: "B", index: -2 },
                { tag: "replaced while open", replaced: "open", tap: "B", index: -1 }
            ]
        }

        function test_pickIsTheEntryTapped(data) {
            var row = make(choiceRow)
            spy.signalName = "comboBoxSelected"
            var box = findChild(row, "menuComboBox")
            var fill = function(names, generation) {
                row.modelList.clear()
                for (var n = 0; n < names.length; n++)
                    row.modelList.append({ "modelData": names[n] })
                row.listGeneration = generation
            }
            fill(["A", "B", "C"], 7)
            row.comboBoxCurrentIndex = 0
            row.oldIndex = 0
            mouseClick(box)
            tryVerify(function() { return box.popup.opened })
            wait(50) // laid out
            if (data.replaced === "closed") {
                box.popup.close()
                tryVerify(function() { return !box.popup.visible })
                fill(["X", "Y"], 8)
                mouseClick(box)
                tryVerify(function() { return box.popup.opened })
            } else if (data.replaced === "open") {
                fill(["X", "Y"], 8)
            }
            var entry = entries(box)[data.tap]
            if (data.index === -2) {
                verify(!entry, "an entry of the list before")
                return
            }
            mouseClick(entry)
            compare(spy.count, 1)
            var picked = spy.signalArguments[0]
            compare([picked[0], picked[1], picked[2]], [data.index, data.tap, data.replaced ? 8 : 7])
        }

        // Hidden while it still fades in, the confirmation ends hidden.
        function test_confirmationHiddenDuringFadeIn() {
            phantom.show(1, 2, 3, 1)
            compare(popup.hides, 1)
            wait(50)
            verify(phantom.opacity > 0 && phantom.opacity < 1)
            phantom.hide()
            tryCompare(phantom, "opacity", 0)
            wait(500)
            compare(phantom.opacity, 0)
            verify(!findChild(phantom, "phantomOkButton").visible)
        }

        function test_emptyMenuIsDrawn() {
            menu.drawingFinished = false
            var menuScreen = createTemporaryObject(screen, appWindow)
            menu.menuCompleted()
            verify(menu.drawingFinished)
            var area = findChild(menuScreen, "menuArea")
            compare(area.contentHeight, 0)
            verify(!area.ScrollBar.vertical.visible, "no scroll bar for a list that fits")
        }
    }
}
