import QtQuick 2.8
import QtQuick.Controls 2.1

// One row of the playback settings (pitch or key): step down, on/off, the
// label and the reported value, step up, and a slider under them.
Item {
    id: row
    property real rowY: 0
    property alias label: labelText.text
    property bool on: false
    property alias valueText: valueLabel.text
    property alias from: slider.from
    property alias to: slider.to
    property alias stepSize: slider.stepSize
    // Where the knob stands (the recorder's value, or the user's own while
    // unanswered); the slider starts there.
    property real reported: 0
    property string minusOn
    property string minusOff
    property string plusOn
    property string plusOff
    signal toggled()
    signal valueSet(real value)

    anchors.fill: parent

    // The knob's place changed (a report, or the user's set answered): move
    // the slider there without sending anything but that value, which the
    // request recognises as the one it stands for.
    function follow(value) {
        if (isWindows) {
            handle.visible = false
            slider.flag = true
            slider.value = 0
            slider.flag = true
            slider.value = 1
        }
        slider.value = value
        handle.visible = true
    }

    TapKey {
        objectName: "stepDown"
        x: ptSize * 26
        y: rowY
        width: ptSize * 58
        height: ptSize * 30
        background: Image { anchors.fill: parent; source: row.on ? minusOn : minusOff }
        onTapped: slider.value -= stepSize
    }
    Button {
        id: onOff
        objectName: "onOff"
        y: rowY
        anchors.horizontalCenter: parent.horizontalCenter
        width: ptSize * 58
        height: ptSize * 30
        background: Image {
            anchors.fill: parent
            sourceSize: Qt.size(parent.width, parent.height)
            mipmap: true
            source: row.on ? "Resource/button-C_ON_58x30_3.png" : "Resource/button-C_OFF_58x30_3.png"
        }
        onClicked: row.toggled()
    }
    Text {
        id: labelText
        anchors.right: onOff.left
        anchors.rightMargin: ptSize * 6
        y: rowY + ptSize * 7
        color: "white"
        font.pixelSize: ptSize * 16
        font.weight: Font.Medium
        textFormat: Text.PlainText
    }
    Text {
        id: valueLabel
        objectName: "value"
        anchors.left: onOff.right
        anchors.leftMargin: ptSize * 6
        y: rowY + ptSize * 7
        color: row.on ? "#00A0E6" : "white"
        font.pixelSize: ptSize * 16
        font.weight: Font.Medium
        textFormat: Text.PlainText
    }
    TapKey {
        objectName: "stepUp"
        x: ptSize * 330
        y: rowY
        width: ptSize * 58
        height: ptSize * 30
        background: Image { anchors.fill: parent; source: row.on ? plusOn : plusOff }
        onTapped: slider.value += stepSize
    }
    Slider {
        id: slider
        objectName: "slider"
        property bool flag: false
        x: ptSize * 20
        y: rowY + ptSize * 39
        width: ptSize * 373
        height: ptSize * 30
        snapMode: Slider.SnapAlways
        live: false
        value: row.reported
        background: Item {}
        handle: Image {
            id: handle
            x: slider.leftPadding + slider.visualPosition * (slider.availableWidth - width)
            y: slider.topPadding + slider.availableHeight / 2 - height / 2
            width: ptSize * 30
            height: ptSize * 30
            sourceSize: Qt.size(width, height)
            source: row.on ? "Resource/Knob_ON_30x30_3.png" : "Resource/Knob_OFF_30x30_3.png"
        }
        onValueChanged: {
            if (flag)
                flag = false
            else
                row.valueSet(value)
        }
    }
}
