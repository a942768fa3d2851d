import QtQuick 2.8

// One tab of the window's header: black with the white icon while selected,
// grey with the black icon otherwise. Icon sizes are in units.
Rectangle {
    property bool selected: false
    property string icon: ""
    property string selectedIcon: ""
    property real iconWidth: 0
    property real iconHeight: 0

    signal clicked()

    height: headerHeight
    color: selected ? "black" : "#7F7F7F"
    border.color: selected ? "black" : "#4A4A4A"
    border.width: ptSize

    Image {
        anchors.centerIn: parent
        smooth: false
        sourceSize.width: ptSize * parent.iconWidth
        sourceSize.height: ptSize * parent.iconHeight
        source: parent.selected ? parent.selectedIcon : parent.icon
    }

    MouseArea {
        anchors.fill: parent
        onClicked: parent.clicked()
    }
}
