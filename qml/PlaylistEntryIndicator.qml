import QtQuick 2.8

// Number badge of a playlist entry: the 1-based number in a dark frame with a
// short coloured segment that steps clockwise round the frame from entry to
// entry, twelve places a lap (red on the side edges, blue on top and bottom).
Rectangle {
    id: indicator

    property int indicatorWidth: ptSize * 5
    property int indicatorNumber: 0
    property int pos: indicatorNumber % 12
    property bool isShapeRed: Math.floor(indicatorNumber * 0.5) % 6 === 2 || Math.floor(indicatorNumber * 0.5) % 6 === 5

    color: "transparent"
    border.width: indicatorWidth
    border.color: "#3C3C3C"

    Rectangle {
        objectName: "indicatorSegment"
        color: isShapeRed ? "#C24C37" : "#65A6DE"
        width: isShapeRed ? indicatorWidth : indicator.width / 4
        height: isShapeRed ? indicator.height / 2 - indicatorWidth : indicatorWidth
        visible: indicatorNumber < 96
        x: pos === 1 || pos === 8 ? indicator.width * 0.25
           : pos === 2 || pos === 7 ? indicator.width * 0.5
           : pos === 3 || pos === 6 ? indicator.width * 0.25 * 3
           : pos === 4 || pos === 5 ? indicator.width - indicatorWidth
           : 0
        y: pos <= 3 ? 0
           : pos === 4 || pos === 11 ? indicatorWidth
           : pos === 5 || pos === 10 ? indicator.height * 0.5
           : indicator.height - indicatorWidth
    }

    Text {
        anchors.fill: parent
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        textFormat: Text.PlainText
        text: indicatorNumber + 1
        font.pixelSize: ptSize * 24
        font.weight: Font.Medium
        color: "white"
    }
}
