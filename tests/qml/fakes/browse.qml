import QtQuick 2.8
import "sequence.js" as Sequence

QtObject {
    property var calls: []
    function record(name, args) { calls = calls.concat([{ name: name, args: args, seq: Sequence.next() }]) }

    property string dialogString: ""
    property string browseDialogString: ""

    signal execFailed()

    function restartBrowse() { record("restartBrowse", []) }
}
