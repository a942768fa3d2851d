import QtQuick 2.8

QtObject {
    property var calls: []

    signal markTimeReceived(int time)
    signal markClear()
    function heldMarks() { return [] }
    function record(name, args) { calls = calls.concat([{ name: name, args: args }]) }
}
