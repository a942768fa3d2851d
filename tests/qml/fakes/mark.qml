import QtQuick 2.8

QtObject {
    property var calls: []

    signal markTimeReceived(int time)
    signal markClear()
    property var held: []
    function heldMarks() { return held }
    function record(name, args) { calls = calls.concat([{ name: name, args: args }]) }
}
