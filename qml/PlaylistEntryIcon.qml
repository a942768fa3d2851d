import QtQuick 2.8

// Entry count of the loaded playlist: a play-folder symbol with the number of
// filled entries beside it.
Image {
    id: entryIcon
    source: "Resource/Playlist/icon_19x18_playfolder_White.svg"
    sourceSize.height: ptSize * 18
    smooth: false

    Text {
        objectName: "entryCount"
        anchors.left: entryIcon.right
        anchors.leftMargin: ptSize * 3
        anchors.bottom: entryIcon.bottom
        textFormat: Text.PlainText
        text: pl.allEntryNumber
        font.pixelSize: ptSize * 16
        color: "white"
    }
}
