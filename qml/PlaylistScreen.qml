import QtQuick 2.8
import QtQuick.Controls 2.1

// The playlist tab: the playlist files of the current medium (load, save as,
// delete, rename, edit) or the 100 entries of the loaded playlist beside
// eight page strips (assign, clear, information), with the name dialog, the
// delete question, the take picker and the entry information panel. Every
// request goes through the playlist model; the rows are refilled only by what
// the model reports. While the tab can change nothing (its notice is due, the
// recorder is read-only or the edit right is not held) its windows close and
// the model sends nothing it still holds; while the recorder is not stopped
// the file rows' load, save-as and rename do not go either.
Item {
    id: playlistScreen

    // The lists the screen asks for.
    enum List { NoList, Files, Entries }

    property real lineHeight: ptSize * 47
    property bool pplView: true
    property int assignEntry: -1
    property bool plIsReadOnly: pl.execCommand
    // The list the screen asked for last (NoList before it has asked for
    // one). A list the model reports for the other (asked for before, or read
    // by the model on its own) is not shown.
    property int listAsked: PlaylistScreen.NoList
    // The tab can change nothing. Read from the notice's condition, not its
    // visibility, which is false too while the tab is hidden.
    readonly property bool locked: playlistNotice.due || permission.isReadOnly || !permission.okPermission

    onLockedChanged: {
        if (locked)
            closeAll()
    }

    // The file rows' load, save-as, rename and delete need a stopped
    // recorder: their windows close when it starts.
    readonly property bool filesLocked: locked || comm.statusIcon !== 16

    onFilesLockedChanged: {
        if (!filesLocked)
            return
        plDeleteWindowLoader.active = false
        if (plInputWindowLoader.mode !== 1)
            plInputWindowLoader.active = false
    }

    Binding {
        target: pl
        property: "locked"
        value: playlistScreen.locked
    }

    Binding {
        target: pl
        property: "filesLocked"
        value: playlistScreen.filesLocked
    }

    // Every window of the tab: name window, delete question, take picker and
    // entry information.
    function closeAll() {
        plInputWindowLoader.active = false
        plDeleteWindowLoader.active = false
        playlistBrowseLoader.active = false
        plInfoWindowLoader.active = false
    }

    // Empties the list, which from now on shows only that list's rows.
    function askFor(list) {
        listAsked = list
        playlistRepeater.model.clear()
    }

    // Back to a freshly requested list of playlist files.
    function displayed() {
        plInfoWindowLoader.active = false
        askFor(PlaylistScreen.Files)
        pplArea.opacity = 1
        pl.initPpl()
    }

    Connections {
        target: pl
        function onReadyToRedraw() {
            displayed()
        }
        // The list read again: a rename window opened on a playlist row whose
        // playlist is no longer at that place goes, and sends nothing (a
        // rename names its playlist by the row's number). The delete question
        // names its playlist by its path: it goes only with the playlist, and
        // when this application has renamed it the path is another's or none.
        function onPplListRecived() {
            if (plInputWindowLoader.active && plInputWindowLoader.mode !== 0 && plInputWindowLoader.mode !== 1
                    && pl.getPplName(plInputWindowLoader.pplNumber - 1) !== plInputWindowLoader.pplName)
                plInputWindowLoader.active = false
            if (plDeleteWindowLoader.active && !pl.stillListed(plDeleteWindowLoader.name, plDeleteWindowLoader.rowsRead))
                plDeleteWindowLoader.active = false
        }
    }

    BackScreen {
        id: backScreen

        Image {
            objectName: "viewOnlyBadge"
            x: ptSize * 18
            y: ptSize * 4
            smooth: false
            sourceSize.width: ptSize * 100
            source: "Resource/icon_100x20_viewonly.svg"
            visible: permission.isReadOnly
        }

        Text {
            id: playlistTitle
            objectName: "playlistTitle"
            x: ptSize * 20
            y: ptSize * 30
            font.pixelSize: ptSize * 25
            font.weight: Font.Medium
            textFormat: Text.PlainText
            color: "white"
            text: pplView ? "PLAYLISTS" : "Entries in playlist"
        }

        MediaIcon {
            anchors.right: parent.right
            anchors.rightMargin: ptSize * 15
            y: ptSize * 24
        }

        PlaylistEntryIcon {
            x: ptSize * 279
            y: ptSize * 26
            visible: !pplView
        }

        Text {
            objectName: "playlistDate"
            x: ptSize * 279
            y: ptSize * 46
            text: pl.currentPlaylistDateTime
            textFormat: Text.PlainText
            font.pixelSize: ptSize * 16
            color: "white"
            visible: !pplView
        }

        Flickable {
            id: pplArea
            objectName: "pplArea"
            anchors.top: parent.top
            anchors.topMargin: ptSize * 65
            anchors.bottom: parent.bottom
            anchors.left: parent.left
            anchors.right: parent.right
            clip: true
            flickableDirection: Flickable.VerticalFlick
            contentHeight: (playlistRepeater.count - (pplView ? 0 : 8)) * lineHeight + playlistFooter.height

            // The bar ends where the footer over the list begins; the list's
            // parent holds it so that the list does not size it.
            ScrollBar.vertical: ScrollBar {
                parent: pplArea.parent
                anchors.top: pplArea.top
                anchors.bottom: pplArea.bottom
                anchors.bottomMargin: playlistFooter.height
                anchors.right: pplArea.right
                visible: pplArea.contentHeight > pplArea.height
                contentItem: CommonScrollBarItem {}
            }

            Repeater {
                id: playlistRepeater
                objectName: "playlistRepeater"
                model: ListModel {}

                Loader {
                    sourceComponent: pageSource
                    onLoaded: {
                        if (pplView === true) {
                            item.pplNumber = index
                            item.pplName = pl.getPplName(index)
                            item.pplDateTime = pl.getPplDateTime(index)
                        } else if (index < 100) {
                            item.entryNumber = index
                            item.entryName = pl.getEntryName(index)
                        } else {
                            item.pageNumber = index - pl.getMaxEntryNumber() + 1
                        }
                    }
                }
            }

            Component {
                id: pplComponent
                PlaylistPplDelegete {}
            }

            Component {
                id: entryComponent
                PlaylistEntryDelegete {}
            }

            Component {
                id: entryPageComponent
                Rectangle {
                    property int pageNumber: 0
                    y: (pageNumber - 1) * ptSize * 564
                    width: ptSize * 33
                    height: ptSize * 561
                    color: "#272727"

                    Text {
                        y: ptSize * 6
                        width: parent.width
                        horizontalAlignment: Text.AlignHCenter
                        textFormat: Text.PlainText
                        text: "PAGE"
                        font.pixelSize: ptSize * 12
                        font.weight: Font.Light
                        color: "#878787"
                    }

                    Text {
                        y: ptSize * 21
                        width: parent.width
                        horizontalAlignment: Text.AlignHCenter
                        textFormat: Text.PlainText
                        text: pageNumber
                        font.pixelSize: ptSize * 20
                        font.weight: Font.Medium
                        color: "white"
                    }

                    Text {
                        anchors.bottom: parent.bottom
                        anchors.bottomMargin: ptSize * 19
                        width: parent.width
                        horizontalAlignment: Text.AlignHCenter
                        textFormat: Text.PlainText
                        text: pageNumber
                        font.pixelSize: ptSize * 20
                        font.weight: Font.Medium
                        color: "white"
                    }

                    Text {
                        anchors.bottom: parent.bottom
                        anchors.bottomMargin: ptSize * 3
                        width: parent.width
                        horizontalAlignment: Text.AlignHCenter
                        textFormat: Text.PlainText
                        text: "PAGE"
                        font.pixelSize: ptSize * 12
                        font.weight: Font.Light
                        color: "#878787"
                    }
                }
            }

            Connections {
                target: pl
                // Rows follow the numbers the recorder reports; a number past
                // the end fills the gap with rows of their own. The entry rows
                // go first: the two lists never share the view.
                function onPplRecived(number) {
                    if (listAsked === PlaylistScreen.Entries)
                        return
                    if (!pplView) {
                        playlistRepeater.model.clear()
                        pplView = true
                    }
                    if (number < 0)
                        return
                    for (var i = playlistRepeater.model.count; i < number; ++i)
                        playlistRepeater.model.append({ pageSource: pplComponent })
                    playlistRepeater.model.set(number, { pageSource: pplComponent })
                }
                // Rows read their texts when they load, so a list reported
                // again is built afresh.
                function onEntryListRecived() {
                    if (listAsked === PlaylistScreen.Files)
                        return
                    pplView = false
                    playlistRepeater.model.clear()
                    var max = pl.getMaxEntryNumber()
                    var i = 0
                    for (; i < max; ++i)
                        playlistRepeater.model.set(i, { pageSource: entryComponent })
                    for (; i < max + 8; ++i)
                        playlistRepeater.model.set(i, { pageSource: entryPageComponent })
                }
            }
        }

        Rectangle {
            id: playlistFooter
            objectName: "playlistFooter"
            anchors.bottom: parent.bottom
            width: parent.width
            height: ptSize * 56
            border.width: 1
            border.color: "black"
            color: "#E62F3E5B"

            MouseArea {
                anchors.fill: parent
            }

            Image {
                objectName: "playlistFooterButton"
                anchors.centerIn: parent
                smooth: false
                sourceSize.width: ptSize * 56
                source: pplView ? "Resource/Playlist/icon_56x40_AddPlaylist.svg" : "Resource/Playlist/icon_56_return-PLAYLISTS.svg"
                opacity: (permission.isReadOnly || plIsReadOnly) && pplView ? 0.3 : 1

                MouseArea {
                    anchors.fill: parent
                    enabled: parent.opacity === 1
                    onClicked: {
                        if (pplView) {
                            plInputWindowLoader.field = ""
                            plInputWindowLoader.mode = 1
                            plInputWindowLoader.active = true
                        } else {
                            displayed()
                        }
                    }
                }
            }
        }

        Loader {
            id: plInfoWindowLoader
            objectName: "plInfoWindowLoader"
            property int number: 0
            x: ptSize * 45
            y: ptSize * 236
            width: ptSize * 325
            height: ptSize * 170
            active: false
            sourceComponent: infoWindow
        }

        Component {
            id: infoWindow
            Rectangle {
                objectName: "infoWindow"
                color: "#DCDCDC"
                border.width: ptSize * 3
                border.color: "black"
                radius: ptSize * 10

                ModalArea {}

                Text {
                    objectName: "infoFolder"
                    x: ptSize * 20
                    y: ptSize * 19
                    textFormat: Text.PlainText
                    font.pixelSize: ptSize * 14
                    text: comm.currentMedia + " ROOT" + pl.infoFolder
                }

                Rectangle {
                    id: upperLine
                    x: ptSize * 20
                    y: ptSize * 39
                    width: ptSize * 285
                    height: ptSize * 2
                    color: "#878787"
                }

                Rectangle {
                    anchors.top: upperLine.bottom
                    anchors.left: upperLine.left
                    width: ptSize * 63
                    height: ptSize * 25
                    color: "black"

                    Text {
                        id: infoNo
                        x: ptSize * 4
                        y: ptSize * 8
                        textFormat: Text.PlainText
                        font.pixelSize: ptSize * 13
                        text: "No."
                        color: "white"
                    }

                    Text {
                        anchors.left: infoNo.right
                        anchors.bottom: infoNo.bottom
                        anchors.bottomMargin: -ptSize * 2
                        textFormat: Text.PlainText
                        font.pixelSize: ptSize * 21
                        text: plInfoWindowLoader.number + 1
                        color: "white"
                    }
                }

                TextTapScroll {
                    objectName: "infoName"
                    anchors.left: upperLine.left
                    y: ptSize * 71
                    width: ptSize * 285
                    height: ptSize * 21
                    font.pixelSize: ptSize * 18
                    text: pl.getEntryName(plInfoWindowLoader.number)
                }

                Text {
                    objectName: "infoDataA"
                    x: ptSize * 20
                    y: ptSize * 121
                    textFormat: Text.PlainText
                    font.pixelSize: ptSize * 14
                    text: pl.infoDataA
                }

                Image {
                    x: ptSize * 285
                    y: ptSize * 115
                    sourceSize.width: ptSize * 20
                    source: "Resource/Playlist/icon_20x20_close.svg"
                }

                MouseArea {
                    objectName: "infoClose"
                    x: ptSize * 275
                    y: ptSize * 105
                    width: ptSize * 40
                    height: ptSize * 40
                    onClicked: plInfoWindowLoader.active = false
                }

                Rectangle {
                    x: ptSize * 20
                    y: ptSize * 138
                    width: ptSize * 285
                    height: ptSize * 2
                    color: "#878787"
                }

                Text {
                    objectName: "infoDataB"
                    x: ptSize * 20
                    y: ptSize * 143
                    textFormat: Text.PlainText
                    font.pixelSize: ptSize * 14
                    text: pl.infoDataB
                }

                Text {
                    objectName: "infoDateTime"
                    anchors.right: upperLine.right
                    y: ptSize * 143
                    textFormat: Text.PlainText
                    font.pixelSize: ptSize * 14
                    text: pl.infoDateTime
                }
            }
        }

        Loader {
            id: playlistBrowseLoader
            objectName: "playlistBrowseLoader"
            anchors.fill: pplArea
            active: false
            // A pick that waits goes with the picker, however it closes.
            onActiveChanged: {
                if (!active)
                    browse.dropHeld(playlistBrowseLoader)
            }
            sourceComponent: BrowseWindow {
                objectName: "takePicker"
                mode: 2
                owner: playlistBrowseLoader
                onClicked: {
                    pl.assignEntry(assignEntry, takeNumber)
                    playlistBrowseLoader.active = false
                    askFor(PlaylistScreen.Entries)
                }
                onClickedCancel: playlistBrowseLoader.active = false
            }
        }

        Loader {
            id: plInputWindowLoader
            objectName: "plInputWindowLoader"
            anchors.fill: pplArea
            active: false
            property string field: ""
            property int mode: 0
            property int pplNumber: 0
            property string pplName: "" // the playlist a rename is for
            sourceComponent: InputWindow {
                objectName: "nameWindow"
                title: plInputWindowLoader.mode === 0 ? "Playlist name" : "New playlist name"
                field: plInputWindowLoader.field
                onClickedOk: {
                    if (plInputWindowLoader.mode === 0)
                        pl.saveAs(inputText)
                    else if (plInputWindowLoader.mode === 1)
                        pl.createPpl(inputText)
                    else
                        pl.renamePpl(plInputWindowLoader.pplNumber, inputText, plInputWindowLoader.pplName)
                    plInputWindowLoader.active = false
                }
                onClickedCancel: plInputWindowLoader.active = false
            }
        }

        Loader {
            id: plDeleteWindowLoader
            objectName: "plDeleteWindowLoader"
            anchors.fill: pplArea
            active: false
            property string name: ""
            property string fullpath: ""
            property int pplNumber: 0 // the row of the playlist, from 0
            property int rowsRead: 0 // the rows it was opened on (pl.rowsRead)
            sourceComponent: DialogNoButton {
                objectName: "deleteCheck"
                text: "Delete selected playlist?\n" + plDeleteWindowLoader.name

                TimerEventButtonRect {
                    objectName: "deleteOk"
                    x: ptSize * 86
                    y: ptSize * 242
                    text: "OK"
                    onClicked: {
                        plDeleteWindowLoader.active = false
                        pl.deletePpl(plDeleteWindowLoader.name, plDeleteWindowLoader.fullpath, plDeleteWindowLoader.rowsRead)
                    }
                }

                TimerEventButtonRect {
                    objectName: "deleteCancel"
                    x: ptSize * 228
                    y: ptSize * 242
                    text: "Cancel"
                    onClicked: plDeleteWindowLoader.active = false
                }
            }
        }

        Connections {
            target: permission
            function onIsReadOnlyChanged(readOnly) {
                closeAll()
                if (pplView === false)
                    displayed()
            }
        }

        // A window names a playlist, an entry or a take of the medium and the
        // login it was opened on: when either ends, it goes and sends nothing.
        Connections {
            target: comm
            // The rows are the old medium's too: they go until the new
            // medium's playlists arrive.
            function onCurrentMediaChanged(media) {
                closeAll()
                playlistRepeater.model.clear()
            }
            function onLoginCompChanged() {
                if (!comm.loginComp)
                    closeAll()
            }
            // The take picker fills an entry of the loaded playlist, the entry
            // rows and their information are its, and the save-as window
            // saves it: another playlist loaded meanwhile (front panel,
            // another controller) ends them, before its list is read again.
            function onPlayListChanged(playList) {
                playlistBrowseLoader.active = false
                plInfoWindowLoader.active = false
                if (plInputWindowLoader.mode === 0)
                    plInputWindowLoader.active = false
                if (listAsked === PlaylistScreen.Entries)
                    askFor(PlaylistScreen.Files)
            }
        }

        DialogNoButton {
            id: playlistNotice
            objectName: "playlistNotice"
            property bool rec: comm.statusIcon === 129 || comm.statusIcon === 130 || comm.statusIcon === 131
            property bool disabledAreaAndMode: comm.playArea !== "PLAYLIST" || (comm.playMode !== "CONTINUE" && comm.playMode !== "SINGLE")
            property bool cppString: browse.browseDialogString !== ""
            property bool cd: comm.currentMedia === "CD"
            readonly property bool due: cppString || disabledAreaAndMode || cd || rec
            visible: due
            text: cd ? "Playlist screen is not available when current media is CD."
                : rec ? "Playlist screen is not available while recordings."
                : disabledAreaAndMode ? "Playlist screen is only available when PLAY AREA is PLAYLIST and PLAY MODE is CONTINUE or SINGLE."
                : cppString ? browse.browseDialogString
                : ""
        }
    }
}
