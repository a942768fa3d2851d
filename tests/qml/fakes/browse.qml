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
    property var infos: []

    signal execFailed()
    signal infoChanged()
    signal listPublished()

    function restartBrowse() { record("restartBrowse", []) }
    function openFolder(n) { record("openFolder", [n]) }
    function upFolder() { record("upFolder", []) }
    function queryInfo(n) { record("queryInfo", [n]) }
    function getInfo(i) { return infos[i] === undefined ? "" : infos[i] }
    function selectFile(n) { record("selectFile", [n]) }
    function copyFile(file, folder) { record("copyFile", [file, folder]) }
    function deleteFile(n) { record("deleteFile", [n]) }
    function deleteFolder(n) { record("deleteFolder", [n]) }
    function renameFile(n, name, old) { record("renameFile", [n, name, old]) }
    function renameFolder(n, name) { record("renameFolder", [n, name]) }
    function createFolder(name) { record("createFolder", [name]) }
    function setToCurrentFolder() { record("setToCurrentFolder", []) }
    function goToCurrentFolder() { record("goToCurrentFolder", []) }
    function sortByTime() { record("sortByTime", []) }
    function sortByName() { record("sortByName", []) }
    function undo() { record("undo", []) }
}
