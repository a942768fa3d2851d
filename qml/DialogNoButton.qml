import QtQuick 2.8

// Modal notice: dims and blocks everything beneath it and shows a wrapped
// message in a grey box. Buttons, where a screen needs them, are declared
// inside the instance and lie above the box in the dimmed area's coordinates.
Rectangle {
    anchors.fill: parent
    color: "#99000000"

    property alias text: showText.text

    ModalArea {}

    Rectangle {
        y: ptSize * 129
        anchors.horizontalCenter: parent.horizontalCenter
        width: ptSize * 325
        height: ptSize * 170
        radius: ptSize * 10
        color: "#DBDBDB"
        border.width: ptSize * 3

        Text {
            id: showText
            anchors.fill: parent
            anchors.topMargin: ptSize * 13
            anchors.bottomMargin: ptSize * 13
            anchors.leftMargin: ptSize * 20
            anchors.rightMargin: ptSize * 20
            font.pixelSize: ptSize * 20
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            lineHeightMode: Text.FixedHeight
            lineHeight: ptSize * 30
        }
    }
}
