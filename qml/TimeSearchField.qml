import QtQuick 2.8
import QtQuick.Controls 2.1

// A digit field of the time-search window; the window's picture draws its well.
TextField {
    width: ptSize * 60
    height: ptSize * 50
    maximumLength: 2
    color: "white"
    font.pixelSize: ptSize * 30
    horizontalAlignment: TextInput.AlignHCenter
    inputMethodHints: Qt.ImhDigitsOnly
    background: Item {}
}
