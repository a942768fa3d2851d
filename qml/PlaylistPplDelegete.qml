import QtQuick 2.8

// One playlist file of the playlist screen: its name and date, and the load,
// delete and rename buttons; on the row of the loaded playlist those become
// save-as, edit entries and the current mark. Works the screen's list
// (askFor), loaders and view by name, so it lives only inside PlaylistScreen.
Rectangle {
    id: pplRow
    objectName: "ppl_" + pplName

    property int pplNumber: 0
    property string pplName: ""
    property alias pplDateTime: pplDateTime.text
    readonly property bool current: pplNumber === pl.currentPlaylist
    readonly property bool pplReadOnly: permission.isReadOnly || comm.statusIcon !== 16 || plIsReadOnly

    x: ptSize * 5
    y: pplNumber * lineHeight
    width: ptSize * 404
    height: ptSize * 44
    radius: ptSize * 5
    color: current ? "#89A3D4" : pplNumber % 2 === 0 ? "#272727" : "black"

    TextTapScroll {
        x: ptSize * 10
        y: ptSize * 2
        width: ptSize * 214
        height: ptSize * 19
        text: pplName
        color: "white"
        font.pixelSize: ptSize * 16
    }

    Image {
        objectName: "pplLoad"
        anchors.right: parent.right
        anchors.rightMargin: ptSize * 15
        anchors.verticalCenter: parent.verticalCenter
        smooth: false
        sourceSize.height: ptSize * 30
        source: current ? "Resource/Playlist/icon_47x30_SaveAs.svg" : "Resource/Playlist/icon_47x30_Load.svg"
        opacity: pplReadOnly ? 0.5 : 1

        MouseArea {
            anchors.fill: parent
            enabled: !pplReadOnly
            onClicked: {
                if (current) {
                    plInputWindowLoader.field = ""
                    plInputWindowLoader.mode = 0
                    plInputWindowLoader.active = true
                } else {
                    var name = pplName
                    askFor(PlaylistScreen.Files)
                    pl.loadPpl(name)
                    pplView = true
                }
            }
        }
    }

    Image {
        objectName: "pplDelete"
        anchors.right: parent.right
        anchors.rightMargin: ptSize * 65
        anchors.verticalCenter: parent.verticalCenter
        smooth: false
        sourceSize.height: ptSize * 30
        source: current ? "Resource/Playlist/icon_47x30_Edit.svg" : "Resource/Playlist/icon_47x30_Delete.svg"
        opacity: (current ? permission.isReadOnly : pplReadOnly) ? 0.5 : 1

        MouseArea {
            anchors.fill: parent
            enabled: parent.opacity === 1
            onClicked: {
                if (current) {
                    askFor(PlaylistScreen.Entries)
                    pl.initEntry()
                    pplView = false
                } else {
                    var drive = comm.currentMedia === "SD1" ? "A:" : comm.currentMedia === "SD2" ? "B:" : "C:"
                    plDeleteWindowLoader.name = pplName
                    plDeleteWindowLoader.fullpath = drive + "\\_playlists\\" + pplName
                    plDeleteWindowLoader.pplNumber = pplNumber
                    plDeleteWindowLoader.rowsRead = pl.rowsRead()
                    plDeleteWindowLoader.active = true
                }
            }
        }
    }

    Image {
        objectName: "pplRename"
        anchors.right: parent.right
        anchors.rightMargin: ptSize * 115
        anchors.verticalCenter: parent.verticalCenter
        smooth: false
        sourceSize.height: current ? ptSize * 18 : ptSize * 30
        source: current ? "Resource/Playlist/icon_57x18_current.svg" : "Resource/Playlist/icon_47x30_Rename.svg"
        opacity: pplReadOnly && !current ? 0.5 : 1

        MouseArea {
            anchors.fill: parent
            enabled: !pplReadOnly
            onClicked: {
                if (current)
                    return
                plInputWindowLoader.field = pplName
                plInputWindowLoader.mode = 2
                plInputWindowLoader.pplNumber = pplNumber + 1
                plInputWindowLoader.pplName = pplName
                plInputWindowLoader.active = true
            }
        }
    }

    Text {
        id: pplDateTime
        objectName: "pplDateTime"
        anchors.right: parent.right
        anchors.rightMargin: ptSize * 180
        y: ptSize * 25
        textFormat: Text.PlainText
        font.pixelSize: ptSize * 16
        color: current ? "white" : "#878787"
    }

    PlaylistEntryIcon {
        x: ptSize * 10
        y: ptSize * 24
        visible: current
    }
}
