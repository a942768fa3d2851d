import QtQuick 2.8
import QtQuick.Controls 2.1

// Pop-up for a search to a track and time. OK hands the five texts to the
// status model as typed (it checks them and sends nothing for invalid input)
// and closes; Enter moves to the next field; a click outside closes.
ModalArea {
    anchors.fill: parent
    onClicked: timeSearchWindowLoader.active = false

    Image {
        x: 0
        y: ptSize * 307
        width: ptSize * 414
        height: ptSize * 116
        sourceSize: Qt.size(width, height)
        source: "Resource/TimeSarch_back_3.png"

        MouseArea {
            anchors.fill: parent
        }

        TimeSearchField {
            id: timeSearchTrack
            objectName: "timeSearchTrack"
            x: ptSize * 52
            y: ptSize * 52
            width: ptSize * 76
            maximumLength: 3
            validator: IntValidator { bottom: 1; top: 999 }
            verticalAlignment: TextInput.AlignVCenter
            onAccepted: timeSearchHour.forceActiveFocus()
        }
        Image {
            x: ptSize * 50
            y: ptSize * 55
            width: ptSize * 80
            height: ptSize * 42
            sourceSize: Qt.size(width, height)
            source: "Resource/TimeSarch_track_3.png"
            visible: timeSearchTrack.focus
        }
        TimeSearchField {
            id: timeSearchHour
            objectName: "timeSearchHour"
            x: ptSize * 160
            y: timeSearchTrack.y
            validator: IntValidator { bottom: 0; top: 99 }
            onAccepted: timeSearchMin.forceActiveFocus()
        }
        TimeSearchField {
            id: timeSearchMin
            objectName: "timeSearchMin"
            x: ptSize * 223
            y: timeSearchTrack.y
            validator: IntValidator { bottom: 0; top: 59 }
            onAccepted: timeSearchSec.forceActiveFocus()
        }
        TimeSearchField {
            id: timeSearchSec
            objectName: "timeSearchSec"
            x: ptSize * 285
            y: timeSearchTrack.y
            validator: IntValidator { bottom: 0; top: 59 }
            onAccepted: timeSearchFlame.forceActiveFocus()
        }
        TimeSearchField {
            id: timeSearchFlame
            objectName: "timeSearchFlame"
            x: ptSize * 329
            y: timeSearchTrack.y
            font.pixelSize: ptSize * 25
            validator: IntValidator { bottom: 0; top: 99 }
            onAccepted: timeSearchTrack.forceActiveFocus()
        }
        Image {
            x: ptSize * 156
            y: ptSize * 55
            width: ptSize * 234
            height: ptSize * 42
            sourceSize: Qt.size(width, height)
            source: "Resource/TimeSarch_time_3.png"
            visible: timeSearchHour.focus || timeSearchMin.focus || timeSearchSec.focus || timeSearchFlame.focus
        }

        Button {
            objectName: "timeSearchOk"
            x: ptSize * 278
            y: ptSize * 10
            width: ptSize * 110
            height: ptSize * 30
            contentItem: Text {
                text: "OK"
                textFormat: Text.PlainText
                font.pixelSize: ptSize * 18
                font.weight: Font.Medium
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                color: parent.down ? "white" : "black"
            }
            background: Image {
                anchors.fill: parent
                sourceSize: Qt.size(parent.width, parent.height)
                source: parent.down ? "Resource/set_button-ON_110x30_3.png" : "Resource/set_button-OFF_110x30_3.png"
            }
            onClicked: {
                comm.timeSearchRequest(timeSearchTrack.text, timeSearchHour.text, timeSearchMin.text,
                                       timeSearchSec.text, timeSearchFlame.text)
                timeSearchWindowLoader.active = false
            }
        }
    }
}
