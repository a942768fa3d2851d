import QtQuick 2.8
import Qt.labs.calendar 1.0
import QtQml 2.2

// A one-month calendar on which a day is picked, January 2000 to December
// 2099. A day counts as chosen while selectedDate's year is after 1999.
Item {
    id: timerEventCalenderRoot

    property date selectedDate
    property bool everyMonth: false
    readonly property bool chosen: selectedDate.getFullYear() > 1999

    signal clicked()

    function clearDate() {
        selectedDate = getInvalidDate()
    }

    Rectangle {
        id: timerEventCalender
        width: ptSize * 282
        height: ptSize * 182
        color: "transparent"
        border.color: "#B4B4B4"
        clip: true

        Rectangle {
            id: weekRect
            y: ptSize * 28
            anchors.left: parent.left
            anchors.right: parent.right
            height: ptSize * 16
            color: "transparent"
            border.color: "#B4B4B4"

            DayOfWeekRow {
                id: week
                anchors.fill: parent
                locale: grid.locale
                delegate: Text {
                    text: model.narrowName
                    font.pixelSize: ptSize * 13
                    textFormat: Text.PlainText
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                    color: model.day === 0 ? "#A05562" : model.day === 6 ? "#529BB5" : "#878787"
                }
            }
        }

        Text {
            objectName: "calendarTitle"
            width: parent.width
            height: ptSize * 28
            text: grid.year + "/" + (grid.month + 1)
            font.pixelSize: ptSize * 16
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            textFormat: Text.PlainText
            color: chosen ? "black" : "#878787"
        }

        Image {
            id: leftMark
            x: ptSize * 54
            y: ptSize * 4.5
            sourceSize.height: ptSize * 19
            source: chosen ? "Resource/TimerEvent/left-B_11x19.svg" : "Resource/TimerEvent/left_11x19.svg"
        }

        MouseArea {
            objectName: "previousMonth"
            property bool takesSecondTap: true
            anchors.horizontalCenter: leftMark.horizontalCenter
            width: ptSize * 33
            height: weekRect.y
            onClicked: {
                if (grid.month === Calendar.January) {
                    if (grid.year !== 2000) {
                        grid.year = grid.year - 1
                        grid.month = Calendar.December
                    }
                } else {
                    grid.month = grid.month - 1
                }
            }
        }

        Image {
            id: rightMark
            x: ptSize * 217
            y: ptSize * 4.5
            sourceSize.height: ptSize * 19
            source: chosen ? "Resource/TimerEvent/right-B_11x19.svg" : "Resource/TimerEvent/right_11x19.svg"
        }

        MouseArea {
            objectName: "nextMonth"
            property bool takesSecondTap: true
            anchors.horizontalCenter: rightMark.horizontalCenter
            width: ptSize * 33
            height: weekRect.y
            onClicked: {
                if (grid.month === Calendar.December) {
                    if (grid.year !== 2099) {
                        grid.year = grid.year + 1
                        grid.month = Calendar.January
                    }
                } else {
                    grid.month = grid.month + 1
                }
            }
        }

        MonthGrid {
            id: grid
            objectName: "monthGrid"
            y: ptSize * 44 - 1
            width: parent.width - 1
            locale: Qt.locale("en_US")
            spacing: 0
            delegate: Item {
                width: grid.width / 7
                height: ptSize * 23

                Rectangle {
                    id: suiheisen
                    anchors.left: parent.left
                    anchors.right: parent.right
                    anchors.top: parent.top
                    height: 1
                    color: "#B4B4B4"
                }

                Rectangle {
                    id: suityokusen
                    anchors.top: parent.top
                    anchors.bottom: parent.bottom
                    anchors.left: parent.left
                    width: 1
                    color: "#B4B4B4"
                }

                Rectangle {
                    objectName: "day" + model.day
                    anchors.top: suiheisen.bottom
                    anchors.left: suityokusen.right
                    anchors.right: parent.right
                    anchors.bottom: parent.bottom
                    radius: ptSize * 3
                    smooth: false
                    visible: model.month === grid.month
                    readonly property bool sameDay: model.year === selectedDate.getFullYear()
                                                    && model.day === selectedDate.getDate()
                    readonly property bool marked: sameDay && (everyMonth || model.month === selectedDate.getMonth())
                    color: marked ? "#64A5DD" : "transparent"

                    Text {
                        anchors.fill: parent
                        text: model.day
                        font.pixelSize: ptSize * 13
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignVCenter
                        textFormat: Text.PlainText
                        color: parent.sameDay && model.month === selectedDate.getMonth() ? "white" : "#878787"

                        MouseArea {
                            anchors.fill: parent
                            // Local noon of the tapped day: the same day in every time zone.
                            onClicked: {
                                selectedDate = new Date(model.year, model.month, model.day, 12)
                                timerEventCalenderRoot.clicked()
                            }
                        }
                    }
                }
            }
        }
    }
}
