import QtQuick 2.8
import QtQuick.Window 2.2

Window {
    id: appWindow
    visible: true
    width: 621
    height: 1126
    color: "black"
    title: "KZ470 Control"

    property real appHeight: Math.min(height / 1.04888, width * 2148 / 1242)
    property real appWidth: appHeight * 1242 / 2148
    property real ptSize: appHeight / 716
    property int oldMessage: 0

    function execPopup(code) {
        oldMessage = code
    }

    Item { id: popup; function show(message) {} function hide() {} }
    Item { id: phantomOnPopup; function show(page, item, subitem, value) {} function hide() {} }
    Item { id: browseDialog }
    Item { id: loginScreen; anchors.fill: parent; visible: !comm.loginComp }
    Rectangle { id: lockScreen; anchors.fill: parent; visible: false; color: "#80000000" }
    Item { id: unlockArea }
}
