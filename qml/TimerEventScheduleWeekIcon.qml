import QtQuick 2.8

// One week-day toggle of the schedule editor. An off tile's frame takes the
// colour of the panel behind it, which depends on the editor's mode (select).
Rectangle {
    property color offColor: "#999999"
    property color onColor: "white"
    property bool enable: false
    property alias weekIconText: weekIcon.text

    y: ptSize * 69
    width: ptSize * 37
    height: ptSize * 38
    radius: ptSize * 3
    color: enable ? onColor : offColor
    border.width: ptSize * 1
    border.color: enable ? "black" : (select === 1 ? "#F7F7F7" : "#DBDBDB")

    Text {
        id: weekIcon
        anchors.fill: parent
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        textFormat: Text.PlainText
        font.pixelSize: ptSize * 15
        color: enable ? "black" : "white"
    }
}
