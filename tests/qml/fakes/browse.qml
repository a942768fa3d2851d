import QtQuick 2.8
import "sequence.js" as Sequence

QtObject {
    property var calls: []
    function record(name, args) { calls = calls.concat([{ name: name, args: args, seq: Sequence.next() }]) }

    property string dialogString: ""
    property string browseDialogString: ""
    property int currentFolderNumber: -1
    property int nowFolderNumber: -1
    property string nowFolderName: ""
    property int currentFileNumber: -1
    property bool listing: false
    property bool numberingCurrent: true
    property bool holding: false
    property var infos: []

    signal execFailed()
    signal infoChanged()
    signal listPublished()
    signal listRead()

    function restartBrowse() { record("restartBrowse", []) }
    function openFolder(n, name) { record("openFolder", [n, name]) }
    function upFolder() { record("upFolder", []) }
    function queryInfo(n, name) { record("queryInfo", [n, name]) }
    function getInfo(i) { return infos[i] === undefined ? "" : infos[i] }
    function selectFile(n, name) { record("selectFile", [n, name]) }
    function copyFile(file, folder) { record("copyFile", [file, folder]) }
    function deleteFile(n, name) { record("deleteFile", [n, name]) }
    function deleteFolder(n, name) { record("deleteFolder", [n, name]) }
    function renameFile(n, name, old) { record("renameFile", [n, name, old]) }
    function renameFolder(n, name, old) { record("renameFolder", [n, name, old]) }
    function createFolder(name) { record("createFolder", [name]) }
    function setToCurrentFolder() { record("setToCurrentFolder", []) }
    function goToCurrentFolder() { record("goToCurrentFolder", []) }
    function sortByTime() { record("sortByTime", []) }
    function sortByName() { record("sortByName", []) }
    function undo() { record("undo", []) }
    function dropHeld() { record("dropHeld", []) }
}
