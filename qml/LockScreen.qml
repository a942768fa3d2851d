import QtQuick 2.8

// The window's lock. It covers the window and takes every press. The home
// screen's key shows it and places unlockArea over itself, where a double tap
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

    onPressed: {
        if (!homeShown)
            lockScreen.visible = false
    }

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
