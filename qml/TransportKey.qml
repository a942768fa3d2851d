import QtQuick 2.8
import QtQuick.Controls 2.1

// A transport key: its picture shows lit or unlit, as its holder decides.
// The skip keys count every tap (tapped); the others take a click.
TapKey {
    property bool lit: false
    property string onImage
    property string offImage

    background: Image {
        anchors.fill: parent
        sourceSize: Qt.size(parent.width, parent.height)
        source: lit ? onImage : offImage
    }
}
