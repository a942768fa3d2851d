import QtQuick 2.8

// Chooses the edited event's type and, for PLAY, whether its time is the start
// or the end. The choice lives in the host Loader's eventType and timeMode;
// only OK hands it to the model, and resets the option when the new type
// needs another kind of option than the type the event had at opening.
Rectangle {
    color: "#99000000"

    ModalArea {
        onClicked: timerEventTypeLoader.active = false
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

        Repeater {
            // eventType, timeMode, title, icon, sub-label
            model: [
                [0, 0, "PLAY", "Resource/TimerEvent/icon_62x28_Play_Black.svg", "START TIME"],
                [0, 1, "PLAY", "Resource/TimerEvent/icon_62x28_Play_Black.svg", "END TIME"],
                [1, 0, "REPEAT PLAY", "Resource/TimerEvent/icon_62x28_RepeatPlay_Black.svg", ""],
                [2, 0, "RECORD", "Resource/TimerEvent/icon_62x28_RECORD.svg", ""],
                [3, 0, "STOP", "Resource/TimerEvent/icon_62x28_STOP_Black.svg", ""],
                [4, 0, "DOWNLOAD", "Resource/TimerEvent/icon_62x28_Download_Black.svg", ""],
                [5, 0, "DELETE & DOWNLOAD", "Resource/TimerEvent/icon_62x28_Delete&Download_Black.svg", ""]
            ]

            TimerEventTypeRow {
                objectName: "typeRow" + index
                y: ptSize * (13 + 54 * index)
                title: modelData[2]
                icon: modelData[3]
                selected: timerEventTypeLoader.eventType === modelData[0]
                          && (modelData[0] !== 0 || timerEventTypeLoader.timeMode === modelData[1])
                onClicked: {
                    timerEventTypeLoader.eventType = modelData[0]
                    timerEventTypeLoader.timeMode = modelData[1]
                }

                Text {
                    x: ptSize * 57
                    y: ptSize * 16
                    text: modelData[4]
                    visible: text !== ""
                    font.pixelSize: ptSize * 15
                    font.weight: Font.Bold
                    textFormat: Text.PlainText
                    color: "black"
                }
            }
        }

        Image {
            objectName: "typeCheck"
            x: ptSize * 278
            y: ptSize * (23 + 54 * (timerEventTypeLoader.eventType === 0 ? timerEventTypeLoader.timeMode
                                                                          : timerEventTypeLoader.eventType + 1))
            sourceSize.height: ptSize * 21
            smooth: false
            source: "Resource/TimerEvent/check_20x21.svg"
        }

        TimerEventButtonRect {
            objectName: "typeOk"
            x: ptSize * 42
            y: ptSize * 427
            text: "OK"
            onClicked: {
                var chosen = timerEventTypeLoader.eventType
                var original = timerEventTypeLoader.originalEventType
                tev.changeType(chosen, timerEventTypeLoader.timeMode)
                // Types with options of one kind: play files, record inputs, none, download targets.
                if (chosen < 2 && original >= 2)
                    tev.changeOption("")
                else if (chosen === 2 && original !== 2)
                    tev.changeRecInput("")
                else if (chosen === 3)
                    tev.changeOption("")
                else if (chosen >= 4 && original < 4)
                    tev.changeOption("")
                timerEventTypeLoader.active = false
            }
        }

        TimerEventButtonRect {
            objectName: "typeCancel"
            x: ptSize * 183
            y: ptSize * 427
            text: "Cancel"
            onClicked: timerEventTypeLoader.active = false
        }
    }
}
