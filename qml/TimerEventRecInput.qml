import QtQuick 2.8

// Chooses the record input of a RECORD event. The choice is the host Loader's
// recInput label, matched by its ninth character; the Dante input shows only
// on a recorder that has it, or while it is the event's choice. Only OK hands
// the label to the model.
Rectangle {
    color: "#99000000"

    ModalArea {
        onClicked: timerEventRecInputLoader.active = false
    }

    Rectangle {
        y: ptSize * 64
        anchors.horizontalCenter: parent.horizontalCenter
        width: ptSize * 325
        height: ptSize * 376
        radius: ptSize * 10
        color: "#DBDBDB"
        border.width: ptSize * 3

        MouseArea {
            anchors.fill: parent
        }

        Repeater {
            // label, key letter
            model: [["ANALOG(UNBAL.)", "N"], ["ANALOG(BAL.)", "A"], ["DIGITAL(COAX.)", "C"],
                    ["DIGITAL(XLR)", "X"], ["DIGITAL(Dante)", "D"]]

            TimerEventRow {
                objectName: "recInputRow" + index
                y: ptSize * (13 + 54 * index)
                selected: timerEventRecInputLoader.recInput.charAt(8) === modelData[1]
                visible: index < 4 || tev.enableDante || selected
                onClicked: timerEventRecInputLoader.recInput = modelData[0]

                Text {
                    x: ptSize * 22
                    y: ptSize * 16
                    text: modelData[0]
                    textFormat: Text.PlainText
                    font.pixelSize: ptSize * 15
                    font.weight: Font.Medium
                    color: parent.selected ? "black" : "#878787"
                }
            }
        }

        Image {
            objectName: "recInputCheck"
            x: ptSize * 278
            // At the first row unless the ninth character names another.
            y: ptSize * (23 + 54 * Math.max(0, "NACXD".indexOf(timerEventRecInputLoader.recInput.charAt(8) || "N")))
            sourceSize.height: ptSize * 21
            smooth: false
            source: "Resource/TimerEvent/check_20x21.svg"
        }

        TimerEventButtonRect {
            objectName: "recInputOk"
            x: ptSize * 42
            y: ptSize * 318
            text: "OK"
            onClicked: {
                tev.changeRecInput(timerEventRecInputLoader.recInput)
                timerEventRecInputLoader.active = false
            }
        }

        TimerEventButtonRect {
            objectName: "recInputCancel"
            x: ptSize * 183
            y: ptSize * 318
            text: "Cancel"
            onClicked: timerEventRecInputLoader.active = false
        }
    }
}
