import QtQuick 2.8
import "sequence.js" as Sequence

QtObject {
    property var calls: []
    function record(name, args) { calls = calls.concat([{ name: name, args: args, seq: Sequence.next() }]) }

    property int allPplNumber: 0
    property int allEntryNumber: 0
    property int currentPlaylist: -1
    property string currentPlaylistDateTime: ""
    property string infoDataA: ""
    property string infoDataB: ""
    property string infoFolder: ""
    property string infoDateTime: ""
    property bool execCommand: false
    property var pplNames: []
    property var entryNames: []

    signal execFailed()
    signal readyToRedraw()
    signal pplRecived(int number)
    signal entryListRecived()

    function initAll() { record("initAll", []) }
    function initPpl() { record("initPpl", []) }
    function initEntry() { record("initEntry", []) }
    function getMaxEntryNumber() { return 100 }
    function getPplName(i) { return pplNames[i] === undefined ? "" : pplNames[i] }
    function getPplDateTime(i) { return "" }
    function getEntryName(i) { return entryNames[i] === undefined ? "" : entryNames[i] }
    function loadPpl(name) { record("loadPpl", [name]) }
    function createPpl(name) { record("createPpl", [name]) }
    function saveAs(name) { record("saveAs", [name]) }
    function renamePpl(n, name) { record("renamePpl", [n, name]) }
    function assignEntry(e, take) { record("assignEntry", [e, take]) }
    function clearEntry(e) { record("clearEntry", [e]) }
    function clearEntryInfo() { record("clearEntryInfo", []) }
    function getEntryInfo(i) { record("getEntryInfo", [i]) }
}
