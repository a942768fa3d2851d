import QtQuick 2.8
import QtQuick.Controls 2.2

// The settings menu: after every walk of the recorder's menu, one scrolling
// list of fixed-height rows (page titles, item headings, choice rows and
// millisecond range rows). Each row registers itself with the model while it
// is made, asks for its value, and hands the user's choices to the model.
Item {
    id: menuScreen

    property real lineHeight: ptSize * 50
    // The build cursor: the row being made reads it while it is created.
    property int nowPageNumber: 0
    property int nowItemNumber: 0     // -1 while a page title row is made
    property int nowSubitemNumber: 0  // -1 item heading row, -2 single-subitem row
    property int allListNumber: 0
    property bool visibleComboBox: true

    // Row kinds, in the order of rowComponents.
    readonly property int pageRow: 0
    readonly property int itemRow: 1
    readonly property int subitemRow: 2
    readonly property int rangeRow: 3
    readonly property var rowComponents: [pageComponent, itemComponent, subitemComponent, subitemRangeComponent]

    function append(kind) {
        rowModel.append({ "pageSource": kind })
        allListNumber += 1
    }

    // The row's list, and which of the model's lists it is. An index the row
    // knew named an entry of the list it held before.
    function fill(row, p, i, s) {
        row.modelList.clear()
        for (var n = 0; n < menu.getMaxSubitemParameterNumber(p, i, s); n++)
            row.modelList.append({ "modelData": menu.getSubitemParameterName(p, i, s, n) })
        row.listGeneration = menu.getSubitemListGeneration(p, i, s)
        row.oldIndex = -1
    }

    // Lays the whole tree out again; the loop bounds are asked on every pass.
    function build() {
        menuArea.visible = false
        rowModel.clear()
        allListNumber = 0
        nowPageNumber = 0
        nowItemNumber = 0
        nowSubitemNumber = 0
        visibleComboBox = true
        for (var p = 0; p < menu.getMaxPageNumber(); p++) {
            if (menu.getPageVisible(p) === false) {
                nowPageNumber += 1
                continue
            }
            nowItemNumber = -1
            if (menu.getPageName(nowPageNumber) !== "") {
                visibleComboBox = false
                append(pageRow)
                visibleComboBox = true
            }
            for (var i = 0; i < menu.getMaxItemNumber(p); i++) {
                nowItemNumber += 1
                if (menu.getMaxSubitemNumber(p, i) === 1) {
                    nowSubitemNumber = -2
                    if (menu.getSubitemVisible(p, i, 0) === true)
                        append(itemRow)
                    continue
                }
                nowSubitemNumber = -1
                if (menu.getItemVisible(p, i) === true) {
                    visibleComboBox = false
                    append(itemRow)
                    visibleComboBox = true
                }
                for (var s = 0; s < menu.getMaxSubitemNumber(p, i); s++) {
                    nowSubitemNumber += 1
                    if (menu.getSubitemVisible(p, i, s) === true)
                        append(menu.getSubitemType(p, i, s) === 0 ? subitemRow : rangeRow)
                }
            }
            nowPageNumber += 1
        }
        menuArea.visible = true
        menu.drawingFinished = true
    }

    // Runs while the row is appended, so the cursor describes this row.
    function initialise(row) {
        var p = nowPageNumber, i = nowItemNumber, s = nowSubitemNumber
        if (i === -1) {
            row.menuText = menu.getPageName(p)
            menu.setPageObject(p, row)
        } else if (s === -1) {
            row.menuText = menu.getItemName(p, i)
            menu.setItemObject(p, i, row)
            row.visibleComboBox = visibleComboBox
        } else if (s === -2) {
            row.menuText = menu.getItemName(p, i)
            menu.setItemObject(p, i, row)
            fill(row, p, i, 0)
            row.readOnly = menu.getSubitemReadOnly(p, i, 0)
            row.comboBoxCurrentIndex = menu.getMaxSubitemParameterNumber(p, i, 0)
            row.oldIndex = menu.getMaxSubitemParameterNumber(p, i, 0)
            if (menu.getSubitemType(p, i, 0) === 0)
                menu.subitemValueRequest(p, i, 0)
            row.visibleComboBox = visibleComboBox
        } else {
            row.menuText = menu.getSubitemName(p, i, s)
            menu.setSubitemObject(p, i, s, row)
            if (menu.getSubitemType(p, i, s) === 0) {
                fill(row, p, i, s)
                row.readOnly = menu.getSubitemReadOnly(p, i, s)
                if (row.readOnly === true)
                    row.readOnlyValue = menu.getSubitemParameterName(p, i, s, 0)
                row.comboBoxCurrentIndex = menu.getMaxSubitemParameterNumber(p, i, s)
                row.oldIndex = menu.getMaxSubitemParameterNumber(p, i, s)
                menu.subitemValueRequest(p, i, s)
                row.visibleComboBox = visibleComboBox
            } else {
                menu.subitemValueRequest(p, i, s)
            }
        }
        row.pageNumber = p
        row.itemNumber = i
        row.subitemNumber = s
        row.serialNumber = allListNumber
    }

    BackScreen {
        id: menuBack

        Text {
            id: menuTitle
            y: ptSize * 20
            width: parent.width
            text: "MENU"
            color: "white"
            textFormat: Text.PlainText
            horizontalAlignment: Text.AlignHCenter
            font.pixelSize: isAndroid ? ptSize * 23 : ptSize * 24
            font.weight: Font.Medium
        }

        Flickable {
            id: menuArea
            objectName: "menuArea"
            anchors.top: menuTitle.bottom
            anchors.topMargin: isDesktop ? ptSize * 5 : 0
            anchors.bottom: parent.bottom
            anchors.left: parent.left
            anchors.right: parent.right
            clip: true
            flickableDirection: Flickable.VerticalFlick
            contentHeight: allListNumber * lineHeight
            // Rows left from the last walk stay drawn while the recorder's
            // menu is read again, but take no input.
            enabled: menu.drawingFinished

            ScrollBar.vertical: ScrollBar {
                anchors.top: parent.top
                anchors.bottom: parent.bottom
                anchors.right: parent.right
                visible: menuArea.contentHeight > menuArea.height
                contentItem: CommonScrollBarItem {}
            }

            Repeater {
                id: menuRepeater
                model: ListModel { id: rowModel }
                delegate: Loader {
                    sourceComponent: menuScreen.rowComponents[pageSource]
                    onLoaded: menuScreen.initialise(item)
                }
            }

            Component {
                id: pageComponent
                MenuPageObject {
                    property int pageNumber: 0
                    property int itemNumber: 0
                    property int subitemNumber: 0
                    property int serialNumber: 0
                    y: serialNumber * lineHeight
                    height: lineHeight
                    width: menuArea.width
                }
            }

            Component {
                id: itemComponent
                MenuItemObject {
                    property int pageNumber: 0
                    property int itemNumber: 0
                    property int subitemNumber: 0
                    property int serialNumber: 0
                    y: serialNumber * lineHeight
                    height: lineHeight
                    width: menuArea.width
                    onComboBoxSelected: menu.changedSubitemChoice(pageNumber, itemNumber, subitemNumber < 0 ? 0 : subitemNumber,
                                                                  value, choice, list)
                }
            }

            Component {
                id: subitemComponent
                MenuItemObject {
                    property int pageNumber: 0
                    property int itemNumber: 0
                    property int subitemNumber: 0
                    property int serialNumber: 0
                    y: serialNumber * lineHeight
                    height: lineHeight
                    width: menuArea.width
                    subitem: true
                    onComboBoxSelected: menu.changedSubitemChoice(pageNumber, itemNumber, subitemNumber < 0 ? 0 : subitemNumber,
                                                                  value, choice, list)
                }
            }

            Component {
                id: subitemRangeComponent
                MenuItemRangeObject {
                    property int pageNumber: 0
                    property int itemNumber: 0
                    property int subitemNumber: 0
                    property int serialNumber: 0
                    y: serialNumber * lineHeight
                    height: lineHeight
                    width: menuArea.width
                    // Exactly the value shown: rounded, never cut short.
                    onRangeSelected: menu.changedSubitemObjectValue(pageNumber, itemNumber,
                                                                    subitemNumber < 0 ? 0 : subitemNumber,
                                                                    Math.round((value + 1000) / 10), 0)
                }
            }
        }
    }

    Connections {
        target: menu
        function onMenuCompleted() { menuScreen.build() }
        function onInputLevelParameterChanged(page, item, subitem, obj) {
            obj.menuText = menu.getSubitemName(page, item, subitem)
            menuScreen.fill(obj, page, item, subitem)
        }
        function onItemParameterChanged(page, item, obj) {
            obj.menuText = menu.getItemName(page, item)
            menuScreen.fill(obj, page, item, 0)
        }
    }
}
