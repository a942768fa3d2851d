import QtQuick 2.8

// A time readout: hours, minutes and seconds in one size, the hundredths
// smaller to the right of the seconds. The texts are shown as given. The
// width ends at the seconds, so a readout anchored by its right edge aligns
// its seconds.
Item {
    id: root
    property int fontPixelSize: 1
    property bool enableClick: false
    property alias hourText: hour.text
    property alias minText: min.text
    property alias secText: sec.text
    property alias flameText: flame.text
    property alias flameFontPixelSize: flame.font.pixelSize
    property alias flameVisible: flame.visible

    width: hour.contentWidth + coron1.contentWidth + min.contentWidth + coron2.contentWidth + sec.contentWidth

    Text {
        id: hour
        text: "00"
        textFormat: Text.PlainText
        font.pixelSize: root.fontPixelSize
    }
    Text {
        id: coron1
        anchors.left: hour.right
        text: ":"
        textFormat: Text.PlainText
        font.pixelSize: root.fontPixelSize
    }
    Text {
        id: min
        anchors.left: coron1.right
        text: "00"
        textFormat: Text.PlainText
        font.pixelSize: root.fontPixelSize
    }
    Text {
        id: coron2
        anchors.left: min.right
        text: ":"
        textFormat: Text.PlainText
        font.pixelSize: root.fontPixelSize
    }
    Text {
        id: sec
        anchors.left: coron2.right
        text: "00"
        textFormat: Text.PlainText
        font.pixelSize: root.fontPixelSize
    }
    Text {
        id: flame
        anchors.left: sec.right
        anchors.leftMargin: ptSize * 10
        anchors.bottom: sec.bottom
        text: "00"
        textFormat: Text.PlainText
        visible: false
    }
}
