import QtQuick 2.8
import QtQuick.Controls 2.1

// Selector of the recorder's current medium. A choice asks the recorder to
// switch; the label changes when the recorder reports the new medium.
Item {
    property bool currentMediaDropdownVisible: false

    // A pick goes when it differs from the user's own pick still on its
    // way, or else from the recorder's value: a pick taken back goes too.
    function choose(name, request) {
        if (comm.mediumPick() !== name)
            request()
        currentMediaDropdownVisible = false
    }

    SelectorButton {
        id: currentMedia
        objectName: "currentMediaButton"
        x: ptSize * 15
        open: currentMediaDropdownVisible
        label: {
            if (comm.backupRelay && !playOnly)
                return comm.currentMediaBackupRelay
            if (comm.currentMedia === "CD")
                return comm.cdType.indexOf("R") >= 0 ? comm.cdType + "\n" + comm.finalizedCd : comm.cdType
            return comm.currentMedia
        }
        onClicked: {
            var s = comm.statusIcon
            if (playOnly && (s === 0 || s === 1 || s === 16 || s === 128))
                currentMediaDropdownVisible = !currentMediaDropdownVisible
            if (currentMediaDropdownVisible) {
                homePlayArea.playAreaDropdownVisible = false
                homePlayMode.playModeDropdownVisible = false
                lockButton.visible = true
            }
        }
    }
    SelectorEntry {
        id: currentMediaUSB
        objectName: "mediaUSB"
        anchors.top: currentMedia.bottom
        anchors.left: currentMedia.left
        label: "USB"
        current: comm.currentMedia
        visible: currentMediaDropdownVisible
        onChosen: choose(label, comm.currentMediaUSBRequest)
    }
    SelectorEntry {
        id: currentMediaSD1
        objectName: "mediaSD1"
        anchors.top: currentMediaUSB.bottom
        anchors.left: currentMediaUSB.left
        label: "SD1"
        current: comm.currentMedia
        visible: currentMediaDropdownVisible
        onChosen: choose(label, comm.currentMediaSD1Request)
    }
    SelectorEntry {
        id: currentMediaSD2
        objectName: "mediaSD2"
        anchors.top: currentMediaSD1.bottom
        anchors.left: currentMediaSD1.left
        label: "SD2"
        current: comm.currentMedia
        visible: currentMediaDropdownVisible
        onChosen: choose(label, comm.currentMediaSD2Request)
    }
    SelectorEntry {
        objectName: "mediaCD"
        anchors.top: currentMediaSD2.bottom
        anchors.left: currentMediaSD2.left
        label: "CD"
        current: comm.currentMedia
        visible: currentMediaDropdownVisible && comm.model === 1
        onChosen: choose(label, comm.currentMediaCDRequest)
    }
}
