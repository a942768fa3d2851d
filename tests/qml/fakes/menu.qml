import QtQuick 2.8
import "sequence.js" as Sequence

QtObject {
    property var calls: []
    function record(name, args) { calls = calls.concat([{ name: name, args: args, seq: Sequence.next() }]) }

    property bool drawingFinished: false

    signal phantomOnPopup(int page, int item, int subitem, int value)
    signal menuStarted()
    signal menuCompleted()
}
