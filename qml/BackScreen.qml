import QtQuick 2.8

// Opaque backdrop of one screen: the design canvas, centred on its parent.
Rectangle {
    width: appWindow.appWidth
    height: appWindow.appHeight
    anchors.verticalCenter: parent.verticalCenter
    anchors.horizontalCenter: parent.horizontalCenter
    color: "black"
}
