import QtQuick 2.8
import QtQuick.Controls 2.1

// Mono level meter: the left channel's bar, peak marker and over lamp on
// the one row of the background picture.
Image {
    x: ptSize * 17
    y: ptSize * 318
    width: ptSize * 380
    height: ptSize * 46
    sourceSize: Qt.size(width, height)
    source: "Resource/BarMeter_mono_380x46_3.png"
    asynchronous: true

    property real step: ptSize * 333 / 58
    property real scaleStart: ptSize * 7

    LevelWindow {
        objectName: "levelL"
        x: scaleStart
        width: Math.min(comm.levelMeterL, 58) * step
        visible: comm.levelMeterL !== 0
        color: "#64AA69"
        rampX: 0
    }
    LevelWindow {
        objectName: "peakL"
        x: scaleStart + (Math.min(comm.levelMeterLPeak, 58) - 1) * step
        width: step
        visible: comm.levelMeterLPeak !== 0
        color: "#E63228"
        rampX: scaleStart - x
    }
    Rectangle {
        objectName: "overL"
        anchors.top: parent.top
        anchors.right: parent.right
        anchors.rightMargin: ptSize * 7
        width: ptSize * 25
        height: ptSize * 8
        color: "#E63228"
        visible: comm.levelMeterLOver
    }
}
