import QtQuick 2.8

// One timer event of the list. A tap on a normal row focuses it; the focused
// row opens the editors of the screen and offers Delete, Save and Cancel.
Item {
    id: timerEventDelegate

    readonly property bool focused: tev.focus === index
    readonly property color numberColor: enable === true ? "white" : "#787878"

    width: appWidth
    height: focused ? ptSize * 200 : ptSize * 158

    // Once the row is made, its height changes when the focus moves to it or
    // away from it (which moves the rows below), or with the window's size.
    // The list then brings the focused row into view each time, so that the
    // last of the rows to change places it by the final heights. A row made
    // focused is placed by the screen when a walk ends with it focused, and
    // left where a scroll back to it brings it.
    property bool made: false
    Component.onCompleted: made = true
    onHeightChanged: {
        if (made)
            timerEventDelegate.ListView.view.showFocusedRow()
    }

    Image {
        x: ptSize * 5
        sourceSize.height: focused ? ptSize * 190 : ptSize * 148
        source: !focused ? "Resource/TimerEvent/area_404x148_RegularArea.svg"
              : enable === true ? "Resource/TimerEvent/area_404x190_OnArea.svg"
              : "Resource/TimerEvent/area_404x190_OffSelect.svg"
    }

    Image {
        id: schedule
        x: ptSize * 15
        y: ptSize * 6
        sourceSize.height: ptSize * 34
        source: "Resource/TimerEvent/Schedule_30x33_Schedule.svg"

        Loader {
            sourceComponent: date.charAt(0) === "2" ? dateComponent
                           : date.charAt(0) === "E" ? everydayComponent : weekComponent
        }

        MouseArea {
            objectName: "rowSchedule"
            anchors.fill: parent
            anchors.rightMargin: ptSize * 10
            onClicked: timerEventScheduleLoader.active = true
        }
    }

    Component {
        id: dateComponent
        Text {
            objectName: "rowDate"
            x: ptSize * 37
            height: schedule.height
            verticalAlignment: Text.AlignVCenter
            font.pixelSize: ptSize * 20
            color: "white"
            textFormat: Text.PlainText
            text: date.replace("/00/", "/**/")
        }
    }

    Component {
        id: everydayComponent
        Rectangle {
            x: ptSize * 37
            y: ptSize * 5
            width: ptSize * 103
            height: ptSize * 24
            radius: ptSize * 4
            color: "white"
            border.width: ptSize * 2
            border.color: "black"

            Text {
                objectName: "rowDate"
                anchors.fill: parent
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                font.pixelSize: ptSize * 17
                color: "black"
                textFormat: Text.PlainText
                text: "EVERY DAY"
            }
        }
    }

    Component {
        id: weekComponent
        Item {
            objectName: "rowWeek"
            property string days: date
            Repeater {
                model: ["S", "M", "T", "W", "T", "F", "S"]
                TimerEventWeekIcon {
                    objectName: "rowDay" + index
                    x: ptSize * (35 + 27 * index)
                    weekIconText: modelData
                    enable: days.charAt(index) !== "_"
                    offColor: index === 0 ? "#895A58" : index === 6 ? "#648593" : "#999999"
                    onColor: index === 0 ? "#FC8F77" : index === 6 ? "#AEDEFF" : "white"
                }
            }
        }
    }

    Image {
        x: ptSize * 15
        y: ptSize * 6
        sourceSize.height: ptSize * 34
        source: "Resource/TimerEvent/Schedule_30x33_Schedule_shade.svg"
        visible: enable === false
    }

    Rectangle {
        x: ptSize * 265
        y: ptSize * 5
        width: ptSize * 56
        height: ptSize * 28
        radius: ptSize * 5
        color: enable === true ? "#0EC0DD" : "#464646"
        border.width: 1
        border.color: "black"

        Text {
            objectName: "switchText"
            anchors.fill: parent
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            font.pixelSize: ptSize * 13
            textFormat: Text.PlainText
            text: enable === true ? "ON" : "OFF"
        }

        MouseArea {
            objectName: "rowSwitch"
            anchors.fill: parent
            onClicked: {
                if (!permission.isReadOnly)
                    tev.changeEnable(index)
            }
        }
    }

    Text {
        id: number
        objectName: "rowNumber"
        anchors.right: parent.right
        anchors.rightMargin: ptSize * 24
        y: ptSize * 6
        font.pixelSize: ptSize * 25
        color: numberColor
        textFormat: Text.PlainText
        text: index + 1

        Text {
            anchors.right: parent.left
            y: ptSize * 10
            font.pixelSize: ptSize * 15
            color: numberColor
            textFormat: Text.PlainText
            text: "NO."
        }
    }

    Rectangle {
        x: ptSize * 15
        y: ptSize * 46
        width: ptSize * 125
        height: ptSize * 54
        radius: ptSize * 5
        color: "#464646"
        border.width: ptSize * 1
        border.color: "black"

        Image {
            x: ptSize * 7
            y: ptSize * 13.6
            sourceSize.width: ptSize * 34.7
            smooth: false
            source: "Resource/TimerEvent/icon_TimeDisplay.svg"
        }

        Text {
            objectName: "rowTime"
            anchors.right: parent.right
            anchors.rightMargin: ptSize * 7
            anchors.bottom: parent.bottom
            anchors.bottomMargin: ptSize * 1.5
            font.pixelSize: ptSize * 18
            color: "white"
            textFormat: Text.PlainText
            text: time
        }

        MouseArea {
            objectName: "rowTimeBox"
            anchors.fill: parent
            onClicked: {
                timerEventTimeEditLoader.h = parseInt(time.slice(0, 2))
                timerEventTimeEditLoader.m = parseInt(time.slice(3, 5))
                timerEventTimeEditLoader.s = parseInt(time.slice(6, 8))
                timerEventTimeEditLoader.active = true
            }
        }
    }

    Rectangle {
        x: ptSize * 146
        y: ptSize * 46
        width: ptSize * 100
        height: ptSize * 54
        radius: ptSize * 5
        color: "#464646"
        border.width: ptSize * 1
        border.color: "black"

        Image {
            x: ptSize * 7
            anchors.bottom: parent.bottom
            anchors.bottomMargin: ptSize * 27
            sourceSize.height: ptSize * 10.2
            smooth: false
            source: "Resource/TimerEvent/icon_RepeatTimes.svg"
        }

        Text {
            objectName: "rowCount"
            x: ptSize * 57
            anchors.bottom: parent.bottom
            anchors.bottomMargin: ptSize * 23
            font.pixelSize: ptSize * 18
            color: "white"
            textFormat: Text.PlainText
            text: repeatEventCount
        }

        Image {
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.bottom: parent.bottom
            anchors.bottomMargin: ptSize * 7
            sourceSize.height: ptSize * 7
            smooth: false
            source: "Resource/TimerEvent/icon_88x7_PlayRepeat.svg"
        }

        Text {
            objectName: "rowInterval"
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.bottom: parent.bottom
            anchors.bottomMargin: ptSize * 1
            font.pixelSize: ptSize * 18
            color: "white"
            textFormat: Text.PlainText
            text: repeatIntervalTime
        }

        MouseArea {
            objectName: "rowRepeatBox"
            anchors.fill: parent
            onClicked: {
                timerEventRepeatEditLoader.c = parseInt(repeatEventCount)
                timerEventRepeatEditLoader.h = parseInt(repeatIntervalTime.slice(0, 2))
                timerEventRepeatEditLoader.m = parseInt(repeatIntervalTime.slice(3, 5))
                timerEventRepeatEditLoader.active = true
            }
        }
    }

    Rectangle {
        x: ptSize * 252
        y: ptSize * 46
        width: ptSize * 147
        height: ptSize * 54
        radius: ptSize * 5
        color: "#464646"
        border.width: ptSize * 1
        border.color: "black"

        Text {
            x: ptSize * 7
            anchors.bottom: parent.bottom
            anchors.bottomMargin: ptSize * 24
            font.pixelSize: ptSize * 15
            color: "#B3B3B3"
            textFormat: Text.PlainText
            text: "TYPE"
        }

        Image {
            objectName: "rowTypeIcon"
            x: ptSize * 61
            anchors.bottom: parent.bottom
            anchors.bottomMargin: ptSize * 5.5
            sourceSize.width: ptSize * 65.1
            smooth: false
            source: eventType === 0 ? "Resource/TimerEvent/icon_65x31_Play.svg"
                  : eventType === 1 ? "Resource/TimerEvent/icon_65x31_PlayRepeat.svg"
                  : eventType === 2 ? "Resource/TimerEvent/icon_65x31_Rec.svg"
                  : eventType === 3 ? "Resource/TimerEvent/icon_65x31_Stop.svg"
                  : eventType === 4 ? "Resource/TimerEvent/icon_65x31_Download.svg"
                  : eventType === 5 ? "Resource/TimerEvent/icon_65x31_DeleteDownload.svg" : ""
        }

        Text {
            objectName: "rowTimeMode"
            x: ptSize * 7
            font.pixelSize: isIos ? ptSize * 12 : ptSize * 11
            y: ptSize * 50 - font.pixelSize
            color: "white"
            textFormat: Text.PlainText
            visible: eventType === 0
            text: timeMode === 0 ? "START TIME" : "END TIME"
        }

        MouseArea {
            objectName: "rowTypeBox"
            anchors.fill: parent
            onClicked: {
                timerEventTypeLoader.eventType = eventType
                timerEventTypeLoader.timeMode = timeMode
                timerEventTypeLoader.active = true
            }
        }
    }

    Image {
        x: ptSize * 15
        y: ptSize * 106
        width: ptSize * 384
        height: ptSize * 37
        sourceSize: Qt.size(width, height)
        source: "Resource/TimerEvent/area_384x37_Unselectedt_3.png"

        TextTapScroll {
            objectName: "rowOption"
            x: ptSize * 7
            width: ptSize * 370
            height: parent.height
            verticalAlignment: Text.AlignVCenter
            font.pixelSize: ptSize * 18
            color: "black"
            pressAndHoldMode: true
            text: option.substring(option.lastIndexOf("\\") + 1)
            onClicked: {
                if (!(eventType > 1)) {
                    timerEventPlayTargetLoader.field = option.replace(/\\/g, "/")
                    timerEventBrowseLoader.active = true
                } else if (eventType === 2) {
                    timerEventRecInputLoader.recInput = option
                    timerEventRecInputLoader.active = true
                } else if (eventType >= 4) {
                    timerEventDlTargetLoader.field = option
                    timerEventDlTargetLoader.active = true
                }
            }
        }
    }

    Image {
        x: ptSize * 64
        y: ptSize * 152
        sourceSize.height: ptSize * 29
        source: "Resource/TimerEvent/icon_25x29_Delete.svg"
        visible: focused

        MouseArea {
            objectName: "rowDelete"
            anchors.fill: parent
            onClicked: {
                deleteCheck.number = index
                deleteCheck.visible = true
            }
        }
    }

    Rectangle {
        anchors.horizontalCenter: parent.horizontalCenter
        y: ptSize * 150
        width: ptSize * 100
        height: ptSize * 32
        radius: ptSize * 5
        color: "#C8C8C8"
        border.width: ptSize * 1
        border.color: "black"
        visible: focused

        Text {
            anchors.centerIn: parent
            font.pixelSize: ptSize * 20
            textFormat: Text.PlainText
            text: "Save"
        }

        MouseArea {
            objectName: "rowSave"
            anchors.fill: parent
            onClicked: tev.updateEvent()
        }
    }

    Rectangle {
        x: ptSize * 299
        y: ptSize * 150
        width: ptSize * 100
        height: ptSize * 32
        radius: ptSize * 5
        color: "#C8C8C8"
        border.width: ptSize * 1
        border.color: "black"
        visible: focused

        Text {
            anchors.centerIn: parent
            font.pixelSize: ptSize * 20
            textFormat: Text.PlainText
            text: "Cancel"
        }

        MouseArea {
            objectName: "rowCancel"
            anchors.fill: parent
            onClicked: tev.focus = -1
        }
    }

    Rectangle {
        x: ptSize * 9
        y: ptSize * 42
        width: ptSize * 391
        height: ptSize * 102
        color: "black"
        opacity: 0.5
        visible: enable === false
    }

    MouseArea {
        objectName: "rowFocusUpper"
        x: ptSize * 5
        width: ptSize * 240
        height: ptSize * 40
        visible: !focused
        onClicked: {
            if (!permission.isReadOnly)
                tev.focus = index
        }
    }

    MouseArea {
        objectName: "rowFocusLower"
        x: ptSize * 5
        y: ptSize * 40
        width: ptSize * 404
        height: ptSize * 108
        visible: !focused
        onClicked: {
            if (!permission.isReadOnly)
                tev.focus = index
        }
    }
}
