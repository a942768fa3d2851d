import QtQuick 2.8
import "sequence.js" as Sequence

// Stand-in for the settings-menu model: an empty menu, and a log of the
// requests made.
QtObject {
    property var calls: []
    function record(name, args) { calls = calls.concat([{ name: name, args: args, seq: Sequence.next() }]) }

    property bool drawingFinished: false

    signal phantomOnPopup(int page, int item, int subitem, int value)
    signal menuStarted()
    signal menuCompleted()
    signal inputLevelParameterChanged(int page, int item, int subitem, QtObject obj)
    signal itemParameterChanged(int page, int item, QtObject obj)

    function getMaxPageNumber() { return 0 }
    function getMaxSubitemNumber(i, j) { return 1 }
    function getVisibleSubitemNumber(i, j) { return 1 }
    function changedSubitemObjectValue(i, j, k, value, type) { record("changedSubitemObjectValue", [i, j, k, value, type]) }
    function changedCommandMenuData() { record("changedCommandMenuData", []) }
}
