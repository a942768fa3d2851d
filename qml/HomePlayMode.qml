import QtQuick 2.8
import QtQuick.Controls 2.1

// Selector of the play mode. Its list covers the lock key, so the key hides
// while the list is open.
Item {
    property bool playModeDropdownVisible: false

    // A pick goes when it differs from the user's own pick still on its
    // way, or else from the recorder's value: a pick taken back goes too.
    function choose(name, request) {
        if (comm.playModePick() !== name)
            request()
        playModeDropdownVisible = false
        lockButton.visible = true
    }

    SelectorButton {
        id: playMode
        objectName: "playModeButton"
        x: ptSize * 279
        open: playModeDropdownVisible
        label: comm.playMode
        onClicked: {
            var s = comm.statusIcon
            if (s === 0 || s === 1 || s === 16 || s === 128)
                playModeDropdownVisible = !playModeDropdownVisible
            if (playModeDropdownVisible) {
                homePlayArea.playAreaDropdownVisible = false
                homeCurrentMedia.currentMediaDropdownVisible = false
                lockButton.visible = false
            } else {
                lockButton.visible = true
            }
        }
    }
    SelectorEntry {
        id: playModeContinue
        objectName: "modeCONTINUE"
        anchors.top: playMode.bottom
        anchors.left: playMode.left
        label: "CONTINUE"
        current: comm.playMode
        visible: playModeDropdownVisible
        onChosen: choose(label, comm.playModeContinueRequest)
    }
    SelectorEntry {
        id: playModeSingle
        objectName: "modeSINGLE"
        anchors.top: playModeContinue.bottom
        anchors.left: playModeContinue.left
        label: "SINGLE"
        current: comm.playMode
        visible: playModeDropdownVisible
        onChosen: choose(label, comm.playModeSingleRequest)
    }
    SelectorEntry {
        id: playModeProgram
        objectName: "modePROGRAM"
        anchors.top: playModeSingle.bottom
        anchors.left: playModeSingle.left
        label: "PROGRAM"
        current: comm.playMode
        visible: playModeDropdownVisible
        onChosen: choose(label, comm.playModeProgramRequest)
    }
    SelectorEntry {
        objectName: "modeRANDOM"
        anchors.top: playModeProgram.bottom
        anchors.left: playModeProgram.left
        label: "RANDOM"
        current: comm.playMode
        visible: playModeDropdownVisible
        onChosen: choose(label, comm.playModeRandomRequest)
    }
}
