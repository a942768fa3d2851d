import QtQuick 2.8

// Modal notice: dims and blocks everything beneath it and shows a wrapped
// message in a grey box. Buttons, where a screen needs them, are declared
// inside the instance and lie above the box in the dimmed area's coordinates.
Rectangle {
    id: dialog
    anchors.fill: parent
    color: "#99000000"

    property alias text: showText.text

    // Where the message ends: 10 units above the highest button or line an
    // instance declares and shows, else at the box's inner edge (five lines
    // fit then). A hidden one leaves the message its room.
    readonly property real textBottom: {
        var bottom = box.y + box.height - box.border.width
        for (var i = 0; i < children.length; ++i) {
            if (children[i] !== backdrop && children[i] !== box && children[i].visible)
                bottom = Math.min(bottom, children[i].y - ptSize * 10)
        }
        return bottom
    }

    // The instances live as long as their screens: whenever one opens or is
    // given a new text, its message shows from the first line. An earlier
    // text's scroll does not carry over, nor does a touchpad gesture that the
    // closing cut short (it keeps the area from settling when the text shrinks).
    function toFirstLine() {
        messageArea.cancelFlick()
        messageArea.contentY = 0
    }
    onVisibleChanged: if (visible) toFirstLine()
    onTextChanged: toFirstLine()

    ModalArea {
        id: backdrop
    }

    Rectangle {
        id: box
        y: ptSize * 129
        anchors.horizontalCenter: parent.horizontalCenter
        width: ptSize * 325
        height: ptSize * 170
        radius: ptSize * 10
        color: "#DBDBDB"
        border.width: ptSize * 3

        // A message longer than its place scrolls inside it, never over the buttons.
        Flickable {
            id: messageArea
            objectName: "messageArea"
            anchors.fill: parent
            anchors.topMargin: ptSize * 13
            anchors.bottomMargin: box.y + box.height - dialog.textBottom
            anchors.leftMargin: ptSize * 20
            anchors.rightMargin: ptSize * 20
            clip: true
            contentHeight: showText.height
            flickableDirection: Flickable.VerticalFlick
            boundsBehavior: Flickable.StopAtBounds
            interactive: contentHeight > height

            Text {
                id: showText
                objectName: "message"
                width: messageArea.width
                font.pixelSize: ptSize * 20
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                lineHeightMode: Text.FixedHeight
                lineHeight: ptSize * 30
            }
        }
    }
}
