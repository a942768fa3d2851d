import QtQuick 2.8

// Chooses which events the list shows: all, today's, or one day's. Only OK
// hands the choice to the model; every way out closes the dialog.
Rectangle {
    property int select: 0
    property alias date: calender.selectedDate

    color: "#99000000"

    ModalArea {
        onClicked: timerEventFilterLoader.active = false
    }

    Image {
        y: ptSize * 110
        anchors.horizontalCenter: parent.horizontalCenter
        sourceSize.height: ptSize * 400
        source: select === 0 ? "Resource/TimerEvent/filterWindow_all_325x400.svg"
              : select === 1 ? "Resource/TimerEvent/filterWindow_today_325x400.svg"
              : "Resource/TimerEvent/filterWindow_date_325x400.svg"

        MouseArea {
            anchors.fill: parent
        }

        Text {
            x: ptSize * 21.5
            y: ptSize * 21
            text: "Show all"
            font.pixelSize: ptSize * 20
            font.weight: Font.Medium
            textFormat: Text.PlainText
            color: select === 0 ? "black" : "#878787"
        }

        MouseArea {
            objectName: "filterShowAll"
            x: ptSize * 20
            y: ptSize * 18
            width: ptSize * 282
            height: ptSize * 30
            onClicked: {
                select = 0
                calender.clearDate()
            }
        }

        Text {
            x: ptSize * 21.5
            y: ptSize * 81
            text: "Show today"
            font.pixelSize: ptSize * 20
            font.weight: Font.Medium
            textFormat: Text.PlainText
            color: select === 1 ? "black" : "#878787"
        }

        MouseArea {
            objectName: "filterShowToday"
            x: ptSize * 20
            y: ptSize * 80
            width: ptSize * 282
            height: ptSize * 30
            onClicked: {
                select = 1
                calender.clearDate()
            }
        }

        TimerEventCalender {
            id: calender
            x: ptSize * 21.5
            y: ptSize * 136
            onClicked: select = 2
        }

        TimerEventButtonRect {
            objectName: "filterOk"
            x: ptSize * 42
            y: ptSize * 343
            text: "OK"
            onClicked: {
                if (select === 2)
                    tev.showDate(calender.selectedDate)
                else if (select === 1)
                    tev.showToday()
                else
                    tev.showAll()
                timerEventFilterLoader.active = false
            }
        }

        TimerEventButtonRect {
            objectName: "filterCancel"
            x: ptSize * 183
            y: ptSize * 343
            text: "Cancel"
            onClicked: {
                timerEventFilterLoader.active = false
                calender.clearDate()
            }
        }
    }
}
