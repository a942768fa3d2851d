import QtQuick 2.8
import "sequence.js" as Sequence

QtObject {
    property var calls: []
    function record(name, args) { calls = calls.concat([{ name: name, args: args, seq: Sequence.next() }]) }

    property int allPplNumber: 0
    property int allEntryNumber: 0
    property int currentPlaylist: -1
    property string currentPlaylistDateTime: ""
    property bool execCommand: false
    property bool locked: false
    property bool filesLocked: false
    property var pplNames: []

    signal execFailed()
    signal readyToRedraw()
    signal pplRecived(int number)
    signal entryListRecived()
    signal pplListRecived()

    function initAll() { record("initAll", []) }
    function initPpl() { record("initPpl", []) }
    function initEntry() { record("initEntry", []) }
    function getMaxEntryNumber() { return 100 }
    function getPplName(i) { return pplNames[i] === undefined ? "" : pplNames[i] }
    function rowsRead() { return 0 }
    function stillListed(name, rowsRead) { return pplNames.indexOf(name) >= 0 }
    function getPplDateTime(i) { return "" }
    function getEntryName(i) { return "" }
}
