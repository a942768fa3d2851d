import QtQuick 2.8
import QtQuick.Controls 2.2
import QtQuick.Window 2.2

// A settings-menu row whose value is one of a list of named choices: the
// name at the left, a drop-down box at the right. As an item heading it
// hides the box and draws the line that joins the heading to its subitems.
// A pick other than the last known value is reported by comboBoxSelected
// with the entry picked, as the user saw it: its place and text in the list
// and which of the model's lists that is. The model writes the recorder's
// value back by property name. The holder declares pageNumber and itemNumber
// on the instance.
Item {
    id: itemRow

    property alias menuText: itemText.text
    property alias modelList: comboBox.model
    property alias visibleComboBox: comboBox.visible
    property alias comboBoxCurrentIndex: comboBox.currentIndex
    property int oldIndex: -1
    property bool subitem: false
    property bool readOnly: false
    property string readOnlyValue: ""
    // The generation of the model's list that modelList holds.
    property int listGeneration: -1

    signal comboBoxSelected(int value, string choice, int list)

    // A pick of the entry showing `choice` at `index` of the list (-1: an
    // entry no longer in it): reported unless it is the one last known.
    function choose(index, choice) {
        if (index >= 0 && index === oldIndex)
            return
        comboBoxSelected(index, choice, listGeneration)
        oldIndex = index
    }

    Rectangle {
        x: subitem ? ptSize * 20 : 0
        width: parent.width - x
        height: 1
        color: "#5A5A5A"
    }

    // Shown while the box holds the focus: the row last used.
    Rectangle {
        x: subitem ? ptSize * 20 : 0
        y: ptSize * 3
        width: ptSize * 220 - x
        height: parent.height - ptSize * 6
        color: "#B0C2ED"
        visible: comboBox.activeFocus
    }

    Text {
        id: itemText
        objectName: "menuItemText"
        x: subitem ? ptSize * 25 : ptSize * 8
        height: parent.height
        verticalAlignment: Text.AlignVCenter
        color: comboBox.activeFocus ? "black" : "white"
        textFormat: Text.PlainText
        font.pixelSize: isAndroid ? ptSize * 17 : ptSize * 16
        font.weight: Font.Medium
    }

    ComboBox {
        id: comboBox
        objectName: "menuComboBox"
        y: ptSize * 3
        width: ptSize * 206
        height: parent.height - ptSize * 6
        anchors.right: parent.right
        font.pixelSize: itemText.font.pixelSize
        font.weight: Font.Medium
        enabled: !readOnly
        model: ListModel {}

        contentItem: Text {
            leftPadding: isIos || isAndroid ? ptSize * 15 : ptSize * 10
            rightPadding: comboBox.rightPadding
            text: comboBox.displayText
            font: comboBox.font
            color: comboBox.activeFocus ? "black" : "white"
            horizontalAlignment: Text.AlignLeft
            verticalAlignment: Text.AlignVCenter
            textFormat: Text.PlainText
        }
        background: Rectangle {
            color: comboBox.activeFocus ? "white" : "#282828"
        }
        indicator: Item {}
        // The list's height follows from the number of choices, not from the
        // list view's content height: that one changes while the view makes
        // and drops its delegates (as when the rows are built anew after a
        // login) and fed back into the popup's height in a loop.
        //
        // The box makes its popup, list view and delegates only when the
        // drop-down first opens. An id anywhere in the popup would have them
        // made with the row, for every row of the menu: refer to its parts
        // by property instead.
        popup: Popup {
            y: comboBox.height
            width: comboBox.width
            height: Math.min(comboBox.count * comboBox.entryHeight, comboBox.Window.height - topMargin - bottomMargin)
            topMargin: 6
            bottomMargin: 6
            padding: 0

            // A list the box was given while its drop-down was closed shows
            // at the next layout; till then the entries of the list before
            // it would stand there, to be tapped.
            onAboutToShow: contentItem.forceLayout()

            contentItem: ListView {
                clip: true
                model: comboBox.delegateModel
                currentIndex: comboBox.highlightedIndex
                highlightMoveDuration: 0

                Rectangle {
                    z: 10
                    width: parent.width
                    height: parent.height
                    color: "transparent"
                    border.color: comboBox.palette.mid
                }

                ScrollIndicator.vertical: ScrollIndicator {}
            }

            background: Rectangle {
                color: comboBox.palette.window
            }
        }
        property real entryHeight: comboBox.height * 0.92
        // The entry a tap reached, until the box has taken the tap: the box
        // activates the index it finds for the entry, which is not the one
        // tapped when the entry has left the list.
        property var tapped: null
        function forgetTap() { tapped = null }

        delegate: ItemDelegate {
            width: comboBox.width
            height: comboBox.entryHeight
            highlighted: comboBox.highlightedIndex === index
            contentItem: Text {
                id: entryText
                leftPadding: ptSize * 10
                text: modelData
                font: comboBox.font
                verticalAlignment: Text.AlignVCenter
                textFormat: Text.PlainText
            }
            background: Rectangle {
                color: highlighted ? "#B4B4B4" : "#8C8C8C"
            }
            // Before the box's own handling of the click, which follows at once.
            onClicked: {
                comboBox.tapped = { "index": index, "choice": entryText.text }
                Qt.callLater(comboBox.forgetTap)
            }
        }

        // A tap on an entry, or a step of the keys through the list.
        onActivated: {
            var pick = tapped !== null ? tapped : { "index": currentIndex, "choice": textAt(currentIndex) }
            tapped = null
            itemRow.choose(pick.index, pick.choice)
        }
    }

    // A setting that cannot be changed: its value over the disabled box.
    Rectangle {
        objectName: "menuValueBox"
        x: comboBox.x
        y: comboBox.y
        width: comboBox.width
        height: comboBox.height
        color: "#282828"
        visible: readOnly

        Text {
            anchors.fill: parent
            anchors.leftMargin: isIos || isAndroid ? ptSize * 15 : ptSize * 10
            text: readOnlyValue
            font: comboBox.font
            verticalAlignment: Text.AlignVCenter
            color: "white"
            textFormat: Text.PlainText
        }
    }

    // From a heading down the left margin of the visible subitem rows.
    Rectangle {
        x: ptSize * 10
        y: ptSize * 42
        width: ptSize * 2
        height: menu.getMaxSubitemNumber(pageNumber, itemNumber) === 1
                ? 0 : ptSize * 50 * menu.getVisibleSubitemNumber(pageNumber, itemNumber)
        color: "white"
        visible: !subitem
    }

    Connections {
        target: comm
        function onLoginCompChanged(loginComp) {
            if (loginComp === false) {
                comboBox.popup.close()
                comboBox.focus = false
            }
        }
    }
}
