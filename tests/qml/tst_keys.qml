import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Window 2.15
import QtTest 1.1

// The window's key rule on the ways a control stops showing that the
// application's screens reach only now and then: disabled and enabled again,
// covered by a modal backdrop, scrolled out of its list; and a drop-down's
// open list over its own box, which still takes the box's keys.
TestCase {
    name: "Keys"
    when: windowShown

    property int clicks: 0

    Window {
        id: window
        width: 400
        height: 400
        visible: true

        Flickable {
            id: list
            width: 200
            height: 100
            clip: true
            contentHeight: 1000
            Button { id: key; width: 100; height: 40; onClicked: clicks++ }
        }
        ComboBox {
            id: box
            y: 300
            width: 200
            model: ["ONE", "TWO", "THREE"]
            popup.y: height - popup.height // the list lies over the box
        }
        MouseArea { id: backdrop; anchors.fill: parent; visible: false }
    }

    // Keys go to the window that has the focus; the runner's own view takes
    // it once, some time after it shows.
    function initTestCase() {
        window.requestActivate()
        key.forceActiveFocus()
        tryVerify(function() { keyClick(Qt.Key_Space); return clicks > 0 })
    }

    function init() {
        clicks = 0
        list.contentY = 0
        key.enabled = true
        backdrop.visible = false
        box.currentIndex = 0
    }

    // The key takes the focus, goes, comes back: Space reaches nothing.
    function test_goneAndBack_data() {
        return [
            { tag: "disabled", away: function() { key.enabled = false }, back: function() { key.enabled = true } },
            { tag: "covered", away: function() { backdrop.visible = true }, back: function() { backdrop.visible = false } },
            { tag: "scrolled away", away: function() { list.contentY = 200 }, back: function() { list.contentY = 0 } },
        ]
    }

    function test_goneAndBack(data) {
        mouseClick(key)
        compare(clicks, 1)
        keyClick(Qt.Key_Space)
        compare(clicks, 2, "a key on a control that shows")
        data.away()
        keyClick(Qt.Key_Space)
        wait(50)
        data.back()
        wait(50)
        keyClick(Qt.Key_Space)
        compare(clicks, 2)
        verify(!key.activeFocus)
    }

    function test_openListTakesTheBoxKeys() {
        mouseClick(box)
        tryVerify(function() { return box.popup.opened })
        keyClick(Qt.Key_Down)
        keyClick(Qt.Key_Return)
        tryVerify(function() { return !box.popup.opened })
        compare(box.currentIndex, 1)
    }
}
