import QtQuick 2.8

// The display's progress bar: a black fill for the elapsed part of the track
// (or of the whole medium in total display) and an arrow over every mark of
// the current track. Placed at the display's corner; draws at x 13, y 197.
Item {
    property int markTimeTemp: 0

    // Where an arrow for a mark at `time` stands on a bar `barWidth` wide. No
    // total yet counts as a mark at the start, so the place stays finite.
    function arrowX(barWidth, time) {
        var total = comm.trackTotalTimeFlame
        return (total !== 0 ? barWidth * time / total : 0) - ptSize * 6
    }

    Rectangle {
        id: timeBar
        x: ptSize * 13
        y: ptSize * 197
        width: ptSize * 270
        height: ptSize * 5
        color: "transparent"
        border.color: "black"
        border.width: ptSize

        Rectangle {
            objectName: "elapsedFill"
            x: 0
            y: 0
            height: ptSize * 5
            color: "black"
            // An elapsed time beyond the total fills the bar and no more.
            width: comm.trackTotalTimeFlame !== 0
                   ? Math.max(0, Math.min(timeBar.width, timeBar.width * comm.trackElapsedTimeFlame / comm.trackTotalTimeFlame))
                   : 0
        }

        Repeater {
            id: markRepeater
            model: ListModel {}
            delegate: Loader {
                sourceComponent: markSource
                onLoaded: {
                    item.markTime = markTimeTemp
                    if (comm.displayMode === true)
                        item.x = arrowX(parent.width, item.markTime + comm.currentTrackTop)
                    else
                        item.x = Qt.binding(function() { return arrowX(timeBar.width, item.markTime) })
                }
            }
        }

        Component {
            id: markArrowComponent
            Image {
                objectName: "markArrow"
                property int markTime: 0
                y: -ptSize * 13
                width: ptSize * 12
                height: ptSize * 13
                sourceSize: Qt.size(width, height)
                source: "Resource/MARK_S_3.png"
            }
        }

        function addMark(time) {
            markTimeTemp = time
            markRepeater.model.append({ markSource: markArrowComponent })
        }

        // A bar made anew (the portrait window builds its home page again)
        // shows the marks already read.
        Component.onCompleted: {
            var held = mark.heldMarks()
            for (var i = 0; i < held.length; ++i)
                addMark(held[i])
        }

        Connections {
            target: mark
            function onMarkTimeReceived(time) {
                timeBar.addMark(time)
            }
        }

        Connections {
            target: mark
            function onMarkClear() {
                markRepeater.model.clear()
            }
        }
    }
}
