import QtQuick 2.8

// One line of text that shows its start; a tap (or, in press-and-hold mode, a
// long press) slides it left once until its end shows, rests 3 s at the end
// and jumps back to the start.
MouseArea {
    clip: true

    property real tempX: 0
    property bool pressAndHoldMode: false
    property alias font: textScroll.font
    property alias text: textScroll.text
    property alias color: textScroll.color
    readonly property alias contentHeight: textScroll.contentHeight
    property alias verticalAlignment: textScroll.verticalAlignment

    function stopScroll() {
        textScrollToOn.stop()
        stopScrollTimer.stop()
        textScroll.x = 0
    }

    onClicked: {
        if (!pressAndHoldMode)
            textScroll.startScroll()
    }
    onPressAndHold: {
        if (pressAndHoldMode)
            textScroll.startScroll()
    }

    Text {
        id: textScroll
        width: parent.width
        height: parent.height
        x: 0
        textFormat: Text.PlainText

        function startScroll() {
            textScrollToOn.stop()
            stopScrollTimer.stop()
            tempX = textScroll.width - textScroll.contentWidth
            if (tempX < 0) {
                // 20 ms for every pixel of overflow, whatever the window size
                textScrollToOn.duration = -tempX * 20
                textScroll.x = 0
                textScrollToOn.to = tempX
                textScrollToOn.start()
            } else {
                textScroll.x = 0
            }
        }

        PropertyAnimation {
            id: textScrollToOn
            target: textScroll
            property: "x"
            from: 0
            to: tempX
            duration: 0
            onStopped: stopScrollTimer.start()
        }

        Timer {
            id: stopScrollTimer
            interval: 3000
            repeat: false
            onTriggered: textScroll.x = 0
        }
    }
}
