import QtQuick 2.8

// One entry of a home selector's list, hung under the item above it; lit
// when it names the recorder's current value.
Image {
    property alias label: labelText.text
    property string current
    signal chosen()

    width: ptSize * 120
    height: ptSize * 48
    sourceSize: Qt.size(width, height)
    source: current === label ? "Resource/button-D_ON_120x48_3.png" : "Resource/button-D_OFF_120x48_3.png"

    Text {
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
    ModalArea {
        onClicked: parent.chosen()
    }
}
