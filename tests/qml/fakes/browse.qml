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
    property bool anyHeld: false
    property bool locked: false
    property var infos: []
    // The windows whose requests wait; the next owned request waits when set.
    property var heldOwners: []
    property bool holdNext: false
    function own(owner) {
        if (owner && holdNext && heldOwners.indexOf(owner) < 0)
            heldOwners = heldOwners.concat([owner])
    }
    function isHeld(owner) { return heldOwners.indexOf(owner) >= 0 }
    // The model sends or drops the request of that window.
    function settle(owner) {
        heldOwners = heldOwners.filter(function(o) { return o !== owner })
        heldChanged()
    }

    signal execFailed()
    signal infoChanged()
    signal listPublished()
    signal listRead()
    signal heldChanged()
    signal filePicked(var owner, int number, string name, string folder)

    function restartBrowse() { record("restartBrowse", []) }
    function openFolder(n, name, folder) { record("openFolder", [n, name, folder]) }
    function upFolder() { record("upFolder", []) }
    function queryInfo(n, name, folder, owner) { record("queryInfo", [n, name, folder]) }
    function getInfo(i) { return infos[i] === undefined ? "" : infos[i] }
    function selectFile(n, name, folder) { record("selectFile", [n, name, folder]) }
    function copyFile(file, folder) { record("copyFile", [file, folder]) }
    function deleteFile(n, name, folder, owner) { record("deleteFile", [n, name, folder]); own(owner) }
    function deleteFolder(n, name, folder, owner) { record("deleteFolder", [n, name, folder]); own(owner) }
    function renameFile(n, name, old, folder, owner) { record("renameFile", [n, name, old, folder]); own(owner) }
    function renameFolder(n, name, old, folder, owner) { record("renameFolder", [n, name, old, folder]); own(owner) }
    function createFolder(name, owner) { record("createFolder", [name]); own(owner) }
    function pickFile(n, name, folder, owner) { record("pickFile", [n, name, folder]); own(owner) }
    function setToCurrentFolder() { record("setToCurrentFolder", []) }
    function goToCurrentFolder() { record("goToCurrentFolder", []) }
    function sortByTime() { record("sortByTime", []) }
    function sortByName() { record("sortByName", []) }
    function undo() { record("undo", []) }
    // The user cancelled the window's request, or the window closed otherwise.
    function withdrawHeld(owner) { forget("withdrawHeld", owner) }
    function dropHeld(owner) { forget("dropHeld", owner) }
    function forget(call, owner) {
        if (isHeld(owner)) {
            record(call, [])
            heldOwners = heldOwners.filter(function(o) { return o !== owner })
        }
    }
}
