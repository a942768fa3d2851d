import QtQuick 2.8
import QtTest 1.1
import "qrc:/"

// The shared components on their own, inside a stand-in for the window.
Item {
    width: 450
    height: 800

    property real ptSize: 2

    InputWindow {
        id: input
        anchors.fill: parent
        title: "New Folder"
        visible: false
    }

    SignalSpy { id: okSpy; target: input; signalName: "clickedOk" }
    SignalSpy { id: cancelSpy; target: input; signalName: "clickedCancel" }

    TextTapScroll {
        id: scroller
        width: 100
        height: 30
        font.pixelSize: 20
        visible: false
        property int userClicks: 0
        onClicked: ++userClicks
    }

    MediaIcon {
        id: mediaIcon
    }

    DialogNoButton {
        id: notice
        visible: false
    }

    TestCase {
        name: "Components"
        when: windowShown

        function test_inputWindow() {
            input.visible = true
            input.field = ""
            var box = input.children[1]
            var field = box.children[2]
            var ok = box.children[3]
            var cancel = box.children[4]

            verify(!ok.visible, "no OK for an empty text")
            verify(cancel.visible)
            mouseClick(field)
            keyClick(Qt.Key_A)
            compare(input.field, "a")
            verify(ok.visible)
            keyClick(Qt.Key_Backspace)
            verify(!ok.visible)

            // Blanks count as text and are reported as typed.
            input.field = "  "
            verify(ok.visible)
            mouseClick(ok)
            compare(okSpy.count, 1)
            compare(okSpy.signalArguments[0][0], "  ")

            // A tap on the grey box does nothing; one beside it cancels.
            mouseClick(box, 150 * ptSize, 120 * ptSize)
            compare(cancelSpy.count, 0)
            mouseClick(input, 10, input.height - 10)
            compare(cancelSpy.count, 1)
            mouseClick(cancel)
            compare(cancelSpy.count, 2)
            compare(okSpy.count, 1)
            input.visible = false
        }

        function test_tapScroll() {
            scroller.visible = true
            var text = scroller.children[0]
            scroller.text = "A title far too long for the space it is given"
            scroller.width = text.contentWidth - 50

            mouseClick(scroller)
            compare(scroller.tempX, -50)
            tryCompare(text, "x", -50, 3000)
            tryCompare(text, "x", 0, 5000)

            // A tap during the slide starts it again from the beginning.
            mouseClick(scroller)
            wait(300)
            verify(text.x < -5)
            mouseClick(scroller)
            verify(text.x > -5)
            scroller.stopScroll()
            wait(300)
            compare(text.x, 0)

            // In press-and-hold mode a click is the user's only.
            scroller.userClicks = 0
            scroller.pressAndHoldMode = true
            mouseClick(scroller)
            wait(200)
            compare(text.x, 0)
            compare(scroller.userClicks, 1)

            // A text that fits does not move.
            scroller.pressAndHoldMode = false
            scroller.width = text.contentWidth + 10
            mouseClick(scroller)
            wait(200)
            compare(text.x, 0)
            scroller.visible = false
        }

        // Given a new text while it shows, a notice scrolled down shows that
        // text from its first line.
        function test_noticeNewText() {
            var story = "The recorder cannot do this now: its medium is busy with a transfer that another "
                + "application started, and it takes no other request until that transfer ends. Nothing "
                + "is lost meanwhile."
            notice.text = story
            notice.visible = true
            var area = findChild(notice, "messageArea")
            verify(area.contentHeight > area.height)
            area.contentY = area.contentHeight - area.height
            notice.text = story + " Try again later."
            compare(area.contentY, 0)
            notice.visible = false
        }

        function test_mediaIcon_data() {
            return [
                { tag: "no medium", media: "", picture: "icon_19x19_CD.svg", height: 20 },
                { tag: "CD", media: "CD", picture: "icon_19x19_CD.svg", height: 19 },
                { tag: "SD1", media: "SD1", picture: "icon_16x20_SD.svg", height: 20 },
                { tag: "SD2", media: "SD2", picture: "icon_16x20_SD.svg", height: 20 },
                { tag: "USB", media: "USB", picture: "icon_16x20_USB.svg", height: 20 },
                { tag: "unknown", media: "DVD", picture: "icon_19x19_CD.svg", height: 20 }
            ]
        }

        function test_mediaIcon(data) {
            comm.currentMedia = data.media
            var icon = mediaIcon.children[0]
            var label = icon.children[0]
            compare(icon.status, Image.Ready)
            verify(icon.source.toString().endsWith("Resource/TimerEvent/" + data.picture), icon.source)
            compare(icon.height, data.height * ptSize)
            compare(label.text, data.media)
            compare(mediaIcon.width, icon.width + label.width)
            if (data.media === "")
                compare(mediaIcon.width, icon.width)
        }
    }
}
