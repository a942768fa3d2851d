import QtQuick 2.8

// One entry of the loaded playlist: number badge, the recording's name, the
// assign (empty entry) or clear button and the information toggle. Works the
// screen's list and loaders by name, so it lives only inside PlaylistScreen.
Rectangle {
    id: entryObject
    objectName: "entry_" + entryNumber

    property int entryNumber: 0
    property string entryName: ""
    readonly property bool infoShown: plInfoWindowLoader.number === entryNumber && plInfoWindowLoader.active === true

    x: ptSize * 38
    y: entryNumber * lineHeight
    height: ptSize * 44
    width: pplArea.width - x
    color: entryNumber % 2 === 0 ? "#272727" : "black"

    PlaylistEntryIndicator {
        height: parent.height
        width: ptSize * 55
        indicatorNumber: entryNumber
    }

    TextTapScroll {
        objectName: "entryName"
        x: ptSize * 63
        y: ptSize * 3
        width: parent.width - x
        height: ptSize * 17
        font.pixelSize: ptSize * 15
        color: "white"
        text: entryName + "     "
    }

    // The two buttons keep clear of the list's scroll bar at the right edge.
    MouseArea {
        id: entryButtonMouseArea
        objectName: "entryButton"
        x: ptSize * 284
        y: ptSize * 10
        height: parent.height - y
        width: entryButton.sourceSize.width

        onClicked: {
            if (entryName === "") {
                playlistBrowseLoader.active = true
                assignEntry = entryNumber
            } else {
                var number = entryNumber
                askFor(PlaylistScreen.Entries)
                pl.clearEntry(number)
            }
            plInfoWindowLoader.active = false
        }

        Image {
            id: entryButton
            anchors.bottom: parent.bottom
            anchors.bottomMargin: ptSize * 2
            smooth: false
            sourceSize.width: ptSize * 70
            source: entryName === "" ? "Resource/Playlist/icon_70x20_assign.svg" : "Resource/Playlist/icon_70x20_clear.svg"
        }
    }

    MouseArea {
        objectName: "entryInfo"
        x: ptSize * 258
        y: ptSize * 10
        width: ptSize * 20
        height: parent.height - y
        visible: entryName !== ""

        Image {
            anchors.bottom: parent.bottom
            anchors.bottomMargin: ptSize * 2
            sourceSize.width: ptSize * 20
            source: infoShown ? "Resource/Playlist/icon_20x20_info_white.svg" : "Resource/Playlist/icon_20x20_info_black.svg"

            MouseArea {
                anchors.fill: parent
                onClicked: {
                    if (infoShown) {
                        plInfoWindowLoader.active = false
                        return
                    }
                    pl.clearEntryInfo()
                    plInfoWindowLoader.number = entryNumber
                    plInfoWindowLoader.active = true
                    pl.getEntryInfo(entryNumber)
                }
            }
        }
    }
}
