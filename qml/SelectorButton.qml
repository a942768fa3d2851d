import QtQuick 2.8
import QtQuick.Controls 2.1

// The closed button of a home selector: its label over the dark picture,
// lit while held or while its list is open. Takes clicks only once the
// settings menu has been read.
Button {
    property alias label: labelText.text
    property bool open: false
    y: ptSize * 25
    width: ptSize * 120
    height: ptSize * 48
    enabled: menu.drawingFinished

    contentItem: Text {
        id: labelText
        objectName: "label"
        anchors.fill: parent
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        color: "#B4B4B4"
        font.pixelSize: ptSize * 16
        font.weight: Font.Medium
        textFormat: Text.PlainText
    }
    background: Image {
        anchors.fill: parent
        sourceSize: Qt.size(parent.width, parent.height)
        source: parent.down || parent.open ? "Resource/button-D_ON_120x48_3.png" : "Resource/button-D_OFF_120x48_3.png"
    }
}
