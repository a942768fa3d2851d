import QtQuick 2.8
import QtTest 1.1
import "shell.js" as Shell
import "fakes"

// What the browse tab decides on its own, beyond the road against a
// simulated recorder: which edits the recorder's state allows, which notice
// wins, and the paths of a copy.
TestCase {
    name: "BrowseScreen"
    when: windowShown

    property var win: null

    // File 3, "a.wav", listed in LIVE, for a tap on its row.
    BrowseRow { id: rowA; name: "a.wav"; number: 3; type: 1; folder: "LIVE" }

    function init() {
        Shell.resetFakes([permission, browse])
        permission.okPermission = true
        permission.isReadOnly = false
        comm.loginComp = true
        comm.statusIcon = 16
        comm.playMode = "CONTINUE"
        comm.playArea = "ALL"
        comm.currentMedia = "SD1"
        browse.browseDialogString = ""
        browse.listing = false
        browse.numberingCurrent = true
        browse.anyHeld = false
        browse.heldOwners = []
        browse.holdNext = false
        browse.infos = []
        browse.nowFolderNumber = 5
        browse.nowFolderName = "LIVE"
        browse.currentFolderNumber = 5
        testContext.set("browseModel", [])
        win = Shell.open(450, 815)
        win.screenSelect = 2
    }

    function cleanup() {
        win.destroy()
        win = null
    }

    function part(name) { return Shell.find(win.contentItem, name, true) }
    // The requests made, but for the information query of an opened menu.
    function sent() { return Shell.names(browse.calls).filter(function(n) { return n !== "queryInfo" }) }

    // The file menu of file 3, "a.wav", as a tap on its row of the shown
    // folder opens it.
    function openFileMenu() {
        var loader = part("browseMenuLoader")
        loader.entry = { number: 3, type: 1, name: "a.wav", folder: browse.nowFolderName }
        loader.active = true
        verify(part("fileMenu"))
    }

    function test_stateAllowsEdits_data() {
        return [
            { tag: "read-only", readOnly: true, status: 16, mode: "CONTINUE", area: "ALL", edit: false, badge: true, select: false },
            { tag: "playing", readOnly: false, status: 17, mode: "CONTINUE", area: "ALL", edit: false, badge: false, select: true },
            { tag: "paused", readOnly: false, status: 18, mode: "CONTINUE", area: "ALL", edit: false, badge: true, select: true },
            { tag: "single", readOnly: false, status: 16, mode: "SINGLE", area: "ALL", edit: false, badge: false, select: true },
            { tag: "single in a playlist", readOnly: false, status: 16, mode: "SINGLE", area: "PLAYLIST", edit: false, badge: true, select: false },
            { tag: "random", readOnly: false, status: 16, mode: "RANDOM", area: "ALL", edit: false, badge: true, select: false },
            { tag: "program", readOnly: false, status: 16, mode: "PROGRAM", area: "ALL", edit: false, badge: true, select: false },
            { tag: "folder area, current folder", readOnly: false, status: 16, mode: "CONTINUE", area: "FOLDER", edit: true, badge: false, select: true },
            { tag: "folder area, other folder", readOnly: false, status: 16, mode: "CONTINUE", area: "FOLDER", other: true, edit: true, badge: false, select: false }
        ]
    }

    function test_stateAllowsEdits(data) {
        permission.isReadOnly = data.readOnly
        comm.statusIcon = data.status
        comm.playMode = data.mode
        comm.playArea = data.area
        browse.currentFolderNumber = data.other ? 7 : 5
        for (var tool of ["createFolderTool", "sortByTimeTool", "sortByNameTool", "undoTool"])
            compare(part(tool).enabled, data.edit, tool)
        compare(browse.locked, !data.edit)
        verify(part("goToCurrentTool").enabled)
        compare(part("viewOnlyBadge") !== null, data.badge)
        openFileMenu()
        compare(part("fileSelect").enabled, data.select)
        for (var entry of ["fileRename", "fileCopy", "fileDelete"])
            compare(part(entry).enabled, data.edit, entry)
    }

    // The notice, too, closes the tab's windows and tells the model to send
    // no edit (the recorder's other states are driven end to end).
    function test_lockClosesTheWindows_data() {
        return [
            { tag: "no status", set: function() { browse.browseDialogString = "SD1 is not available" } },
            { tag: "CD", set: function() { comm.currentMedia = "CD" } }
        ]
    }

    function test_lockClosesTheWindows(data) {
        openFileMenu()
        mouseClick(part("fileDelete"))
        verify(part("deleteCheck"))
        verify(!browse.locked)
        data.set()
        verify(browse.locked)
        verify(!part("deleteCheck"))
        verify(!part("fileMenu"))
    }

    function test_noticePriority_data() {
        return [
            { tag: "CD over recording", media: "CD", status: 129, own: "SD1 is not available", text: "BROWSE screen is not available when current media is CD." },
            { tag: "recording", media: "SD1", status: 130, own: "SD1 is not available", text: "BROWSE screen is not available while recordings." },
            { tag: "the model's notice", media: "SD1", status: 0, own: "SD1 is not available", text: "SD1 is not available" },
            { tag: "none", media: "SD1", status: 16, own: "", text: "" }
        ]
    }

    function test_noticePriority(data) {
        comm.currentMedia = data.media
        comm.statusIcon = data.status
        browse.browseDialogString = data.own
        var notice = part("browseNotice")
        compare(notice ? notice.text : "", data.text)
        // The model's notice going away reads the folder again, once.
        browse.calls = []
        browse.browseDialogString = ""
        compare(Shell.names(browse.calls), data.own === "" ? [] : ["restartBrowse"])
    }

    function test_copyPaths_data() {
        return [
            { tag: "root to root", media: "SD1", from: "", to: "", source: "A:\\a.wav", target: "A:\\a.wav" },
            { tag: "nested to root", media: "SD2", from: "LIVE\\2017", to: "", source: "B:\\LIVE\\2017\\a.wav", target: "B:\\a.wav" },
            { tag: "root to nested, USB", media: "USB", from: "", to: "X\\Y", source: "C:\\a.wav", target: "C:\\X\\Y\\a.wav" },
            { tag: "no medium", media: "", from: "A", to: "B", source: "C:\\A\\a.wav", target: "C:\\B\\a.wav" }
        ]
    }

    function test_copyPaths(data) {
        comm.currentMedia = data.media
        browse.nowFolderNumber = data.from === "" ? 0 : 5
        browse.nowFolderName = data.from
        openFileMenu()
        mouseClick(part("fileCopy"))
        var picker = part("copyPicker")
        verify(picker)
        browse.nowFolderNumber = data.to === "" ? 0 : 9
        browse.nowFolderName = data.to
        mouseClick(part("pasteButton"))
        compare(browse.calls.filter(function(c) { return c.name === "copyFile" }).map(function(c) { return c.args }), [[data.source, data.target]])
        verify(!part("copyPicker"))
    }

    // While the shown folder's name is still being read, nothing that names
    // the shown folder is offered: Paste (a tap on it does nothing, and the
    // picker stays) and Set to current. Copy is: its source is the folder of
    // the row the menu was opened on.
    function test_folderNameReadAgain() {
        browse.currentFolderNumber = 2
        openFileMenu()
        browse.nowFolderName = ""
        verify(!part("setToCurrent"))
        verify(part("fileCopy").enabled)
        browse.nowFolderName = "LIVE"
        verify(part("setToCurrent"))
        mouseClick(part("fileCopy"))
        browse.nowFolderName = ""
        verify(!part("setToCurrent"))
        mouseClick(part("pasteButton"))
        verify(part("copyPicker"))
        compare(sent(), [])
    }

    // A delete or a rename confirmed on a row goes to the browse model as
    // the window's own request, and the model decides whether it goes. While
    // the model holds it (the folder is read again after the recorder
    // numbered its entries anew), the window stays and says so: the delete
    // question takes no second OK, the name window's OK puts the new name in
    // the request's place, and closing the window withdraws it. It closes
    // once the model has sent or dropped it. Once the folder has been read
    // again, a window on a row whose entry is no longer listed under its
    // number closes, unless its request waits.
    function test_editsOnlyListedEntries_data() {
        var a = [{ name: "a.wav", number: 3, type: 1, folder: "LIVE" }], b = [{ name: "b.wav", number: 3, type: 1, folder: "LIVE" }]
        var moved = [{ name: "a.wav", number: 2, type: 1, folder: "LIVE" }, { name: "b.wav", number: 3, type: 1, folder: "LIVE" }]
        return [
            { tag: "delete, listed", calls: [["deleteFile", [3, "a.wav", "LIVE"]]], closed: true },
            { tag: "delete, list read anew", reread: b, calls: [], closed: true },
            { tag: "delete, list read anew, moved", reread: moved, calls: [], closed: true },
            { tag: "delete, list read anew, still listed", reread: a, calls: [], closed: false },
            { tag: "file menu, list read anew", menu: true, reread: moved, calls: [], closed: true },
            { tag: "rename, list read anew", rename: true, reread: b, calls: [], closed: true },
            { tag: "delete waiting, OK again, sent or dropped", holding: true, calls: [["deleteFile", [3, "a.wav", "LIVE"]]], closed: true },
            { tag: "delete waiting, list read anew, cancelled", holding: true, reread: moved, cancel: true,
              calls: [["deleteFile", [3, "a.wav", "LIVE"]], ["withdrawHeld", []]], closed: true },
            { tag: "rename waiting, corrected, sent or dropped", rename: true, holding: true,
              calls: [["renameFile", [3, "b", "a.wav", "LIVE"]], ["renameFile", [3, "c", "a.wav", "LIVE"]]], closed: true },
            { tag: "rename waiting, cancelled", rename: true, holding: true, cancel: true,
              calls: [["renameFile", [3, "b", "a.wav", "LIVE"]], ["renameFile", [3, "c", "a.wav", "LIVE"]], ["withdrawHeld", []]], closed: true }
        ]
    }

    function test_editsOnlyListedEntries(data) {
        testContext.set("browseModel", [{ name: "a.wav", number: 3, type: 1, folder: "LIVE" }])
        browse.holdNext = data.holding === true
        openFileMenu()
        var window = data.menu ? "fileMenu" : data.rename ? "nameWindow" : "deleteCheck"
        if (!data.menu)
            mouseClick(part(data.rename ? "fileRename" : "fileDelete"))
        var ok = function(name) {
            if (data.rename)
                part("nameWindow").clickedOk(name)
            else
                mouseClick(part("deleteOk"))
        }
        if (data.holding) {
            ok("b")
            verify(part(window))
            verify(part("waitingNote"))
            ok("c")
            if (data.reread !== undefined) {
                testContext.set("browseModel", data.reread)
                browse.listRead()
            }
            verify(part(window))
            if (!data.cancel)
                browse.settle(part(data.rename ? "browseInputWindowLoader" : "deleteCheck"))
            else if (data.rename)
                part("nameWindow").clickedCancel()
            else
                mouseClick(part("deleteCancel"))
        } else if (data.reread !== undefined) {
            testContext.set("browseModel", data.reread)
            browse.listRead()
        } else {
            ok("b")
        }
        compare(browse.calls.filter(function(c) { return c.name !== "queryInfo" }).map(function(c) { return [c.name, c.args] }), data.calls)
        compare(part(window) === null, data.closed)
    }

    // The file menu shows the information of its own file, found by number
    // and name when the list read anew has moved it, and none when the list
    // has another file under its number.
    function test_fileMenuShowsItsOwnInformation_data() {
        var x = { name: "x.wav", number: 2, type: 1, folder: "LIVE" }, a = { name: "a.wav", number: 3, type: 1, folder: "LIVE" }
        return [
            { tag: "same place", list: [x, a], info: "A" },
            { tag: "moved down", list: [{ name: "y", number: 1, type: 0, folder: "LIVE" }, x, a], info: "A" },
            { tag: "number taken", list: [{ name: "a.wav", number: 2, type: 1, folder: "LIVE" }, { name: "b.wav", number: 3, type: 1, folder: "LIVE" }], info: "" },
            { tag: "another folder's", list: [x, { name: "a.wav", number: 3, type: 1, folder: "STUDIO" }], info: "" }
        ]
    }

    function test_fileMenuShowsItsOwnInformation(data) {
        testContext.set("browseModel", [{ name: "x.wav", number: 2, type: 1, folder: "LIVE" }, { name: "a.wav", number: 3, type: 1, folder: "LIVE" }])
        openFileMenu()
        part("browseMenuLoader").listViewIndex = 1
        testContext.set("browseModel", data.list)
        browse.infos = data.list.map(function(e) { return e.name === "a.wav" && e.number === 3 && e.folder === "LIVE" ? "A" : "other" })
        browse.infoChanged()
        compare(part("fileInfo") ? part("fileInfo").text : "", data.info)
    }

    // The delete question shows a long name on three lines; only while its
    // request waits does the message give way to the waiting line.
    function test_deleteQuestionText_data() {
        return [
            { tag: "asked", holding: false, lines: 3 },
            { tag: "waiting", holding: true, lines: 1 }
        ]
    }

    function test_deleteQuestionText(data) {
        var ptSize = win.ptSize
        browse.holdNext = data.holding
        openFileMenu()
        part("browseMenuLoader").entry = { number: 3, type: 1, folder: "LIVE",
                                           name: "Evening concert at the old town hall second half encore and applause.wav" }
        mouseClick(part("fileDelete"))
        if (data.holding)
            mouseClick(part("deleteOk"))
        var area = Shell.find(part("deleteCheck"), "messageArea", true)
        var bottom = area.mapToItem(null, 0, area.height).y
        compare(Math.floor((area.height + 1) / (ptSize * 30)), data.lines)
        var note = part("waitingNote")
        compare(note !== null, data.holding)
        if (note)
            verify(bottom <= note.mapToItem(null, 0, 0).y)
        else
            verify(bottom < part("deleteOk").mapToItem(null, 0, 0).y)
    }

    // A file picked in the picker (modes 2 and 4, whose users name it by its
    // number) goes to the browse model, which tells it back once its number
    // is known to name it; the picker reports only what it picked itself.
    function test_pickerReportsItsOwnPick_data() {
        return [
            { tag: "its own", own: true, picked: [[3, "a.wav", "LIVE"]] },
            { tag: "another picker's", own: false, picked: [] }
        ]
    }

    function test_pickerReportsItsOwnPick(data) {
        testContext.set("browseModel", [rowA])
        openFileMenu()
        mouseClick(part("fileCopy"))
        var picker = part("copyPicker")
        picker.mode = 2
        var picks = []
        picker.clicked.connect(function(number, name, folder) { picks.push([number, name, folder]) })
        mouseClick(Shell.find(picker, "row_a.wav", true))
        compare(browse.calls.filter(function(c) { return c.name === "pickFile" }).map(function(c) { return c.args }), [[3, "a.wav", "LIVE"]])
        compare(picks, [])
        browse.filePicked(data.own ? Shell.find(picker, "pickerList", false) : picker, 3, "a.wav", "LIVE")
        compare(picks, data.picked)
    }
}
