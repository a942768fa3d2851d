import QtQuick 2.8

// The plain grey text button of dialogs (OK, Cancel).
MouseArea {
    width: ptSize * 100
    height: ptSize * 44

    property alias text: buttonText.text

    Rectangle {
        anchors.fill: parent
        radius: ptSize * 5
        color: "#C8C8C8"

        Text {
            id: buttonText
            anchors.centerIn: parent
            textFormat: Text.PlainText
            font.pixelSize: ptSize * 20
        }
    }
}
