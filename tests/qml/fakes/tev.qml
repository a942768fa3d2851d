import QtQuick 2.8

QtObject {
    property var calls: []
    function record(name, args) { calls = calls.concat([{ name: name, args: args }]) }
    function startTimerEvent() { record("startTimerEvent", []) }
}
