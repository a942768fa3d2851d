import QtQuick 2.8

// One week-day letter of an event row: lit when the event runs that day.
Rectangle {
    property color offColor: "#999999"
    property color onColor: "white"
    property bool enable: false
    property alias weekIconText: weekIcon.text

    y: ptSize * 5
    width: ptSize * 24
    height: width
    radius: ptSize * 4
    color: enable ? onColor : offColor
    border.width: ptSize * 2
    border.color: enable ? "black" : "#464646"

    Text {
        id: weekIcon
        anchors.fill: parent
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        textFormat: Text.PlainText
        font.pixelSize: ptSize * 17
        color: enable ? "black" : "white"
    }
}
