import QtQuick 2.8

// Sets the edited event's time of day on three wheels. Only OK hands the
// time to the model; every way out closes the editor.
Rectangle {
    property alias h: hourTumbler.currentIndex
    property alias m: minutesTumbler.currentIndex
    property alias s: secTumbler.currentIndex

    color: "#99000000"

    ModalArea {
        onClicked: timerEventTimeEditLoader.active = false
    }

    Rectangle {
        y: ptSize * 110
        anchors.horizontalCenter: parent.horizontalCenter
        width: ptSize * 325
        height: ptSize * 315
        radius: ptSize * 10
        color: "#DBDBDB"
        border.width: ptSize * 3

        MouseArea {
            anchors.fill: parent
        }

        Rectangle {
            y: ptSize * 113
            anchors.horizontalCenter: parent.horizontalCenter
            width: ptSize * 268
            height: ptSize * 32
            radius: ptSize * 3
            color: "#F7F7F7"
        }

        TimerEventTumbler {
            id: hourTumbler
            objectName: "hourTumbler"
            y: ptSize * 49
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.horizontalCenterOffset: -ptSize * 87
            model: 24
            TimerEventUnitLetter { text: "h" }
        }

        TimerEventTumbler {
            id: minutesTumbler
            objectName: "minutesTumbler"
            y: ptSize * 49
            anchors.horizontalCenter: parent.horizontalCenter
            model: 60
            TimerEventUnitLetter { text: "m"; anchors.horizontalCenterOffset: ptSize * 23 }
        }

        TimerEventTumbler {
            id: secTumbler
            objectName: "secTumbler"
            y: ptSize * 49
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.horizontalCenterOffset: ptSize * 80
            model: 60
            TimerEventUnitLetter { text: "s" }
        }

        TimerEventButtonRect {
            objectName: "timeOk"
            x: ptSize * 42
            y: ptSize * 259
            text: "OK"
            onClicked: {
                tev.changeTime(hourTumbler.currentIndex, minutesTumbler.currentIndex, secTumbler.currentIndex)
                timerEventTimeEditLoader.active = false
            }
        }

        TimerEventButtonRect {
            objectName: "timeCancel"
            x: ptSize * 183
            y: ptSize * 259
            text: "Cancel"
            onClicked: timerEventTimeEditLoader.active = false
        }
    }
}
