import QtQuick 2.8

// A row label of the information panel. Placed inside a value picture it
// ends 12 units left of it; a row whose value is text anchors it itself.
Text {
    height: parent.height
    anchors.right: parent.left
    anchors.rightMargin: ptSize * 12
    verticalAlignment: Text.AlignVCenter
    textFormat: Text.PlainText
    font.pixelSize: ptSize * 15
    font.weight: Font.Medium
}
