import QtQuick 2.8

QtObject {
    property bool okPermission: false
    property bool isReadOnly: false
    property var calls: []

    function record(name, args) { calls = calls.concat([{ name: name, args: args }]) }
    function requestPermission() { record("requestPermission", []) }
    function returnPermission() { record("returnPermission", []) }
}
