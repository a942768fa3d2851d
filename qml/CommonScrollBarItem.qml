import QtQuick 2.8

// Handle of a list's vertical scroll bar (used as the ScrollBar's contentItem).
Rectangle {
    implicitWidth: ptSize * 20
    radius: width / 2
    color: "#B329ABE2"
    opacity: parent && parent.pressed ? 0.9 : 0.7
    border.width: 1.0
    border.color: "#464646"
}
