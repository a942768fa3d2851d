import QtQuick 2.13
import QtQuick.Controls 2.1

// The timer-event page: the recorder's events as rows under a title and the
// filter button, a footer strip to add and delete events, and the editor
// dialogs the rows open. While the recorder's play area, play mode or medium
// rule timer events out, a notice covers the whole page.
Item {
    id: timerEventPage

    // The tab may change nothing: the recorder is read-only, the notice is
    // due (whether or not this tab shows), or the edit right is not held (it
    // is given back when the home or menu tab is chosen). The model then
    // writes nothing and drops what waits, and the tab's windows close.
    readonly property bool locked: permission.isReadOnly || timerEventNotice.due || !permission.okPermission

    Binding {
        target: tev
        property: "locked"
        value: timerEventPage.locked
    }

    onLockedChanged: {
        if (locked)
            timerEventScreen.closeAll()
    }

    // "No date" for the dialogs' date fields: 1 January 1999, 00:00 UTC.
    function getInvalidDate() {
        return new Date(Date.UTC(1999, 0, 1))
    }

    // The model's date as the same calendar day at local noon. A date from
    // the model arrives as UTC midnight, which west of UTC is the day before.
    function localDay(d) {
        return new Date(d.getUTCFullYear(), d.getUTCMonth(), d.getUTCDate(), 12)
    }

    BackScreen {
        id: timerEventScreen

        Image {
            x: ptSize * 18
            y: ptSize * 4
            sourceSize.width: ptSize * 100
            smooth: false
            source: "Resource/icon_100x20_viewonly.svg"
            visible: permission.isReadOnly
        }

        Text {
            id: timerEventTitle
            x: ptSize * 20
            y: ptSize * 30
            text: "TIMER EVENT"
            font.pixelSize: ptSize * 25
            font.weight: Font.Medium
            color: "white"
            textFormat: Text.PlainText
            horizontalAlignment: Text.AlignHCenter
        }

        MediaIcon {
            anchors.left: timerEventTitle.right
            anchors.leftMargin: ptSize * 7
            anchors.verticalCenter: timerEventTitle.verticalCenter
        }

        Rectangle {
            anchors.right: parent.right
            anchors.rightMargin: ptSize * 5
            y: ptSize * 25
            width: ptSize * 131
            height: ptSize * 33
            radius: ptSize * 5
            color: "#464646"

            Image {
                id: searchIcon
                x: ptSize * 7
                anchors.verticalCenter: parent.verticalCenter
                sourceSize.height: ptSize * 15
                smooth: false
                source: "Resource/TimerEvent/icon_15x15_Search.svg"
            }

            Text {
                objectName: "filterLabel"
                anchors.right: parent.right
                anchors.rightMargin: ptSize * 15
                height: parent.height
                verticalAlignment: Text.AlignVCenter
                font.pixelSize: ptSize * 18
                color: "white"
                textFormat: Text.PlainText
                text: tev.filter === 0 ? "All" : tev.filter === 1 ? "Today"
                    : localDay(tev.filterDate).toLocaleString(Qt.locale(), "yyyy/MM/dd")
            }

            MouseArea {
                objectName: "filterButton"
                anchors.fill: parent
                onClicked: timerEventFilterLoader.active = !timerEventFilterLoader.active
            }
        }

        ListView {
            id: timerEventListView
            objectName: "timerEventListView"
            y: ptSize * 65
            width: parent.width
            height: parent.height - y
            clip: true
            flickableDirection: Flickable.VerticalFlick
            model: timerEventModel
            delegate: TimerEventDelegate {}
            footer: Item { height: timerEventFooter.height }

            // The bar ends where the footer strip over the list begins; the
            // list's parent holds it so that the list does not size it. It is
            // as wide as the margin right of the rows' controls (x 399 of
            // 414), so that it never covers one.
            ScrollBar.vertical: ScrollBar {
                parent: timerEventListView.parent
                width: ptSize * 15
                anchors.top: timerEventListView.top
                anchors.bottom: timerEventListView.bottom
                anchors.bottomMargin: timerEventFooter.height
                anchors.right: timerEventListView.right
                visible: timerEventListView.contentHeight > timerEventListView.height
                contentItem: CommonScrollBarItem {}
            }

            // Brings the focused row whole into view, between the top of the
            // list and the footer strip over its end. The list only estimates
            // the rows it has not made (as tall as the ones it has), and clamps
            // its own positioning to that estimate: the row is made first and
            // placed by its own place and height.
            function showFocusedRow() {
                if (tev.focus < 0)
                    return
                forceLayout()
                positionViewAtIndex(tev.focus, ListView.Contain)
                forceLayout()
                var row = itemAtIndex(tev.focus)
                if (!row)
                    return
                // Its end above the footer strip, and its top in view before
                // all; in whole pixels, which the list keeps when it comes to rest.
                var top = Math.floor(row.y)
                var end = Math.ceil(row.y + row.height + timerEventFooter.height - height)
                contentY = Math.min(Math.max(contentY, end), top)
            }

            // The list read anew after an add or a save focuses the event written.
            Connections {
                target: tev
                function onSetNewFocus() { timerEventListView.showFocusedRow() }
            }
        }

        Rectangle {
            id: timerEventFooter
            objectName: "timerEventFooter"
            anchors.bottom: parent.bottom
            width: parent.width
            height: ptSize * 66 + 2
            color: "#E62F3E5B"
            border.width: 1
            border.color: "black"

            Flickable {
                id: timerEventFooterFlickable
                anchors.fill: parent
                clip: true
                boundsBehavior: Flickable.StopAtBounds
                flickDeceleration: 1
                contentWidth: deleteAllTimerEvent.x + deleteAllTimerEvent.width + ptSize * 59

                PropertyAnimation {
                    id: timerEventFooterFlickableToDown
                    target: timerEventFooterFlickable
                    property: "contentX"
                    to: timerEventFooterFlickable.contentWidth - timerEventFooterFlickable.width
                    duration: 200
                    easing.type: Easing.OutCubic
                }

                PropertyAnimation {
                    id: timerEventFooterFlickableToUp
                    target: timerEventFooterFlickable
                    property: "contentX"
                    to: 0
                    duration: 200
                    easing.type: Easing.OutCubic
                }

                Image {
                    x: ptSize * 179.5
                    anchors.verticalCenter: parent.verticalCenter
                    sourceSize.height: ptSize * 41
                    smooth: false
                    source: "Resource/TimerEvent/icon_55x41_AddFile.svg"

                    MouseArea {
                        objectName: "addEvent"
                        anchors.fill: parent
                        onClicked: tev.createNewEvent()
                    }
                }

                Image {
                    x: ptSize * 380
                    anchors.verticalCenter: parent.verticalCenter
                    width: ptSize * 10
                    height: width
                    rotation: timerEventFooterFlickable.atXBeginning ? 270 : 90
                    source: "Resource/page_10x10_3.png"

                    MouseArea {
                        objectName: "footerPage"
                        anchors.centerIn: parent
                        width: ptSize * 40
                        height: ptSize * 40
                        onClicked: {
                            if (timerEventFooterFlickable.atXBeginning)
                                timerEventFooterFlickableToDown.start()
                            else
                                timerEventFooterFlickableToUp.start()
                        }
                    }
                }

                Image {
                    id: deleteAllTimerEvent
                    x: ptSize * 420
                    anchors.verticalCenter: parent.verticalCenter
                    sourceSize.height: ptSize * 41
                    smooth: false
                    source: "Resource/TimerEvent/icon_55x41_AllDelete.svg"

                    MouseArea {
                        objectName: "deleteAll"
                        anchors.fill: parent
                        onClicked: {
                            deleteCheck.number = -1
                            deleteCheck.visible = true
                        }
                    }
                }
            }

            Rectangle {
                anchors.fill: parent
                color: "black"
                opacity: 0.5
                visible: permission.isReadOnly

                MouseArea {
                    anchors.fill: parent
                }
            }
        }

        Loader {
            id: timerEventBrowseLoader
            objectName: "timerEventBrowseLoader"
            anchors.fill: timerEventListView
            active: false
            // A pick that waits goes with the picker, however it closes.
            onActiveChanged: {
                if (!active)
                    browse.dropHeld(timerEventBrowseLoader)
            }
            sourceComponent: BrowseWindow {
                mode: 4
                owner: timerEventBrowseLoader
                // The path names the folder of the row picked.
                onClicked: {
                    tev.changeOption(folder === "" ? "\\" + name : "\\" + folder + "\\" + name)
                    timerEventBrowseLoader.active = false
                }
                onClickedCancel: timerEventBrowseLoader.active = false
                onClickedInput: {
                    timerEventBrowseLoader.active = false
                    timerEventPlayTargetLoader.active = true
                }
            }
        }

        Loader {
            id: timerEventFilterLoader
            objectName: "timerEventFilterLoader"
            anchors.fill: timerEventListView
            active: false
            sourceComponent: TimerEventFilter {}
            onLoaded: {
                timerEventScheduleLoader.active = false
                item.select = tev.filter
                item.date = tev.filter === 2 ? localDay(tev.filterDate) : getInvalidDate()
            }
        }

        Loader {
            id: timerEventScheduleLoader
            objectName: "timerEventScheduleLoader"
            anchors.fill: timerEventListView
            active: false
            sourceComponent: TimerEventSchedule {}
            onLoaded: {
                var d = String(tev.getDateOfFocus())
                var c = d.charAt(0)
                if (c === "E") {
                    item.select = 0
                } else if (c === "S" || c === "_") {
                    item.sun = d.charAt(0) !== "_"
                    item.mon = d.charAt(1) !== "_"
                    item.tue = d.charAt(2) !== "_"
                    item.wed = d.charAt(3) !== "_"
                    item.thu = d.charAt(4) !== "_"
                    item.fri = d.charAt(5) !== "_"
                    item.sat = d.charAt(6) !== "_"
                    item.select = 1
                } else {
                    item.everyMonth = d.charAt(5) === "0" && d.charAt(6) === "0"
                    if (item.everyMonth)
                        d = d.substring(0, 6) + "1" + d.substring(7)
                    item.date = Date.fromLocaleDateString(Qt.locale("en_US"), d, "yyyy/MM/dd")
                    item.select = 2
                }
            }
        }

        Loader {
            id: timerEventTimeEditLoader
            objectName: "timerEventTimeEditLoader"
            property int h: 0
            property int m: 0
            property int s: 0
            anchors.fill: timerEventListView
            active: false
            sourceComponent: TimerEventTimeEdit {
                h: timerEventTimeEditLoader.h
                m: timerEventTimeEditLoader.m
                s: timerEventTimeEditLoader.s
            }
        }

        Loader {
            id: timerEventRepeatEditLoader
            objectName: "timerEventRepeatEditLoader"
            property int c: 0
            property int h: 0
            property int m: 0
            anchors.fill: timerEventListView
            active: false
            sourceComponent: TimerEventRepeatEdit {
                c: timerEventRepeatEditLoader.c - 1
                h: timerEventRepeatEditLoader.h
                m: timerEventRepeatEditLoader.m
            }
        }

        Loader {
            id: timerEventTypeLoader
            objectName: "timerEventTypeLoader"
            property int eventType: 0
            property int originalEventType: 0
            property int timeMode: 0
            anchors.fill: timerEventListView
            active: false
            sourceComponent: TimerEventType {}
            onLoaded: originalEventType = eventType
        }

        Loader {
            id: timerEventRecInputLoader
            objectName: "timerEventRecInputLoader"
            property string recInput: ""
            anchors.fill: timerEventListView
            active: false
            sourceComponent: TimerEventRecInput {}
        }

        Loader {
            id: timerEventDlTargetLoader
            objectName: "timerEventDlTargetLoader"
            property string field
            anchors.fill: timerEventListView
            active: false
            sourceComponent: InputWindow {
                title: "Download target"
                field: timerEventDlTargetLoader.field
                onClickedOk: {
                    tev.changeOption(inputText)
                    timerEventDlTargetLoader.active = false
                }
                onClickedCancel: timerEventDlTargetLoader.active = false
            }
        }

        Loader {
            id: timerEventPlayTargetLoader
            objectName: "timerEventPlayTargetLoader"
            property string field
            anchors.fill: timerEventListView
            active: false
            sourceComponent: InputWindow {
                title: "Playback file"
                field: timerEventPlayTargetLoader.field
                onClickedOk: {
                    tev.changeOption(inputText.replace(/\\/g, "").replace(/\//g, "\\"))
                    timerEventPlayTargetLoader.active = false
                }
                onClickedCancel: timerEventPlayTargetLoader.active = false
            }
        }

        // Every dialog that edits the focused event; the filter dialog stays.
        function closeEventEditors() {
            timerEventDlTargetLoader.active = false
            timerEventPlayTargetLoader.active = false
            timerEventRecInputLoader.active = false
            timerEventTypeLoader.active = false
            timerEventRepeatEditLoader.active = false
            timerEventTimeEditLoader.active = false
            timerEventScheduleLoader.active = false
            timerEventBrowseLoader.active = false
        }

        // Every window of the tab, the filter dialog too.
        function closeAll() {
            closeEventEditors()
            deleteCheck.visible = false
            timerEventFilterLoader.active = false
        }

        // The editors and the delete question belong to the list: a change of
        // the read-only state closes them, and the end of the medium or the
        // login closes every window.
        Connections {
            target: permission
            function onIsReadOnlyChanged(readOnly) {
                timerEventScreen.closeEventEditors()
                deleteCheck.visible = false
            }
        }

        Connections {
            target: comm
            function onCurrentMediaChanged(media) { timerEventScreen.closeAll() }
            function onLoginCompChanged() {
                if (!comm.loginComp)
                    timerEventScreen.closeAll()
            }
        }

        // A reloaded list has no focused event: an open editor would edit nothing.
        Connections {
            target: tev
            function onFocusChanged() {
                if (tev.focus === -1)
                    timerEventScreen.closeEventEditors()
            }
        }

        DialogNoButton {
            id: deleteCheck
            objectName: "deleteCheck"
            property int number: -1
            visible: false
            text: number < 0 ? "Delete all events?" : "Delete selected event?"

            // A row's confirmation lapses when that row is no longer the focused one.
            Connections {
                target: tev
                function onFocusChanged() {
                    if (deleteCheck.number >= 0 && tev.focus !== deleteCheck.number)
                        deleteCheck.visible = false
                }
            }

            TimerEventButtonRect {
                objectName: "deleteOk"
                x: ptSize * 86
                y: ptSize * 242
                text: "OK"
                onClicked: {
                    tev.deleteItem(deleteCheck.number)
                    deleteCheck.visible = false
                }
            }

            TimerEventButtonRect {
                objectName: "deleteCancel"
                x: ptSize * 228
                y: ptSize * 242
                text: "Cancel"
                onClicked: deleteCheck.visible = false
            }
        }

        DialogNoButton {
            id: timerEventNotice
            objectName: "timerEventNotice"
            property bool disabledAreaAndMode: tev.disabledAreaAndMode
            property bool cppString: !!browse.browseDialogString
            property bool cd: tev.mediaCD
            // Whether the notice is due, on the shown tab or not.
            property bool due: disabledAreaAndMode || cppString || cd
            visible: due
            text: disabledAreaAndMode ? "TIMER EVENT is only available when PLAY AREA is ALL and PLAY MODE is CONTINUE or SINGLE."
                : cd ? "TIMER EVENT cannot be used while current media is CD."
                : cppString ? browse.browseDialogString : ""
            // Hiding reloads the list; the settling of the bindings at creation is no hiding.
            // It follows the notice's condition, not what is drawn: a notice
            // that ends while another tab shows would otherwise never reload,
            // and the list would stay empty when the tab is shown.
            property bool created: false
            Component.onCompleted: created = true
            onDueChanged: {
                if (created && !due)
                    tev.startTimerEvent()
            }
        }
    }
}
