import QtQuick 2.8
import QtQuick.Controls 2.1

// Playback settings: flash load, A-B repeat, and pitch and key with on/off
// keys, step keys and sliders. The texts show the recorder's state. A knob
// stands where the user last set it until the recorder has answered that,
// then follows the recorder's reports (comm.pitchShown, comm.keyShown); a
// slider sends only values that differ from where the knob stood, and a drag
// sends once, on release. A click outside the panel closes it.
ModalArea {
    // Fills the Loader, so the panel's bottom stays on the screen area's
    // bottom at every window size.
    anchors.fill: parent
    onClicked: homeSettingWindowLoader.active = false

    Image {
        id: panel
        width: ptSize * 412
        height: ptSize * 332
        sourceSize: Qt.size(width, height)
        anchors.bottom: parent.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        source: "Resource/set_back_412x332_3.png"

        MouseArea {
            anchors.fill: parent
        }

        Button {
            objectName: "flashLoadButton"
            x: ptSize * 26
            y: ptSize * 20
            width: ptSize * 144
            height: ptSize * 30
            contentItem: PanelText {
                text: "FLASH LOAD"
                color: comm.flashLoad ? "white" : "black"
            }
            background: Image {
                anchors.fill: parent
                sourceSize: Qt.size(parent.width, parent.height)
                source: comm.flashLoad ? "Resource/Oval_ON_144x30_3.png" : "Resource/Oval_OFF_144x30_3.png"
            }
            onClicked: comm.flashLoadRequest()
        }

        Button {
            id: abRepeatButton
            objectName: "abRepeatButton"
            x: ptSize * 244
            y: ptSize * 20
            width: ptSize * 144
            height: ptSize * 30
            contentItem: PanelText {
                objectName: "label"
                text: comm.repeat === 0 || comm.repeat === 1 ? "Set A" : comm.repeat === 2 ? "Set B" : "A-B Repeat ON"
                color: comm.repeat === 3 ? "white" : "black"
            }
            background: Image {
                anchors.fill: parent
                sourceSize: Qt.size(parent.width, parent.height)
                source: comm.repeat === 3 ? "Resource/Oval_ON_144x30_3.png" : "Resource/Oval_OFF_144x30_3.png"
            }
            onClicked: {
                if (comm.repeat === 0 || comm.repeat === 1)
                    comm.setARequest()
                else if (comm.repeat === 2)
                    comm.setBRequest()
                else
                    comm.abOffRequest()
            }
        }
        Image {
            id: abRepeatFlash
            objectName: "abRepeatFlash"
            x: abRepeatButton.x
            y: abRepeatButton.y
            width: abRepeatButton.width
            height: abRepeatButton.height
            sourceSize: Qt.size(width, height)
            source: "Resource/Oval_ON_144x30_3.png"
            opacity: 0.0
            PanelText {
                anchors.fill: parent
                text: "Set B"
                color: "white"
            }
            PropertyAnimation {
                id: abRepeatAnimation
                target: abRepeatFlash
                property: "opacity"
                from: 1.0
                to: 0.0
                duration: 400
                easing.type: Easing.InQuad
            }
        }
        Connections {
            target: comm
            function onRepeatChanged(rep) {
                if (rep === 2)
                    abRepeatAnimation.start()
            }
        }

        SettingRow {
            id: pitchRow
            objectName: "pitchRow"
            rowY: ptSize * 85
            label: "PITCH"
            on: comm.pitchStatus
            valueText: comm.pitchData
            from: -16.0
            to: 16.0
            stepSize: 0.1
            reported: Number(comm.pitchShown)
            minusOn: "Resource/button-C_minusON_58x30_3.png"
            minusOff: "Resource/button-C_minusOFF_58x30_3.png"
            plusOn: "Resource/button-C_plusON_58x30_3.png"
            plusOff: "Resource/button-C_plusOFF_58x30_3.png"
            onToggled: comm.pitchRequest()
            // Rounded to the step, so a value stepped back to 0 is +0.0.
            onValueSet: comm.pitchDataSetRequest(Math.round(value * 10) / 10)

            Connections {
                target: comm
                function onPitchShownChanged() {
                    pitchRow.follow(Number(comm.pitchShown))
                }
            }
        }
        SettingRow {
            id: keyRow
            objectName: "keyRow"
            rowY: ptSize * 190
            label: "KEY"
            on: comm.keyStatus
            valueText: comm.keyData > 0 ? "\u266F" + comm.keyData
                     : comm.keyData < 0 ? "\u266D" + Math.abs(comm.keyData) : "0"
            from: -6.0
            to: 6.0
            stepSize: 1.0
            reported: comm.keyShown
            minusOn: "Resource/button-C_flatON_58x30_3.png"
            minusOff: "Resource/button-C_flatOFF_58x30_3.png"
            plusOn: "Resource/button-C_sharpON_58x30_3.png"
            plusOff: "Resource/button-C_sharpOFF_58x30_3.png"
            onToggled: comm.keyRequest()
            onValueSet: comm.keyDataSetRequest(value)

            Connections {
                target: comm
                function onKeyShownChanged() {
                    keyRow.follow(comm.keyShown)
                }
            }
        }
    }
}
