import QtQuick 2.8
import QtQuick.Window 2.2

// The window's lock. It covers the window and takes every press; while it
// shows it also holds the keyboard focus and takes every key, so that no key
// reaches the control that had the focus, nor Tab another one (a button, a
// slider or the settings window would act on a key as on a tap). Unlocked,
// it hands the focus back to that control; the window's key rule takes it
// from there again when the control no longer shows. The home screen's key
// shows the lock and places unlockArea over itself, where a double tap
// unlocks.
MouseArea {
    id: lockScreen
    objectName: "lockScreen"
    anchors.fill: parent
    visible: false

    property alias unlockArea: unlockArea
    // Whether the home screen, where the window was locked, still shows:
    // once another screen shows, any press unlocks (and goes no further).
    property bool homeShown: true
    // The item that had the focus when the window locked.
    property Item focusBefore: null

    onPressed: {
        if (!homeShown)
            lockScreen.visible = false
    }

    onVisibleChanged: {
        if (visible) {
            focusBefore = Window.activeFocusItem
            forceActiveFocus()
        } else {
            // A hidden item keeps the focus it holds.
            focus = false
            if (focusBefore)
                focusBefore.forceActiveFocus()
            focusBefore = null
        }
    }

    Keys.onPressed: event.accepted = true
    Keys.onReleased: event.accepted = true

    MouseArea {
        id: unlockArea
        objectName: "unlockArea"
        property bool takesSecondTap: true
        onDoubleClicked: lockScreen.visible = false
    }

    // Any change of the login ends the lock.
    Connections {
        target: comm
        function onLoginCompChanged() {
            lockScreen.visible = false
        }
    }
}
