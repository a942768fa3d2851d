import QtQuick 2.8

// Title row of one page of the settings menu: a grey-to-black bar with the
// page name. Its holder sizes and places it; it takes no input.
Item {
    property alias menuText: pageText.text

    Image {
        anchors.fill: parent
        source: "Resource/set_title_414x1_3.png"
    }

    // Separator along the top edge, one pixel at every size.
    Rectangle {
        width: parent.width
        height: 1
        color: "#5A5A5A"
    }

    Text {
        id: pageText
        x: ptSize * 10
        height: parent.height
        verticalAlignment: Text.AlignVCenter
        color: "white"
        textFormat: Text.PlainText
        font.pixelSize: isAndroid ? ptSize * 20 : ptSize * 22
        font.weight: Font.Medium
    }
}
