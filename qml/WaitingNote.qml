import QtQuick 2.8

// One line in a window whose confirmed request waits for the recorder.
Text {
    objectName: "waitingNote"
    anchors.horizontalCenter: parent.horizontalCenter
    height: ptSize * 20
    verticalAlignment: Text.AlignVCenter
    text: "Waiting for the recorder…"
    textFormat: Text.PlainText
    font.pixelSize: ptSize * 14
    font.italic: true
    color: "#2F3E5B"
}
