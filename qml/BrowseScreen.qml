import QtQuick 2.8

// The browse tab: the folders and files of the current medium with the tools
// to make and sort folders, rename, delete, copy, select and undo. All data
// and every request belong to the browse model; the two Loaders carry the
// subject of a menu or a name window from the tap that opens it to the
// handler that acts on it.
Item {
    id: browseScreen

    // Nothing may change the medium: read-only, not stopped, or not playing on.
    property bool browseReadOnly: permission.isReadOnly || comm.statusIcon !== 16 || comm.playMode !== "CONTINUE"
    // Not even a file can be selected.
    property bool browseSelectOnly: permission.isReadOnly || (comm.statusIcon !== 16 && comm.statusIcon !== 17)
                                    || comm.playMode === "RANDOM" || comm.playMode === "PROGRAM"
                                    || (comm.playArea === "PLAYLIST" && comm.playMode === "SINGLE")
    // The paste target and set-to-current need the shown folder's name,
    // which a re-read empties for a while.
    readonly property bool folderNameKnown: browse.nowFolderNumber === 0 || browse.nowFolderName !== ""
    // Nothing may change the medium, and the tab's windows close: besides
    // the read-only states, while the notice covers the tab or the edit
    // right is not held (it is given back when the home or menu tab is
    // chosen).
    readonly property bool locked: browseReadOnly || browseNotice.due || !permission.okPermission

    Binding {
        target: browse
        property: "locked"
        value: browseScreen.locked
    }

    onLockedChanged: {
        if (locked)
            closeAll()
    }

    // The index in the list read last of the row listed as `entry`: the same
    // number, kind and name in the same folder; -1 when it has none or no
    // entry is given. `at` is tried first.
    function indexOf(entry, at) {
        if (!entry)
            return -1
        var list = browseModel
        for (var i = -1; i < list.length; ++i) {
            var k = i < 0 ? at : i
            if (k >= 0 && k < list.length && list[k].number === entry.number && list[k].name === entry.name
                    && list[k].type === entry.type && list[k].folder === entry.folder)
                return k
        }
        return -1
    }

    // Requests carry the entry of their row (number, kind, name and the
    // folder that listed it); the browse model keeps one whose row was read
    // before the recorder numbered its entries anew, and sends or drops it
    // once the folder has been read again. The name window and the delete
    // question make their requests as their own: while one waits, the window
    // stays open and says so, OK in the name window puts the name confirmed
    // last in its place, and Cancel withdraws it. It closes by itself once
    // its request has gone or been dropped. When the application closes the
    // window (the link or the medium goes, the tab allows no edit any more,
    // the home or menu tab is chosen), its request is dropped and the user
    // told. The file menu's information request is the menu's own too.
    function confirmed(owner, close) {
        if (browse.isHeld(owner))
            owner.waiting = true
        else
            close()
    }

    Connections {
        target: browse
        function onHeldChanged() {
            if (browseInputWindowLoader.waiting && !browse.isHeld(browseInputWindowLoader))
                browseInputWindowLoader.active = false
            if (deleteCheck.waiting && !browse.isHeld(deleteCheck))
                deleteCheck.open = false
        }
        // The folder has been read again in the recorder's numbering: a
        // window opened on a row whose entry has moved or gone closes, unless
        // its request waits (the model decides that one).
        function onListRead() {
            if (!browse.numberingCurrent)
                return
            var onRow = browseMenuLoader.active || (deleteCheck.open && !deleteCheck.waiting)
                        || (browseInputWindowLoader.active && !browseInputWindowLoader.isCreate && !browseInputWindowLoader.waiting)
            if (!onRow || indexOf(browseMenuLoader.entry, -1) >= 0)
                return
            browseMenuLoader.active = false
            if (!deleteCheck.waiting)
                deleteCheck.open = false
            if (!browseInputWindowLoader.isCreate && !browseInputWindowLoader.waiting)
                browseInputWindowLoader.active = false
        }
    }

    // Every window of the tab: the menus, the name window, the copy picker
    // and the delete question.
    function closeAll() {
        browseFolderBrowseLoader.active = false
        browseMenuLoader.active = false
        browseInputWindowLoader.active = false
        deleteCheck.open = false
    }

    function drive() {
        return comm.currentMedia === "SD1" ? "A:" : comm.currentMedia === "SD2" ? "B:" : "C:"
    }

    BackScreen {
        Image {
            objectName: "viewOnlyBadge"
            x: ptSize * 18
            y: ptSize * 4
            smooth: false
            sourceSize.width: ptSize * 100
            source: "Resource/icon_100x20_viewonly.svg"
            visible: browseSelectOnly
        }

        Text {
            id: browseTitle
            x: ptSize * 20
            y: ptSize * 30
            text: "BROWSE"
            font.pixelSize: ptSize * 25
            font.weight: Font.Medium
            textFormat: Text.PlainText
            color: "white"
        }

        MediaIcon {
            anchors.right: parent.right
            anchors.rightMargin: ptSize * 15
            y: ptSize * 24
        }

        BrowseList {
            id: browseList
            objectName: "browseList"
            mode: 1
            anchors.top: browseTitle.bottom
            anchors.bottom: parent.bottom
            anchors.left: parent.left
            anchors.right: parent.right
            footerSize: browseFooter.height
        }

        Image {
            objectName: "setToCurrent"
            anchors.right: browseList.right
            anchors.rightMargin: ptSize * 20
            anchors.top: browseList.top
            anchors.topMargin: ptSize * 5
            smooth: false
            sourceSize.width: ptSize * 135
            source: "Resource/Browse/icon_135x26_Set-to-C.svg"
            visible: browse.currentFolderNumber !== browse.nowFolderNumber && !permission.isReadOnly && comm.statusIcon === 16
                     && folderNameKnown

            MouseArea {
                anchors.fill: parent
                onClicked: browse.setToCurrentFolder()
            }
        }

        Rectangle {
            id: browseFooter
            objectName: "browseFooter"
            anchors.bottom: parent.bottom
            width: parent.width
            height: ptSize * 66 + 2
            color: "#E62F3E5B"
            border.width: 1

            MouseArea {
                anchors.fill: parent
            }

            Repeater {
                model: [
                    { name: "createFolderTool", icon: "Resource/Browse/icon_44x44_CreateFolder.svg", x: 20, switchable: true },
                    { name: "goToCurrentTool", icon: "Resource/Browse/icon_44x44_GotoCurrent.svg", x: 102.5, switchable: false },
                    { name: "sortByTimeTool", icon: "Resource/Browse/icon_44x44_sort-by-Time.svg", x: 185, switchable: true },
                    { name: "sortByNameTool", icon: "Resource/Browse/icon_44x44_sort-by-Name.svg", x: 267.5, switchable: true },
                    { name: "undoTool", icon: "Resource/Browse/icon_44x44_undo.svg", x: 414 - 20 - 44, switchable: true }
                ]
                delegate: Image {
                    objectName: modelData.name
                    x: ptSize * modelData.x
                    anchors.verticalCenter: parent.verticalCenter
                    smooth: false
                    sourceSize.width: ptSize * 44
                    source: modelData.icon
                    enabled: !modelData.switchable || !browseReadOnly
                    opacity: enabled ? 1 : 0.5

                    MouseArea {
                        anchors.fill: parent
                        onClicked: {
                            switch (index) {
                            case 0:
                                browseInputWindowLoader.isCreate = true
                                browseInputWindowLoader.isFolder = true
                                browseInputWindowLoader.field = ""
                                browseInputWindowLoader.inFolder = browse.shownFolder()
                                browseInputWindowLoader.active = true
                                break
                            case 1: browse.goToCurrentFolder(); break
                            case 2: browse.sortByTime(); break
                            case 3: browse.sortByName(); break
                            default: browse.undo()
                            }
                        }
                    }
                }
            }
        }

        Loader {
            id: browseInputWindowLoader
            objectName: "browseInputWindowLoader"
            anchors.fill: browseList
            active: false
            property string field: ""
            property bool isCreate: true
            property bool isFolder: true
            // For a new folder: the folder shown when the window opened. The
            // folder is made there, or, when another is shown by then, not
            // at all (told).
            property var inFolder: null
            property bool waiting: false
            onActiveChanged: {
                if (active)
                    return
                waiting = false
                browse.dropHeld(browseInputWindowLoader)
            }

            sourceComponent: InputWindow {
                objectName: "nameWindow"
                title: isCreate ? "New folder name" : isFolder ? "Rename folder" : "Rename file"
                field: browseInputWindowLoader.field
                waiting: browseInputWindowLoader.waiting
                onClickedOk: {
                    var owner = browseInputWindowLoader, row = browseMenuLoader
                    if (isCreate)
                        browse.createFolder(owner.inFolder, inputText, owner)
                    else if (isFolder)
                        browse.renameFolder(row.entry, inputText, owner)
                    else
                        browse.renameFile(row.entry, inputText, owner)
                    confirmed(owner, function() { owner.active = false })
                }
                onClickedCancel: {
                    browse.withdrawHeld(browseInputWindowLoader)
                    browseInputWindowLoader.active = false
                }
            }
        }

        Loader {
            id: browseMenuLoader
            objectName: "browseMenuLoader"
            anchors.fill: browseList
            active: false
            // The row the menu was opened on, as listed when it was tapped
            // (BrowseObject.entry()): the requests of the menu and of the
            // windows it opens carry it.
            property var entry: null
            property int listViewIndex: 0
            readonly property string name: entry ? entry.name : ""
            // The path of the folder that listed the row ("" the root).
            readonly property string folder: entry ? entry.folder : ""
            readonly property bool isFolder: entry ? entry.type === 0 : false
            sourceComponent: isFolder ? brFolderMenuComponent : brMenuComponent
            onActiveChanged: if (!active) browse.dropHeld(browseMenuLoader)
        }

        Component {
            id: brFolderMenuComponent

            Rectangle {
                objectName: "folderMenu"
                color: "#99000000"

                ModalArea {
                    onClicked: browseMenuLoader.active = false
                }

                Rectangle {
                    y: ptSize * 120
                    anchors.horizontalCenter: parent.horizontalCenter
                    width: ptSize * 325
                    height: ptSize * 170
                    radius: ptSize * 10
                    color: "#DCDCDC"
                    border.width: ptSize * 3
                    border.color: "black"

                    MouseArea {
                        anchors.fill: parent
                    }

                    TextTapScroll {
                        x: ptSize * 20
                        y: ptSize * 10
                        width: ptSize * 285
                        height: ptSize * 29
                        font.pixelSize: ptSize * 18
                        verticalAlignment: Text.AlignVCenter
                        text: browseMenuLoader.name
                    }

                    Rectangle {
                        x: ptSize * 20
                        y: ptSize * 39
                        width: ptSize * 285
                        height: ptSize * 2
                        color: "#878787"
                    }

                    MenuEntry {
                        objectName: "folderRename"
                        x: ptSize * 93
                        y: ptSize * 71
                        icon: "Resource/Browse/icon_47x30_rename-B.svg"
                        caption: "Rename"
                        enabled: !browseReadOnly
                        onClicked: openRename()
                    }

                    MenuEntry {
                        objectName: "folderDelete"
                        x: ptSize * 185
                        y: ptSize * 71
                        icon: "Resource/Browse/icon_47x30_Delete-B.svg"
                        caption: "Delete"
                        enabled: !browseReadOnly
                        onClicked: openDeleteCheck()
                    }

                    CloseButton {
                        y: ptSize * 136
                    }
                }
            }
        }

        Component {
            id: brMenuComponent

            Rectangle {
                objectName: "fileMenu"
                color: "#99000000"

                ModalArea {
                    onClicked: browseMenuLoader.active = false
                }

                Image {
                    y: ptSize * 120
                    anchors.horizontalCenter: parent.horizontalCenter
                    smooth: false
                    sourceSize.width: ptSize * 325
                    source: "Resource/Browse/browse_back_325x230.svg"

                    MouseArea {
                        anchors.fill: parent
                    }

                    TextTapScroll {
                        x: ptSize * 22
                        y: ptSize * 10
                        width: ptSize * 281
                        height: ptSize * 29
                        font.pixelSize: ptSize * 18
                        verticalAlignment: Text.AlignVCenter
                        text: browseMenuLoader.name
                    }

                    // Four fields show above the buttons; a recorder that
                    // sends more lets the rest scroll inside this box.
                    Flickable {
                        objectName: "fileInfoBox"
                        x: ptSize * 22
                        y: ptSize * 47
                        width: ptSize * 281
                        height: ptSize * 68
                        clip: true
                        contentHeight: fileInfo.height
                        flickableDirection: Flickable.VerticalFlick
                        boundsBehavior: Flickable.StopAtBounds
                        interactive: contentHeight > height

                        Text {
                            id: fileInfo
                            objectName: "fileInfo"
                            font.pixelSize: ptSize * 13
                            textFormat: Text.PlainText
                            lineHeightMode: Text.FixedHeight
                            lineHeight: ptSize * 17
                            text: infoOfMenuFile()

                            // Only the information of the file the menu was opened
                            // for, found by its entry in the list read last.
                            function infoOfMenuFile() {
                                var at = indexOf(browseMenuLoader.entry, browseMenuLoader.listViewIndex)
                                return at >= 0 ? browse.getInfo(at) : ""
                            }

                            Connections {
                                target: browse
                                function onInfoChanged() { fileInfo.text = fileInfo.infoOfMenuFile() }
                            }
                        }
                    }

                    MenuEntry {
                        id: select
                        objectName: "fileSelect"
                        x: ptSize * 29.5
                        y: ptSize * 123
                        icon: "Resource/Browse/icon_47x30_select-B.svg"
                        caption: "Select"
                        enabled: !permission.isReadOnly
                                 && (comm.playArea === "ALL" || (comm.playArea === "FOLDER" && browse.currentFolderNumber === browse.nowFolderNumber))
                                 && (comm.playMode === "CONTINUE" || comm.playMode === "SINGLE")
                        onClicked: {
                            browse.selectFile(browseMenuLoader.entry)
                            browseMenuLoader.active = false
                        }
                    }

                    MenuEntry {
                        objectName: "fileRename"
                        x: ptSize * 102.5
                        y: select.y
                        icon: "Resource/Browse/icon_47x30_rename-B.svg"
                        caption: "Rename"
                        enabled: !browseReadOnly
                        onClicked: openRename()
                    }

                    MenuEntry {
                        objectName: "fileCopy"
                        x: ptSize * 175.5
                        y: select.y
                        icon: "Resource/Browse/icon_47x30_copy.svg"
                        caption: "Copy"
                        enabled: !browseReadOnly
                        onClicked: {
                            browseFolderBrowseLoader.folder = browseMenuLoader.folder
                            browseMenuLoader.active = false
                            browseFolderBrowseLoader.active = true
                        }
                    }

                    MenuEntry {
                        objectName: "fileDelete"
                        x: ptSize * 248.5
                        y: select.y
                        icon: "Resource/Browse/icon_47x30_Delete-B.svg"
                        caption: "Delete"
                        enabled: !browseReadOnly
                        onClicked: openDeleteCheck()
                    }

                    CloseButton {
                        y: ptSize * 196
                    }
                }
            }
        }

        DialogNoButton {
            id: deleteCheck
            objectName: "deleteCheck"
            // Open until closed, by its buttons or when the application
            // closes the tab's windows (as when the home or menu tab is
            // chosen, which gives the edit right back). A look at the
            // playlist or timer-event tab keeps the right, and the question:
            // its delete goes when the folder has been read.
            property bool open: false
            visible: open
            text: (browseMenuLoader.isFolder ? "Delete selected folder?\n" : "Delete selected file?\n") + browseMenuLoader.name
            property bool waiting: false
            onOpenChanged: {
                if (open)
                    return
                waiting = false
                browse.dropHeld(deleteCheck)
            }

            WaitingNote {
                y: ptSize * 205
                visible: deleteCheck.waiting
            }

            TimerEventButtonRect {
                objectName: "deleteOk"
                x: ptSize * 86
                y: ptSize * 242
                text: "OK"
                onClicked: {
                    if (deleteCheck.waiting)
                        return // asked already: waits for the model
                    var row = browseMenuLoader
                    if (row.isFolder)
                        browse.deleteFolder(row.entry, deleteCheck)
                    else
                        browse.deleteFile(row.entry, deleteCheck)
                    confirmed(deleteCheck, function() { deleteCheck.open = false })
                }
            }

            TimerEventButtonRect {
                objectName: "deleteCancel"
                x: ptSize * 228
                y: ptSize * 242
                text: "Cancel"
                onClicked: {
                    browse.withdrawHeld(deleteCheck)
                    deleteCheck.open = false
                }
            }
        }

        Loader {
            id: browseFolderBrowseLoader
            objectName: "browseFolderBrowseLoader"
            anchors.fill: browseList
            active: false
            property string folder: ""

            sourceComponent: BrowseWindow {
                objectName: "copyPicker"
                mode: 3
                color: "#000000"
                pasteEnabled: folderNameKnown
                onClickedFolder: {
                    var d = drive()
                    var name = browseMenuLoader.name
                    var folder = browseFolderBrowseLoader.folder
                    var source = folder !== "" ? d + "\\" + folder + "\\" + name : d + "\\" + name
                    var target = browse.nowFolderName !== "" ? d + "\\" + browse.nowFolderName + "\\" + name : d + "\\" + name
                    browse.copyFile(source, target)
                    browseFolderBrowseLoader.active = false
                }
                onClickedCancel: browseFolderBrowseLoader.active = false
            }
        }

        Connections {
            target: permission
            function onIsReadOnlyChanged(readOnly) { closeAll() }
        }

        // A new medium (or none) or the end of the login ends whatever was
        // open: its numbers named entries of the old one.
        Connections {
            target: comm
            function onCurrentMediaChanged(media) { closeAll() }
            function onLoginCompChanged() {
                if (!comm.loginComp)
                    closeAll()
            }
        }

        DialogNoButton {
            id: browseNotice
            objectName: "browseNotice"
            property bool rec: comm.statusIcon === 129 || comm.statusIcon === 130 || comm.statusIcon === 131
            property bool cd: comm.currentMedia === "CD"
            property bool cppString: browse.browseDialogString !== ""
            // Whether the notice is due, on the shown tab or not.
            readonly property bool due: cd || rec || cppString
            visible: due
            text: cd ? "BROWSE screen is not available when current media is CD."
                     : rec ? "BROWSE screen is not available while recordings."
                     : cppString ? browse.browseDialogString : ""
            onCppStringChanged: {
                if (!cppString)
                    browse.restartBrowse()
            }
        }
    }

    function openRename() {
        browseInputWindowLoader.isCreate = false
        browseInputWindowLoader.isFolder = browseMenuLoader.isFolder
        browseInputWindowLoader.field = browseMenuLoader.name
        browseInputWindowLoader.active = true
        browseMenuLoader.active = false
    }

    function openDeleteCheck() {
        deleteCheck.open = true
        browseMenuLoader.active = false
    }

    // Close button of the two menus: a 20-unit cross with a 40-unit tap area.
    component CloseButton: Image {
        x: ptSize * 285
        smooth: false
        sourceSize.width: ptSize * 20
        source: "Resource/Playlist/icon_20x20_close.svg"

        MouseArea {
            x: -ptSize * 10
            y: -ptSize * 10
            height: ptSize * 40
            width: height
            onClicked: browseMenuLoader.active = false
        }
    }

    // A menu entry: icon over caption, half transparent and deaf while disabled.
    component MenuEntry: MouseArea {
        property alias icon: entryIcon.source
        property alias caption: entryCaption.text
        width: ptSize * 47
        height: ptSize * 48
        opacity: enabled ? 1 : 0.5

        Image {
            id: entryIcon
            smooth: false
            sourceSize.width: ptSize * 47
        }

        Text {
            id: entryCaption
            anchors.bottom: parent.bottom
            anchors.horizontalCenter: parent.horizontalCenter
            font.pixelSize: ptSize * 13
            textFormat: Text.PlainText
        }
    }
}
