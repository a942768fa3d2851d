import QtQuick 2.8

QtObject {
    property var calls: []

    signal phantomOnPopup(int page, int item, int subitem, int value)

    function record(name, args) { calls = calls.concat([{ name: name, args: args }]) }
}
