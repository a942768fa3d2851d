import QtQuick 2.8

// Modal picker over a screen: the browse model's folder list in a box, with
// a footer bar whose buttons depend on the mode (2 a file for a playlist
// entry, 3 a copy destination, 4 a timer event's playback file). It never
// closes itself: its user deactivates the Loader that holds it.
Rectangle {
    id: browseWindow
    color: "#99000000"

    property alias mode: browseListWindow.mode
    // Whether "Paste" acts (the screen keeps it off while the shown folder's
    // name is still being read). Dimmed, it still takes its taps, so that
    // none reaches the footer's cancel area beneath.
    property bool pasteEnabled: true
    // Whose request a pick is; its host sets its Loader, which drops a pick
    // that waits when it closes the picker (dropHeld) for any reason but
    // the picker's own Cancel.
    property alias owner: browseListWindow.owner

    signal clicked(int takeNumber, string name, string folder)
    signal clickedFolder()
    signal clickedCancel()
    signal clickedInput()

    // The user's Cancel, or a turn to typing the path, forgets a pick that
    // waits; any other closing of the picker drops it, and the user is told.
    function cancel() {
        browse.withdrawHeld(owner)
        clickedCancel()
    }

    ModalArea {
        onClicked: cancel()
    }

    Rectangle {
        anchors.top: parent.top
        anchors.horizontalCenter: parent.horizontalCenter
        width: ptSize * 368
        height: ptSize * 643
        radius: ptSize * 14
        border.width: ptSize * 4
        border.color: "#707070"
        color: "black"

        MouseArea {
            anchors.fill: parent
        }

        BrowseList {
            id: browseListWindow
            objectName: "pickerList"
            anchors.fill: parent
            anchors.topMargin: ptSize * 19
            anchors.bottomMargin: ptSize * 4
            footerSize: windowFooter.height
            onClicked: browseWindow.clicked(takeNumber, name, folder)
        }

        Image {
            id: windowFooter
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.bottom: parent.bottom
            anchors.bottomMargin: ptSize * 4
            sourceSize.width: ptSize * 360.1
            source: "Resource/Browse/area_360x55_cancel.svg"

            MouseArea {
                anchors.fill: parent
                onClicked: cancel()
            }

            MouseArea {
                objectName: "pasteButton"
                width: ptSize * 80
                height: ptSize * 50
                anchors.centerIn: parent
                anchors.horizontalCenterOffset: -ptSize * 90
                visible: mode === 3
                opacity: pasteEnabled ? 1 : 0.5
                onClicked: {
                    if (pasteEnabled)
                        clickedFolder()
                }

                Text {
                    anchors.centerIn: parent
                    text: "Paste"
                    color: "white"
                    font.pixelSize: ptSize * 20
                    textFormat: Text.PlainText
                }
            }

            Image {
                anchors.centerIn: parent
                anchors.horizontalCenterOffset: -ptSize * 90
                smooth: false
                sourceSize.width: ptSize * 47
                source: "Resource/Browse/icon_47x30_rename-W.svg"
                visible: mode === 4

                MouseArea {
                    anchors.fill: parent
                    onClicked: {
                        browse.withdrawHeld(owner)
                        clickedInput()
                    }
                }
            }

            MouseArea {
                objectName: "cancelButton"
                width: ptSize * 80
                height: ptSize * 50
                anchors.centerIn: parent
                anchors.horizontalCenterOffset: mode === 3 || mode === 4 ? ptSize * 90 : 0
                onClicked: cancel()

                Text {
                    anchors.centerIn: parent
                    text: "Cancel"
                    color: "white"
                    font.pixelSize: ptSize * 20
                    textFormat: Text.PlainText
                }
            }
        }
    }
}
