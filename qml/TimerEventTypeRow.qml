import QtQuick 2.8

// A choice row with the event type's symbol on the left and its name on the right.
TimerEventRow {
    property alias title: title.text
    property alias icon: icon.source

    Image {
        id: icon
        x: ptSize * 22
        y: ptSize * 9
        sourceSize.width: ptSize * 62
        smooth: false
    }

    Text {
        id: title
        anchors.right: parent.right
        anchors.rightMargin: ptSize * 47
        y: ptSize * 16
        font.pixelSize: ptSize * 15
        font.weight: Font.Medium
        textFormat: Text.PlainText
        color: selected ? "black" : "#878787"
    }
}
