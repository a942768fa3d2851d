import QtQuick 2.8

// The caption of a control-panel or settings-window button.
Text {
    textFormat: Text.PlainText
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
    font.pixelSize: ptSize * 16
    font.weight: Font.Medium
}
