import QtQuick 2.8

// Stands in for the phantom-power confirmation until the settings menu is
// built. It keeps the interface the window and the popup message use: its show
// hides the popup message and remembers the change; it draws nothing.
Item {
    width: ptSize * 400
    height: ptSize * 80

    property int page: 0
    property int item: 0
    property int subitem: 0
    property int value: 0

    function show(i, j, k, l) {
        popup.hide()
        page = i
        item = j
        subitem = k
        value = l
    }

    function hide() {
    }
}
