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
    property bool canGoUp: nowFolderNumber > 0
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

    // A request on a row records its entry's number, name and folder; an
    // entry of the other kind than the request's is a fault.
    function row(entry, type) {
        if (entry.type !== type)
            throw new Error("a request on an entry of the other kind")
        return [entry.number, entry.name, entry.folder]
    }

    function restartBrowse() { record("restartBrowse", []) }
    function openFolder(entry) { record("openFolder", row(entry, 0)) }
    function upFolder() { record("upFolder", []) }
    function queryInfo(entry, owner) { record("queryInfo", row(entry, 1)) }
    function getInfo(i) { return infos[i] === undefined ? "" : infos[i] }
    function selectFile(entry) { record("selectFile", row(entry, 1)) }
    function copyFile(file, folder) { record("copyFile", [file, folder]) }
    function deleteFile(entry, owner) { record("deleteFile", row(entry, 1)); own(owner) }
    function deleteFolder(entry, owner) { record("deleteFolder", row(entry, 0)); own(owner) }
    // Recorded as number, new name, old name, folder.
    function renameFile(entry, name, owner) { var r = row(entry, 1); record("renameFile", [r[0], name, r[1], r[2]]); own(owner) }
    function renameFolder(entry, name, owner) { var r = row(entry, 0); record("renameFolder", [r[0], name, r[1], r[2]]); own(owner) }
    // The folder shown, as the model hands it to a window.
    function shownFolder() { return { number: nowFolderNumber, path: nowFolderName } }
    // Recorded as name, then the number and path of the folder the window opened on.
    function createFolder(folder, name, owner) { record("createFolder", [name, folder.number, folder.path]); own(owner) }
    function pickFile(entry, owner) { record("pickFile", row(entry, 1)); own(owner) }
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
