import QtQuick 2.8

// Sets when the focused event runs: every day, on chosen week days, or on one
// date (optionally that day of every month). Only OK changes the event.
Rectangle {
    id: scheduleRoot

    property int select: 0
    property bool sun: false
    property bool mon: false
    property bool tue: false
    property bool wed: false
    property bool thu: false
    property bool fri: false
    property bool sat: false
    property alias date: calender.selectedDate
    property alias everyMonth: calender.everyMonth

    function weekString() {
        return (sun ? "S" : "_") + (mon ? "M" : "_") + (tue ? "T" : "_") + (wed ? "W" : "_")
             + (thu ? "T" : "_") + (fri ? "F" : "_") + (sat ? "S" : "_")
    }

    // The first tap on a day switches to the week page; later taps toggle the day.
    function tapDay(flag) {
        if (select !== 1)
            select = 1
        else
            scheduleRoot[flag] = !scheduleRoot[flag]
        calender.clearDate()
    }

    color: "#99000000"

    ModalArea {
        onClicked: timerEventScheduleLoader.active = false
    }

    Image {
        y: ptSize * 110
        anchors.horizontalCenter: parent.horizontalCenter
        sourceSize.height: ptSize * 420
        source: select === 0 ? "Resource/TimerEvent/Schedule_everyday_325x420.svg"
              : select === 1 ? "Resource/TimerEvent/Schedule_week_325x420.svg"
              : "Resource/TimerEvent/Schedule_day_325x420.svg"

        MouseArea {
            anchors.fill: parent
        }

        Text {
            x: ptSize * 21.5
            y: ptSize * 16
            text: "Every day"
            font.pixelSize: ptSize * 20
            font.weight: Font.Medium
            textFormat: Text.PlainText
            color: select === 0 ? "black" : "#878787"
        }

        MouseArea {
            objectName: "scheduleEveryDay"
            x: ptSize * 20
            y: ptSize * 18
            width: ptSize * 282
            height: ptSize * 30
            onClicked: {
                select = 0
                calender.clearDate()
            }
        }

        Repeater {
            model: [
                { flag: "sun", name: "Sun" }, { flag: "mon", name: "Mon" }, { flag: "tue", name: "Tue" },
                { flag: "wed", name: "Wed" }, { flag: "thu", name: "Thu" }, { flag: "fri", name: "Fri" },
                { flag: "sat", name: "Sat" }
            ]
            TimerEventScheduleWeekIcon {
                objectName: "scheduleDay" + modelData.name
                x: ptSize * (21.5 + 40.833 * index)
                weekIconText: modelData.name
                enable: scheduleRoot[modelData.flag]
                offColor: index === 0 ? "#895A58" : index === 6 ? "#648593" : "#999999"
                onColor: index === 0 ? "#FC8F77" : index === 6 ? "#AEDEFF" : "white"

                MouseArea {
                    anchors.fill: parent
                    onClicked: scheduleRoot.tapDay(modelData.flag)
                }
            }
        }

        Rectangle {
            x: ptSize * 203.5
            y: ptSize * 127
            width: ptSize * 100
            height: ptSize * 24
            radius: ptSize * 3
            readonly property bool active: select === 2 && everyMonth
            color: active ? "#AEDEFF" : "#C8C8C8"
            border.width: active ? ptSize * 1 : 0

            Text {
                anchors.fill: parent
                text: "Every month"
                font.pixelSize: ptSize * 15
                font.weight: Font.Medium
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                textFormat: Text.PlainText
                color: parent.active ? "black" : "white"
            }

            MouseArea {
                objectName: "scheduleEveryMonth"
                anchors.fill: parent
                onClicked: {
                    select = 2
                    everyMonth = !everyMonth
                }
            }
        }

        TimerEventCalender {
            id: calender
            x: ptSize * 21.5
            y: ptSize * 156
            onClicked: select = 2
        }

        TimerEventButtonRect {
            objectName: "scheduleOk"
            x: ptSize * 42
            y: ptSize * 363
            text: "OK"
            onClicked: {
                // A date page with no day chosen leaves the event as it is.
                if (select === 2) {
                    if (calender.chosen)
                        tev.changeDate(calender.selectedDate, everyMonth)
                } else {
                    tev.changeWeek(select === 1 ? weekString() : "EVERY DAY")
                }
                timerEventScheduleLoader.active = false
            }
        }

        TimerEventButtonRect {
            objectName: "scheduleCancel"
            x: ptSize * 183
            y: ptSize * 363
            text: "Cancel"
            onClicked: {
                timerEventScheduleLoader.active = false
                calender.clearDate()
            }
        }
    }
}
