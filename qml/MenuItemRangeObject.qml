import QtQuick 2.8
import QtQuick.Controls 2.2

// A settings-menu row whose value is an offset of -1000 to +1000 msec in
// steps of 10: the name, and a button with the value that opens a panel
// with a slider and minus, OK and plus keys. Every value the user sets is
// reported by rangeSelected unless it is the last known one; the model
// writes the recorder's value back into oldIndex, then rangeData. While the
// user's last set is unanswered (held), reports reach the texts only: the
// knob stays, and the next step counts from it.
Item {
    id: rangeRow

    property alias menuText: itemText.text
    property int oldIndex: -1
    property bool subitem: true
    property real rangeData: 0
    property bool held: false

    signal rangeSelected(int value)

    readonly property string valueText: (rangeData > 0 ? "+" : "") + rangeData + " msec"

    // A report moves the slider, unless the user's own set is still on its
    // way; once it has its answer the slider goes to the recorder's value.
    // The slider stops at its ends, and a report beyond them must not come
    // back as a change of the user's: the value it stops at counts as known.
    function showReported() {
        var shown = Math.max(rangeSlideBar.from, Math.min(rangeSlideBar.to, rangeData))
        oldIndex = shown
        rangeSlideBar.value = shown
    }
    onRangeDataChanged: {
        if (!held)
            showReported()
    }
    // The slider's first binding to rangeData would let a held report move
    // the knob: it ends as the user's set goes.
    onHeldChanged: {
        if (held)
            rangeSlideBar.value = rangeSlideBar.value
        else
            showReported()
    }

    Rectangle {
        x: subitem ? ptSize * 20 : 0
        width: parent.width - x
        height: 1
        color: "#5A5A5A"
    }

    Text {
        id: itemText
        x: subitem ? ptSize * 25 : ptSize * 8
        height: parent.height
        verticalAlignment: Text.AlignVCenter
        color: "white"
        textFormat: Text.PlainText
        font.pixelSize: isAndroid ? ptSize * 17 : ptSize * 16
        font.weight: Font.Medium
    }

    Rectangle {
        id: rangeButton
        objectName: "rangeButton"
        y: ptSize * 3
        width: ptSize * 206
        height: parent.height - ptSize * 6
        anchors.right: parent.right
        color: "#282828"

        Text {
            id: rangeButtonText
            objectName: "rangeButtonText"
            anchors.fill: parent
            anchors.leftMargin: isIos || isAndroid ? ptSize * 15 : ptSize * 10
            text: rangeRow.valueText
            font: itemText.font
            verticalAlignment: Text.AlignVCenter
            color: "white"
            textFormat: Text.PlainText
        }

        MouseArea {
            anchors.fill: parent
            onClicked: rangeSlideBar.forceActiveFocus()
        }
    }

    // Reaches up over the rows above; open while the slider holds the focus.
    Image {
        id: rangeBar
        objectName: "rangeBar"
        x: ptSize * 1
        width: ptSize * 412
        height: ptSize * 130
        sourceSize: Qt.size(width, height)
        anchors.bottom: parent.bottom
        source: "Resource/set_DELAY_back_412x130_3.png"
        visible: rangeSlideBar.activeFocus

        MouseArea {
            anchors.fill: parent
        }

        Text {
            y: ptSize * 6
            anchors.right: parent.horizontalCenter
            anchors.rightMargin: ptSize * 10
            text: itemText.text
            font.pixelSize: isAndroid ? ptSize * 16 : ptSize * 17
            font.weight: Font.Medium
            textFormat: Text.PlainText
        }

        Text {
            id: rangeSettingData
            y: ptSize * 6
            anchors.left: parent.horizontalCenter
            anchors.leftMargin: ptSize * 10
            text: rangeButtonText.text
            font.pixelSize: isAndroid ? ptSize * 16 : ptSize * 17
            font.weight: Font.Medium
            textFormat: Text.PlainText
        }

        TapKey {
            id: rangeMinusButton
            objectName: "rangeMinusButton"
            x: ptSize * 23
            y: ptSize * 37
            width: ptSize * 58
            height: ptSize * 30
            focusPolicy: Qt.NoFocus
            background: Image { source: "Resource/button-C_minusON_58x30_3.png" }
            onTapped: rangeSlideBar.decrease()
        }

        Image {
            id: rangeOkButton
            objectName: "rangeOkButton"
            y: ptSize * 37
            width: ptSize * 110
            height: ptSize * 30
            sourceSize: Qt.size(width, height)
            anchors.horizontalCenter: parent.horizontalCenter
            source: rangeOkButtonMouseArea.pressed ? "Resource/set_button-ON_110x30_3.png"
                                                   : "Resource/set_button-OFF_110x30_3.png"

            Text {
                anchors.fill: parent
                text: "OK"
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                font.pixelSize: ptSize * 18
                font.weight: Font.Medium
                color: rangeOkButtonMouseArea.pressed ? "white" : "black"
                textFormat: Text.PlainText
            }

            MouseArea {
                id: rangeOkButtonMouseArea
                anchors.fill: parent
                onClicked: rangeSlideBar.focus = false
            }
        }

        TapKey {
            id: rangePlusButton
            objectName: "rangePlusButton"
            x: ptSize * 333
            y: ptSize * 37
            width: ptSize * 58
            height: ptSize * 30
            focusPolicy: Qt.NoFocus
            background: Image { source: "Resource/button-C_plusON_58x30_3.png" }
            onTapped: rangeSlideBar.increase()
        }

        Slider {
            id: rangeSlideBar
            objectName: "rangeSlideBar"
            y: ptSize * 77
            width: ptSize * 400
            height: ptSize * 30
            anchors.horizontalCenter: parent.horizontalCenter
            from: -1000
            to: 1000
            stepSize: 10
            snapMode: Slider.SnapAlways
            live: false
            value: rangeData
            background: Item {}
            handle: Image {
                x: rangeSlideBar.leftPadding + rangeSlideBar.visualPosition * (rangeSlideBar.availableWidth - width)
                y: rangeSlideBar.topPadding + rangeSlideBar.availableHeight * 0.5 - height * 0.5
                width: ptSize * 30
                height: ptSize * 30
                sourceSize: Qt.size(width, height)
                source: "Resource/Knob_ON_30x30_3.png"
            }

            // Steps are whole multiples of 10: a snapped value is rounded,
            // never cut short, and what is sent is what is compared.
            onValueChanged: {
                var chosen = Math.round(value / 10) * 10
                if (oldIndex !== chosen) {
                    rangeRow.rangeSelected(chosen)
                    oldIndex = chosen
                }
            }
        }
    }

    Connections {
        target: comm
        function onLoginCompChanged(loginComp) {
            if (loginComp === false)
                rangeSlideBar.focus = false
        }
    }
}
