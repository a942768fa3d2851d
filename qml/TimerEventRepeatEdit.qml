import QtQuick 2.8

// Sets how often the edited event repeats (1 … 100) and at what interval. The
// count wheel's index is the count less one. Only OK hands the values to the
// model; every way out closes the editor.
Rectangle {
    property alias c: countTumbler.currentIndex
    property alias h: hourTumbler.currentIndex
    property alias m: minutesTumbler.currentIndex

    color: "#99000000"

    ModalArea {
        onClicked: timerEventRepeatEditLoader.active = false
    }

    Rectangle {
        y: ptSize * 64
        anchors.horizontalCenter: parent.horizontalCenter
        width: ptSize * 325
        height: ptSize * 485
        radius: ptSize * 10
        color: "#DBDBDB"
        border.width: ptSize * 3

        MouseArea {
            anchors.fill: parent
        }

        Text {
            x: ptSize * 28
            y: ptSize * 12
            text: "Repeat event count"
            font.pixelSize: ptSize * 20
            color: "#878787"
            textFormat: Text.PlainText
        }

        Rectangle {
            y: ptSize * 100
            anchors.horizontalCenter: parent.horizontalCenter
            width: ptSize * 200
            height: ptSize * 32
            radius: ptSize * 3
            color: "#F7F7F7"
        }

        Image {
            y: ptSize * 110
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.horizontalCenterOffset: -ptSize * 45
            sourceSize.width: ptSize * 48
            smooth: false
            source: "Resource/TimerEvent/icon_48x14_RepeatCount.svg"
        }

        TimerEventTumbler {
            id: countTumbler
            objectName: "countTumbler"
            x: ptSize * 177
            y: ptSize * 36
            model: 100
        }

        Rectangle {
            x: ptSize * 28
            y: ptSize * 201
            width: ptSize * 269
            height: ptSize * 2
            color: "#878787"
        }

        Text {
            x: ptSize * 28
            y: ptSize * 213
            text: "Repeat interval time"
            font.pixelSize: ptSize * 20
            color: "#878787"
            textFormat: Text.PlainText
        }

        Rectangle {
            y: ptSize * 301
            anchors.horizontalCenter: parent.horizontalCenter
            width: ptSize * 200
            height: ptSize * 32
            radius: ptSize * 3
            color: "#F7F7F7"
        }

        TimerEventTumbler {
            id: hourTumbler
            objectName: "intervalHourTumbler"
            y: ptSize * 236
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.horizontalCenterOffset: -ptSize * 45
            model: 24
            TimerEventUnitLetter { text: "h" }
        }

        TimerEventTumbler {
            id: minutesTumbler
            objectName: "intervalMinutesTumbler"
            x: ptSize * 177
            y: ptSize * 236
            model: 60
            TimerEventUnitLetter { text: "m"; anchors.horizontalCenterOffset: ptSize * 23 }
        }

        TimerEventButtonRect {
            objectName: "repeatOk"
            x: ptSize * 42
            y: ptSize * 427
            text: "OK"
            onClicked: {
                tev.changeRepeat(countTumbler.currentIndex + 1, hourTumbler.currentIndex, minutesTumbler.currentIndex)
                timerEventRepeatEditLoader.active = false
            }
        }

        TimerEventButtonRect {
            objectName: "repeatCancel"
            x: ptSize * 183
            y: ptSize * 427
            text: "Cancel"
            onClicked: timerEventRepeatEditLoader.active = false
        }
    }
}
