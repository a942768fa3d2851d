import QtQuick 2.8

// The record sampling rate while recording, in the play-mode selector's place.
Image {
    x: ptSize * 279
    y: ptSize * 25
    width: ptSize * 120
    height: ptSize * 48
    sourceSize: Qt.size(width, height)
    source: "Resource/button-D_OFF_120x48_3.png"
    asynchronous: true

    Text {
        anchors.fill: parent
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        color: "#B4B4B4"
        font.pixelSize: ptSize * 16
        font.weight: Font.Medium
        textFormat: Text.PlainText
        text: {
            if (comm.currentMedia !== "CD")
                return comm.recFs === 0 ? "44.1 kHz" : comm.recFs === 1 ? "48 kHz" : "96 kHz"
            return comm.recFsCd === 0 ? "44.1 kHz" : "48 kHz"
        }
    }
}
