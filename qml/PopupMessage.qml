import QtQuick 2.8

// The small message bar at the top of the window. It fades in on show() and
// stays until it is tapped or hidden; popupEnabled tells whether a message is up.
Rectangle {
    id: popupMessage
    width: ptSize * 400
    height: ptSize * 40
    radius: ptSize * 3
    color: "#E8E8E8"
    opacity: 0.0

    property alias popupEnabled: popupMouseArea.visible

    function show(message) {
        phantomOnPopup.hide()
        popupAnimation.stop()
        popupMessageText.text = message
        popupAnimation.from = 0
        popupAnimation.to = 1
        popupAnimation.start()
        popupMouseArea.visible = true
    }

    function hide() {
        if (popupAnimation.running && popupAnimation.to === 0)
            return // already fading out
        if (!popupAnimation.running && popupMessage.opacity === 0)
            return // nothing is shown
        // A fade-in may still run: start() would be ignored then and leave the
        // message up without its tap area, so stop it and fade out from here.
        popupAnimation.stop()
        popupAnimation.from = popupMessage.opacity
        popupAnimation.to = 0
        popupAnimation.start()
        popupMouseArea.visible = false
    }

    ModalArea {
        id: popupMouseArea
        visible: false
        onClicked: popupMessage.hide()
    }

    Text {
        id: popupMessageText
        anchors.centerIn: parent
        color: "black"
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        font.pixelSize: ptSize * 18
    }

    PropertyAnimation {
        id: popupAnimation
        target: popupMessage
        property: "opacity"
        duration: 400
        easing.type: Easing.OutQuart
    }
}
