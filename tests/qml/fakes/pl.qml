import QtQuick 2.8

QtObject {
    property var calls: []

    signal execFailed()

    function record(name, args) { calls = calls.concat([{ name: name, args: args }]) }
    function initAll() { record("initAll", []) }
}
