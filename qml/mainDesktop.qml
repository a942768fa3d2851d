import QtQuick 2.8
import QtQuick.Window 2.2
import "popupmessages.js" as PopupMessages

// The application window: five screens under a tab bar, fitted to the design
// canvas of 1242 x 2148 pixels (414 x 716 units), and the overlays above them.
Window {
    id: appWindow
    visible: true
    width: 450
    height: 815
    minimumWidth: 348
    minimumHeight: 631
    title: "KELDAR KZ470 CONTROL"

    // The canvas plus the 35-unit header (751 / 716 = 1.04888) fits the window.
    property real appHeight: width * 2148 > height / 1.04888 * 1242 ? height / 1.04888 : width * 2148 / 1242
    property real appWidth: appHeight * 1242 / 2148
    property real ptSize: appHeight / 716
    property real headerHeight: ptSize * 35
    property int screenSelect: 0
    property int oldMessage: 0

    // Shows the text of a message code.
    function execPopup(message) {
        oldMessage = PopupMessages.show(popup, oldMessage, message)
    }

    Rectangle {
        anchors.fill: parent
        color: "black"

        HomeScreen {
            id: homeScreen
            width: appWidth
            height: appHeight
            anchors.centerIn: parent
            anchors.verticalCenterOffset: headerHeight * 0.5
            visible: screenSelect === 0
        }

        MenuScreen {
            id: menuScreen
            width: appWidth
            height: appHeight
            anchors.centerIn: parent
            anchors.verticalCenterOffset: headerHeight * 0.5
            visible: screenSelect === 1
        }

        BrowseScreen {
            id: browseScreen
            width: appWidth
            height: appHeight
            anchors.centerIn: parent
            anchors.verticalCenterOffset: headerHeight * 0.5
            visible: screenSelect === 2 && permission.okPermission
        }

        PlaylistScreen {
            id: playlistScreen
            width: appWidth
            height: appHeight
            anchors.centerIn: parent
            anchors.verticalCenterOffset: headerHeight * 0.5
            visible: screenSelect === 3 && permission.okPermission
        }

        TimerEventScreen {
            id: timerEventScreen
            width: appWidth
            height: appHeight
            anchors.centerIn: parent
            anchors.verticalCenterOffset: headerHeight * 0.5
            visible: screenSelect === 4 && permission.okPermission
        }

        // Another control application holds the edit right.
        DialogNoButton {
            visible: screenSelect > 1 && !permission.okPermission
            text: "Not available.\nAnother KZ470 Control app is currently accessing the Browse, Playlists or Timer Event Pages."
        }

        // 2000 pixels high, so it paints the whole band above the screen area.
        Rectangle {
            id: tabBar
            color: "#BBBBBB"
            width: appWindow.width
            height: 2000
            anchors.bottom: homeScreen.top
            anchors.left: parent.left

            HeaderTab {
                id: tabHomeButton
                objectName: "tabHomeButton"
                width: ptSize * 80
                anchors.bottom: parent.bottom
                anchors.horizontalCenter: parent.horizontalCenter
                anchors.horizontalCenterOffset: (width - appWidth) * 0.5
                selected: screenSelect === 0
                icon: "Resource/tab/home.svg"
                selectedIcon: "Resource/tab/home_white.svg"
                iconWidth: 24.901
                iconHeight: 21.491
                onClicked: {
                    permission.returnPermission()
                    screenSelect = 0
                }
            }

            HeaderTab {
                id: tabMenuButton
                objectName: "tabMenuButton"
                width: tabHomeButton.width
                anchors.bottom: parent.bottom
                anchors.left: tabHomeButton.right
                anchors.leftMargin: ptSize * 3.5
                selected: screenSelect === 1
                icon: "Resource/tab/menu.svg"
                selectedIcon: "Resource/tab/menu_white.svg"
                iconWidth: 44.691
                iconHeight: 20.125
                onClicked: {
                    permission.returnPermission()
                    screenSelect = 1
                }
            }

            HeaderTab {
                id: tabBrowseButton
                objectName: "tabBrowseButton"
                width: tabHomeButton.width
                anchors.bottom: parent.bottom
                anchors.left: tabMenuButton.right
                anchors.leftMargin: ptSize * 3.5
                selected: screenSelect === 2
                icon: "Resource/tab/browse.svg"
                selectedIcon: "Resource/tab/browse_white.svg"
                iconWidth: 32.667
                iconHeight: 22.168
                onClicked: {
                    permission.requestPermission()
                    screenSelect = 2
                }
            }

            HeaderTab {
                id: tabPlaylistButton
                objectName: "tabPlaylistButton"
                width: tabHomeButton.width
                anchors.bottom: parent.bottom
                anchors.left: tabBrowseButton.right
                anchors.leftMargin: ptSize * 3.5
                selected: screenSelect === 3
                icon: "Resource/tab/playlist.svg"
                selectedIcon: "Resource/tab/playlist_white.svg"
                iconWidth: 44.351
                iconHeight: 26.507
                onClicked: {
                    permission.requestPermission()
                    screenSelect = 3
                }
            }

            HeaderTab {
                objectName: "tabTimerEventButton"
                width: tabHomeButton.width
                anchors.bottom: parent.bottom
                anchors.left: tabPlaylistButton.right
                anchors.leftMargin: ptSize * 3.5
                selected: screenSelect === 4
                icon: "Resource/tab/timerevent.svg"
                selectedIcon: "Resource/tab/timerevent_white.svg"
                iconWidth: 44.627
                iconHeight: 26.632
                onClicked: {
                    permission.requestPermission()
                    screenSelect = 4
                }
            }
        }
    }

    // A new link holds no edit right: ask again for a tab that needs it.
    Connections {
        target: comm
        function onLoginCompChanged() {
            if (comm.loginComp && screenSelect >= 2)
                permission.requestPermission()
        }
    }

    // A grant refreshes the models of the three screens that need the right.
    Connections {
        target: permission
        function onOkPermissionChanged() {
            if (permission.okPermission === true) {
                browse.restartBrowse()
                tev.startTimerEvent()
                pl.initAll()
            }
        }
    }

    PhantomOnPopup {
        id: phantomOnPopup
        y: ptSize * 10
        anchors.horizontalCenter: parent.horizontalCenter

        Connections {
            target: menu
            function onPhantomOnPopup(page, item, subitem, value) {
                phantomOnPopup.show(page, item, subitem, value)
            }
        }
    }

    LockScreen {
        id: lockScreen
        homeShown: homeScreen.visible
    }

    DialogNoButton {
        id: busyDialog
        visible: browse.dialogString.length !== 0
        text: browse.dialogString
    }

    LoginScreen {
        id: loginScreen
        anchors.fill: parent
        visible: !comm.loginComp
    }

    PopupMessage {
        id: popup
        y: ptSize * 10
        anchors.horizontalCenter: parent.horizontalCenter

        Connections {
            target: comm
            function onPopupReceived(message) {
                execPopup(message)
            }
        }

        Connections {
            target: pl
            function onExecFailed() {
                execPopup(200)
            }
        }

        Connections {
            target: browse
            function onExecFailed() {
                execPopup(200)
            }
        }

        Connections {
            target: tev
            function onExecFailed() {
                execPopup(200)
            }
        }
    }
}
