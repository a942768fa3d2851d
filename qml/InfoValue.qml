import QtQuick 2.8

// A text value of the information panel, in the value column.
Text {
    x: ptSize * 150
    height: ptSize * 22
    verticalAlignment: Text.AlignVCenter
    textFormat: Text.PlainText
    font.pixelSize: ptSize * 15
    font.weight: Font.Medium
}
