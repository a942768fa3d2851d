import QtQuick 2.8

// Badge of the recorder's current medium: a grey pictogram and the medium's name.
Item {
    width: icon.width + text.width
    height: icon.height

    Image {
        id: icon
        smooth: false
        source: comm.currentMedia === "USB" ? "Resource/TimerEvent/icon_16x20_USB.svg"
              : (comm.currentMedia === "SD1" || comm.currentMedia === "SD2") ? "Resource/TimerEvent/icon_16x20_SD.svg"
              : "Resource/TimerEvent/icon_19x19_CD.svg"
        sourceSize.height: comm.currentMedia === "CD" ? ptSize * 19 : ptSize * 20

        Text {
            id: text
            anchors.left: icon.right
            anchors.leftMargin: ptSize * 2
            anchors.bottom: icon.bottom
            text: comm.currentMedia
            font.pixelSize: ptSize * 16
            font.weight: Font.Medium
            textFormat: Text.PlainText
            color: "#666666"
        }
    }
}
