import QtQuick 2.8
import QtQuick.Controls 2.1

// Modal one-line text entry. It reports the edited text or a cancellation and
// never closes itself: the opener deactivates its Loader in both handlers.
// While the request its OK made waits, `waiting` shows so; the text stays
// editable and OK can be pressed again.
Rectangle {
    color: "#99000000"

    property alias title: title.text
    property alias field: field.text
    property bool waiting: false

    signal clickedOk(string inputText)
    signal clickedCancel()

    ModalArea {
        onClicked: clickedCancel()
    }

    Rectangle {
        y: ptSize * 65
        anchors.horizontalCenter: parent.horizontalCenter
        width: ptSize * 325
        height: ptSize * 200
        radius: ptSize * 10
        color: "#DBDBDB"
        border.width: ptSize * 3

        MouseArea {
            anchors.fill: parent
        }

        Text {
            id: title
            x: ptSize * 28
            y: ptSize * 12
            font.pixelSize: ptSize * 20
            textFormat: Text.PlainText
            color: "#878787"
        }

        TextField {
            id: field
            x: ptSize * 28
            y: ptSize * 40
            width: ptSize * 269
            height: ptSize * 70
            font.pixelSize: ptSize * 18
            // Three wrapped lines show; a longer name scrolls inside the field.
            topPadding: ptSize * 1
            bottomPadding: ptSize * 1
            clip: true
            selectByMouse: true
            wrapMode: TextInput.WrapAnywhere
            background: Rectangle {
                radius: ptSize * 3
                border.color: field.activeFocus ? "#0EC0DD" : "transparent"
            }
        }

        TimerEventButtonRect {
            x: ptSize * 42
            y: ptSize * 137
            text: "OK"
            visible: field.text !== ""
            onClicked: clickedOk(field.text)
        }

        TimerEventButtonRect {
            x: ptSize * 183
            y: ptSize * 137
            text: "Cancel"
            onClicked: clickedCancel()
        }

        WaitingNote {
            y: ptSize * 113
            visible: waiting
        }
    }
}
