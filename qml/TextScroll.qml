import QtQuick 2.8

// One line of text clipped to the item. A text wider than the item rests
// 3 s, slides left until its end shows (20 ms per pixel of overflow), rests
// 3 s, jumps back and starts over, measuring anew before every pass. A new
// track title restarts the cycle.
Item {
    id: textScrollRoot
    clip: true
    property alias text: textScroll.text
    property alias font: textScroll.font
    property alias contentHeight: textScroll.contentHeight
    property alias verticalAlignment: textScroll.verticalAlignment
    property real tempX: 0

    Text {
        id: textScroll
        x: 0
        y: 0
        width: textScrollRoot.width
        height: textScrollRoot.height
        textFormat: Text.PlainText

        function startScroll() {
            textScrollToOn.stop()
            stopScrollTimer.stop()
            intervalScrollTimer.stop()
            tempX = textScroll.width - textScroll.contentWidth
            textScroll.x = 0
            if (tempX < 0) {
                textScrollToOn.duration = -tempX * 20
                intervalScrollTimer.start()
                textScrollToOn.to = tempX
            }
        }
    }

    PropertyAnimation {
        id: textScrollToOn
        objectName: "slide"
        target: textScroll
        property: "x"
        from: 0
        to: tempX
        duration: 0
        onStopped: stopScrollTimer.start()
    }

    Connections {
        target: comm
        function onTitleChanged() {
            textScroll.startScroll()
        }
    }

    Timer {
        id: stopScrollTimer
        objectName: "restAtEnd"
        interval: 3000
        onTriggered: {
            textScroll.x = 0
            textScroll.startScroll()
        }
    }

    Timer {
        id: intervalScrollTimer
        objectName: "restAtStart"
        interval: 3000
        onTriggered: textScrollToOn.start()
    }

    Component.onCompleted: textScroll.startScroll()
}
