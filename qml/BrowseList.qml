import QtQuick 2.8
import QtQuick.Controls 2.1

// The folder the browse model shows: a title bar with the up button and the
// folder's name, and one row per sub-folder and file. A folder row opens the
// folder; a file row opens the browse screen's file menu (mode 1) or reports
// the file (modes 2 and 4); mode 3 lists folders only.
Item {
    id: browseList

    property int mode: 0
    property int footerSize: 0
    // Whose request a pick is: the picker's Loader, which drops it when it
    // lets the picker go (the picker itself can do nothing any more then).
    property QtObject owner: browseList

    // `folder`: the path of the folder whose row was picked ("" the root).
    signal clicked(int takeNumber, string name, string folder)

    // A file picked (modes 2 and 4) is reported once the browse model knows
    // that its number names it: at once, or after the folder has been read
    // again. A later pick takes the place of one that waits; the picker's
    // Cancel withdraws it, and its closing otherwise drops it (told).
    Connections {
        target: browse
        function onFilePicked(owner, number, name, folder) {
            if (owner === browseList.owner)
                browseList.clicked(number, name, folder)
        }
    }

    Rectangle {
        id: nowFolderTitle
        objectName: "nowFolderTitle"
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: mode === 1 ? 0 : ptSize * 14
        anchors.rightMargin: anchors.leftMargin
        height: ptSize * 59
        color: "#89A3D4"

        Image {
            id: upIcon
            objectName: "upIcon"
            x: ptSize * 15
            y: ptSize * 9
            smooth: false
            sourceSize.width: ptSize * 44.1
            source: browse.nowFolderNumber === 0 ? "Resource/Browse/icon_44x44_up-G.svg" : "Resource/Browse/icon_44x44_up-B.svg"

            // Taps add up, also while the folder asked for is on its way
            // and its name is being read: the key stays until the folder
            // the user asked for last is the root.
            MouseArea {
                objectName: "upKey"
                anchors.fill: parent
                visible: browse.canGoUp
                property bool takesSecondTap: true
                onClicked: {
                    browse.upFolder()
                    folderName.stopScroll()
                }
            }
        }

        TextTapScroll {
            id: folderName
            objectName: "folderName"
            x: ptSize * 71
            anchors.bottom: parent.bottom
            width: parent.width - ptSize * 73
            height: ptSize * 27
            font.pixelSize: ptSize * 20
            text: {
                var name = browse.nowFolderName
                if (browse.nowFolderNumber === 0)
                    return "ROOT"
                return name.substring(name.lastIndexOf("\\") + 1)
            }
        }

        Image {
            objectName: "currentBadge"
            x: ptSize * 71
            y: ptSize * 5
            smooth: false
            sourceSize.width: ptSize * 100
            source: "Resource/Browse/icon_100x24_current.svg"
            visible: browse.currentFolderNumber === browse.nowFolderNumber
        }
    }

    ListView {
        id: browseListView
        objectName: "browseListView"
        anchors.top: nowFolderTitle.bottom
        anchors.bottom: parent.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        clip: true
        model: browseModel
        footer: Item { height: footerSize }

        // The bar ends where the footer laid over the list's bottom begins;
        // the list's parent holds it so that the list does not size it.
        ScrollBar.vertical: ScrollBar {
            parent: browseListView.parent
            anchors.top: browseListView.top
            anchors.bottom: browseListView.bottom
            anchors.bottomMargin: footerSize
            anchors.right: browseListView.right
            anchors.rightMargin: mode === 2 || mode === 4 ? ptSize * 3 : 0
            visible: browseListView.contentHeight > browseListView.height
            contentItem: CommonScrollBarItem {}
        }

        delegate: Rectangle {
            id: row
            readonly property bool hidden: mode === 3 && modelData.type === 1
            width: mode === 1 ? ptSize * 404 : ptSize * 340
            height: hidden ? 0 : ptSize * 44
            anchors.horizontalCenter: parent ? parent.horizontalCenter : undefined
            radius: ptSize * 5
            color: index % 2 === 0 ? "#272727" : "black"
            visible: !hidden

            MouseArea {
                objectName: "row_" + modelData.name
                anchors.fill: parent
                onClicked: execEvent()

                // The entry is read once, before anything is sent, as a copy
                // that outlives the row: what the menu shows is the row that
                // was tapped. Every request carries the entry whole (number,
                // kind, name and the path of the folder that listed the row),
                // so that the model can tell when the number has gone to
                // another entry, and a path names the folder that listed the
                // row, not the one shown by the time it is used.
                function execEvent() {
                    var entry = modelData.entry(), at = index
                    if (entry.type === 0) {
                        folderName.stopScroll()
                        browse.openFolder(entry)
                    } else if (mode === 1) {
                        browseMenuLoader.entry = entry
                        browseMenuLoader.listViewIndex = at
                        browseMenuLoader.active = true
                        browse.queryInfo(entry, browseMenuLoader)
                    } else {
                        browse.pickFile(entry, browseList.owner)
                    }
                }

                Image {
                    id: icon
                    objectName: "rowIcon"
                    anchors.left: parent.left
                    smooth: false
                    sourceSize.height: ptSize * 44
                    source: modelData.type === 0
                            ? (modelData.number === browse.currentFolderNumber ? "Resource/Browse/icon_52x44_CurrentFolder.svg" : "Resource/Browse/icon_52x44_Folder.svg")
                            : (mode === 1 && modelData.number === browse.currentFileNumber ? "Resource/Browse/icon_52x44_FileCheck.svg" : "Resource/Browse/icon_52x44_File.svg")
                }

                TextTapScroll {
                    anchors.left: icon.right
                    anchors.leftMargin: mode === 1 ? ptSize * 18 : ptSize * 15
                    height: ptSize * 44
                    width: mode === 1 && modelData.type === 1 ? ptSize * 315 : ptSize * 271
                    font.pixelSize: ptSize * 18
                    color: "white"
                    verticalAlignment: Text.AlignVCenter
                    pressAndHoldMode: true
                    text: modelData.name
                    onClicked: parent.execEvent()
                }
            }

            Image {
                objectName: "menu_" + modelData.name
                anchors.right: parent.right
                anchors.rightMargin: ptSize * 20
                anchors.verticalCenter: parent.verticalCenter
                smooth: false
                sourceSize.width: ptSize * 36
                source: "Resource/Browse/icon_36x36_Menu.svg"
                visible: mode === 1 && modelData.type === 0

                MouseArea {
                    anchors.fill: parent
                    onClicked: {
                        browseMenuLoader.entry = modelData.entry()
                        browseMenuLoader.active = true
                    }
                }
            }
        }
    }

    // The folder is being read, or requests wait for it: white dots that
    // chase each other round, plain on the black list and still under the
    // dimming of a window opened over it.
    BusyIndicator {
        id: busy
        objectName: "browseBusy"
        anchors.centerIn: browseListView
        width: ptSize * 48
        height: width
        visible: browse.listing || browse.anyHeld
        running: visible

        // Made only while it shows: every list of the window has one.
        contentItem: Loader {
            active: busy.running
            sourceComponent: Item {
                RotationAnimator on rotation {
                    from: 0
                    to: 360
                    duration: 1200
                    loops: Animation.Infinite
                }

                Repeater {
                    model: 8
                    Rectangle {
                        readonly property real angle: index * Math.PI / 4
                        width: ptSize * 9
                        height: width
                        radius: width / 2
                        x: (parent.width - width) / 2 * (1 + Math.sin(angle))
                        y: (parent.height - height) / 2 * (1 - Math.cos(angle))
                        color: "white"
                        opacity: 0.3 + 0.7 * (index + 1) / 8
                    }
                }
            }
        }
    }
}
