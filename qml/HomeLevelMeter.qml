import QtQuick 2.8
import QtQuick.Controls 2.1

// Stereo level meter: a bar, a peak marker and an over lamp per channel, left
// on the top row, right on the bottom row, on the 58-step scale of the
// background picture. Each bar and marker is a window onto one colour ramp
// fixed to the scale. A value beyond the scale is drawn at its end.
Image {
    id: levelMeter
    x: ptSize * 17
    y: ptSize * 318
    width: ptSize * 380
    height: ptSize * 46
    sourceSize: Qt.size(width, height)
    mipmap: true
    source: "Resource/BarMeter_380x46_3.png"
    asynchronous: true

    property real step: ptSize * 333 / 58
    property real scaleStart: ptSize * 14

    LevelWindow {
        objectName: "levelL"
        x: scaleStart
        width: Math.min(comm.levelMeterL, 58) * step
        visible: comm.levelMeterL !== 0
        rampX: 0
    }
    LevelWindow {
        objectName: "levelR"
        x: scaleStart
        anchors.bottom: parent.bottom
        width: Math.min(comm.levelMeterR, 58) * step
        visible: comm.levelMeterR !== 0
        rampX: 0
    }
    LevelWindow {
        objectName: "peakL"
        x: scaleStart + (Math.min(comm.levelMeterLPeak, 58) - 1) * step
        width: step
        visible: comm.levelMeterLPeak !== 0
        rampX: scaleStart - x
    }
    LevelWindow {
        objectName: "peakR"
        x: scaleStart + (Math.min(comm.levelMeterRPeak, 58) - 1) * step
        anchors.bottom: parent.bottom
        width: step
        visible: comm.levelMeterRPeak !== 0
        rampX: scaleStart - x
    }
    Rectangle {
        objectName: "overL"
        anchors.right: parent.right
        anchors.top: parent.top
        width: ptSize * 25
        height: ptSize * 8
        color: "#E63228"
        visible: comm.levelMeterLOver
    }
    Rectangle {
        objectName: "overR"
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        width: ptSize * 25
        height: ptSize * 8
        color: "#E63228"
        visible: comm.levelMeterROver
    }
}
