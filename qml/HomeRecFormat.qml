import QtQuick 2.8

// The record format while recording, in the play-area selector's place.
Image {
    x: ptSize * 147
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
        text: comm.currentMedia === "CD" ? comm.recFormatCd : comm.recFormat
    }
}
