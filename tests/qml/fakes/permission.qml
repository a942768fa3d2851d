import QtQuick 2.8
import "sequence.js" as Sequence

QtObject {
    property bool okPermission: false
    property bool isReadOnly: false
    property var calls: []

    function record(name, args) { calls = calls.concat([{ name: name, args: args, seq: Sequence.next() }]) }
    function requestPermission() { record("requestPermission", []) }
    function returnPermission() { record("returnPermission", []) }
}
