import QtQuick 2.15
import "qrc:/"

// A window stand-in for the login screen: the window-level names the screen
// reads by name (appWindow, ptSize, appWidth, appHeight, popup,
// phantomOnPopup), with the screen filling it.
Rectangle {
    id: appWindow
    color: "black"
    width: 463
    height: 800

    property real appHeight: Math.min(height, width * 2148 / 1242)
    property real appWidth: appHeight * 1242 / 2148
    property real ptSize: appHeight / 716
    property alias screen: loginScreen
    property alias popup: popup

    PhantomOnPopup {
        id: phantomOnPopup
    }

    LoginScreen {
        id: loginScreen
        anchors.fill: parent
    }

    PopupMessage {
        id: popup
        y: 10 * ptSize
        anchors.horizontalCenter: parent.horizontalCenter
    }
}
