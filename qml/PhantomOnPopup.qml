import QtQuick 2.8
import QtQuick.Controls 2.2

// Asks "Phantom power ON?" before a settings change that would switch phantom
// power on is sent. OK sends the withheld change with the confirmation flag;
// Cancel reads every menu value again, which puts the rows back. It and the
// window's popup message hide each other. The withheld change names a place in
// the menu tree of one login: when that login ends or a new walk replaces the
// tree, it hides without sending anything, and the rows drawn from the new
// tree show the recorder's values.
Rectangle {
    id: popupMessage
    width: ptSize * 400
    height: ptSize * 80
    radius: ptSize * 3
    color: "#E8E8E8"
    opacity: 0

    property int page: 0
    property int item: 0
    property int subitem: 0
    property int value: 0

    function show(i, j, k, l) {
        popup.hide()
        page = i
        item = j
        subitem = k
        value = l
        popupAnimation.stop()
        popupAnimation.from = 0
        popupAnimation.to = 1
        popupAnimation.start()
        popupMouseArea.visible = true
        okButton.visible = true
        cancelButton.visible = true
    }

    function hide() {
        if (popupAnimation.running && popupAnimation.to === 0)
            return // already fading out
        if (!popupAnimation.running && popupMessage.opacity === 0)
            return // nothing is shown
        // A fade-in may still run: fade out from where it is, so that the
        // overlay always ends hidden.
        popupAnimation.stop()
        popupAnimation.from = popupMessage.opacity
        popupAnimation.to = 0
        popupAnimation.start()
        popupMouseArea.visible = false
        okButton.visible = false
        cancelButton.visible = false
    }

    Connections {
        target: comm
        function onLoginCompChanged() {
            if (!comm.loginComp)
                popupMessage.hide()
        }
    }

    Connections {
        target: menu
        function onMenuStarted() { popupMessage.hide() }
    }

    ModalArea {
        id: popupMouseArea
        visible: false
    }

    Text {
        id: popupMessageText
        x: ptSize * 11
        y: ptSize * 11
        width: parent.width - ptSize * 22
        color: "black"
        text: "Phantom power ON?"
        horizontalAlignment: Text.AlignHCenter
        textFormat: Text.PlainText
        wrapMode: Text.WordWrap
        font.pixelSize: ptSize * 18
    }

    Button {
        id: okButton
        objectName: "phantomOkButton"
        x: ptSize * 10
        y: ptSize * 40
        width: ptSize * 144
        height: ptSize * 30
        visible: false
        contentItem: Text {
            text: "OK"
            color: okButton.pressed ? "white" : "black"
            font.pixelSize: ptSize * 16
            font.weight: Font.Medium
            textFormat: Text.PlainText
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
        background: Image {
            source: okButton.pressed ? "Resource/Oval_ON_144x30_3.png" : "Resource/Oval_OFF_144x30_3.png"
            sourceSize: Qt.size(okButton.width, okButton.height)
        }
        onClicked: {
            menu.changedSubitemObjectValue(page, item, subitem, value, 1)
            popupMessage.hide()
        }
    }

    Button {
        id: cancelButton
        objectName: "phantomCancelButton"
        y: ptSize * 40
        anchors.right: parent.right
        anchors.rightMargin: ptSize * 10
        width: ptSize * 144
        height: ptSize * 30
        visible: false
        contentItem: Text {
            text: "Cancel"
            color: cancelButton.pressed ? "white" : "black"
            font.pixelSize: ptSize * 16
            font.weight: Font.Medium
            textFormat: Text.PlainText
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
        background: Image {
            source: cancelButton.pressed ? "Resource/Oval_ON_144x30_3.png" : "Resource/Oval_OFF_144x30_3.png"
            sourceSize: Qt.size(cancelButton.width, cancelButton.height)
        }
        onClicked: {
            menu.changedCommandMenuData()
            popupMessage.hide()
        }
    }

    PropertyAnimation {
        id: popupAnimation
        target: popupMessage
        property: "opacity"
        duration: 400
        easing.type: Easing.OutQuart
    }
}
