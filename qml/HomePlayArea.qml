import QtQuick 2.8
import QtQuick.Controls 2.1

// Selector of the play area. On a CD only ALL is offered, and FOLDER for a
// data disc or one without tracks.
Item {
    property bool playAreaDropdownVisible: false

    // A pick goes when it differs from the user's own pick still on its
    // way, or else from the recorder's value: a pick taken back goes too.
    function choose(name, request) {
        if (comm.playAreaPick() !== name)
            request()
        playAreaDropdownVisible = false
    }

    SelectorButton {
        id: playArea
        objectName: "playAreaButton"
        x: ptSize * 147
        open: playAreaDropdownVisible
        label: comm.playArea
        onClicked: {
            var s = comm.statusIcon
            if (s === 0 || s === 1 || s === 16 || s === 128)
                playAreaDropdownVisible = !playAreaDropdownVisible
            if (playAreaDropdownVisible) {
                homeCurrentMedia.currentMediaDropdownVisible = false
                homePlayMode.playModeDropdownVisible = false
                lockButton.visible = true
            }
        }
    }
    SelectorEntry {
        id: playAreaAll
        objectName: "areaALL"
        anchors.top: playArea.bottom
        anchors.left: playArea.left
        label: "ALL"
        current: comm.playArea
        visible: playAreaDropdownVisible
        onChosen: choose(label, comm.playAreaAllRequest)
    }
    SelectorEntry {
        id: playAreaFolder
        objectName: "areaFOLDER"
        anchors.top: playAreaAll.bottom
        anchors.left: playAreaAll.left
        label: "FOLDER"
        current: comm.playArea
        visible: playAreaDropdownVisible && (comm.currentMedia !== "CD" || comm.cdType.indexOf("Data") >= 0
                                             || comm.allTrackNo === "000")
        onChosen: choose(label, comm.playAreaFolderRequest)
    }
    SelectorEntry {
        objectName: "areaPLAYLIST"
        anchors.top: playAreaFolder.bottom
        anchors.left: playAreaFolder.left
        label: "PLAYLIST"
        current: comm.playArea
        visible: playAreaDropdownVisible && comm.currentMedia !== "CD"
        onChosen: choose(label, comm.playAreaPlaylistRequest)
    }
}
