import QtQuick 2.15
import QtQuick.Window 2.15
import QtQuick.Controls 2.15
import "popupmessages.js" as PopupMessages

// The portrait main window: the five screens as pages of a swipe view with a
// page indicator, the login screen over them until a recorder is logged in,
// and the window-wide overlays. All documents lay out on a 1242 x 2148 pixel
// design canvas; 716 units span its height.
Window {
    id: appWindow
    visible: true
    width: 463
    height: 800
    minimumWidth: 0
    minimumHeight: 0
    title: "KELDAR KZ470 CONTROL"

    property real appHeight: Math.min(height, width * 2148 / 1242)
    property real appWidth: appHeight * 1242 / 2148
    property real ptSize: appHeight / 716
    property int oldMessage: 0

    // Shows the text of a message code.
    function execPopup(message) {
        oldMessage = PopupMessages.show(popup, oldMessage, message)
    }

    Rectangle {
        anchors.fill: parent
        color: "black"

        SwipeView {
            id: swipeView
            objectName: "swipeView"
            anchors.fill: parent
            currentIndex: pageIndicator.currentIndex

            // The edit right is held only while a page that edits recorder data shows.
            onCurrentIndexChanged: {
                if (currentIndex > 1)
                    permission.requestPermission()
                else
                    permission.returnPermission()
            }

            Loader {
                objectName: "homePage"
                active: SwipeView.isCurrentItem || SwipeView.isPreviousItem
                sourceComponent: Component { HomeScreen {} }
            }

            MenuScreen {
                objectName: "menuPage"
            }

            Loader {
                objectName: "browsePage"
                active: SwipeView.isCurrentItem || SwipeView.isNextItem || SwipeView.isPreviousItem
                sourceComponent: permission.okPermission ? browseScreenComponent : ngPermissionComponent
            }

            Loader {
                objectName: "playlistPage"
                active: SwipeView.isCurrentItem || SwipeView.isNextItem || SwipeView.isPreviousItem
                sourceComponent: permission.okPermission ? playlistScreenComponent : ngPermissionComponent
            }

            Loader {
                objectName: "timerEventPage"
                active: SwipeView.isCurrentItem || SwipeView.isNextItem
                sourceComponent: permission.okPermission ? timerEventScreenComponent : ngPermissionComponent
            }
        }

        PageIndicator {
            id: pageIndicator
            objectName: "pageIndicator"
            anchors.top: parent.top
            anchors.horizontalCenter: parent.horizontalCenter
            interactive: true
            count: swipeView.count
            currentIndex: swipeView.currentIndex

            delegate: Item {
                implicitWidth: 12 * ptSize
                implicitHeight: 12 * ptSize
                opacity: index === pageIndicator.currentIndex ? 1.0 : pressed ? 0.9 : 0.6

                Behavior on opacity {
                    OpacityAnimator {
                        duration: 200
                    }
                }

                Rectangle {
                    anchors.centerIn: parent
                    implicitWidth: (index === pageIndicator.currentIndex ? 12 : 8) * ptSize
                    implicitHeight: implicitWidth
                    radius: width / 2
                    color: index === pageIndicator.currentIndex ? "white" : "#909090"
                }
            }
        }
    }

    Component {
        id: browseScreenComponent
        BrowseScreen {}
    }

    Component {
        id: playlistScreenComponent
        PlaylistScreen {}
    }

    Component {
        id: timerEventScreenComponent
        TimerEventScreen {}
    }

    Component {
        id: ngPermissionComponent
        DialogNoButton {
            text: "Not available.\nAnother KZ470 Control app is currently accessing the Browse, Playlists or Timer Event Pages."
        }
    }

    PhantomOnPopup {
        id: phantomOnPopup
        objectName: "phantomOnPopup"
        y: 10 * ptSize
        anchors.horizontalCenter: parent.horizontalCenter
    }

    LockScreen {
        id: lockScreen
        homeShown: swipeView.currentIndex === 0
    }

    DialogNoButton {
        id: busyDialog
        objectName: "busyDialog"
        text: browse.dialogString
        visible: browse.dialogString.length !== 0
    }

    LoginScreen {
        id: loginScreen
        objectName: "loginScreen"
        anchors.fill: parent
        visible: !comm.loginComp
    }

    PopupMessage {
        id: popup
        objectName: "popup"
        y: 10 * ptSize
        anchors.horizontalCenter: parent.horizontalCenter
    }

    Connections {
        target: menu
        function onPhantomOnPopup(page, item, subitem, value) {
            phantomOnPopup.show(page, item, subitem, value)
        }
    }

    Connections {
        target: comm
        function onLoginCompChanged() {
            // A new link holds no edit right: ask again for a page that needs it.
            if (comm.loginComp && swipeView.currentIndex > 1)
                permission.requestPermission()
        }
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

    // A grant refreshes the models of the three pages that need the right.
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
}
