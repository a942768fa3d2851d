import QtQuick 2.8

// The unit beside a wheel's middle item ("h", "m", "s").
Text {
    anchors.centerIn: parent
    anchors.horizontalCenterOffset: ptSize * 20
    font.pixelSize: ptSize * 20
    textFormat: Text.PlainText
}
