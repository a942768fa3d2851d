import QtQuick 2.8

// A selectable row of the timer-event choice dialogs: a framed strip with an
// empty marker box, white while it is the chosen one. The row only reports
// taps; which row is chosen is its picker's state.
MouseArea {
    property bool selected: false

    x: ptSize * 12.5
    width: ptSize * 300
    height: ptSize * 44

    Rectangle {
        anchors.fill: parent
        radius: ptSize * 2
        border.width: 1
        border.color: "#C8C8C8"
        color: selected ? "white" : "transparent"
    }

    Rectangle {
        x: ptSize * 261
        y: ptSize * 12
        width: ptSize * 22
        height: ptSize * 22
        color: "transparent"
        border.width: 1
        border.color: "#878787"
        radius: ptSize * 3
    }
}
