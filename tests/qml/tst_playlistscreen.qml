import QtQuick 2.8
import QtTest 1.1
import "shell.js" as Shell

// The playlist screen on fake objects, for what a well-behaved recorder never
// provokes: file numbers out of order, a list reported for the other view,
// the order of the availability notices, what they lock, and a change of the
// read-only state.
TestCase {
    name: "PlaylistScreen"
    when: windowShown

    property var win: null
    property var screen: null

    function init() {
        Shell.resetFakes([permission, pl])
        pl.pplNames = ["a.ppl", "b.ppl", "c.ppl"]
        permission.isReadOnly = false
        permission.okPermission = true
        comm.loginComp = true
        comm.currentMedia = "SD1"
        comm.statusIcon = 16
        comm.playArea = "PLAYLIST"
        comm.playMode = "CONTINUE"
        browse.browseDialogString = ""
        win = Shell.open(450, 815)
        win.screenSelect = 3
        screen = Shell.screen(win, 3)
    }

    function cleanup() {
        win.destroy()
    }

    function find(item, name) { return Shell.find(item, name, true) }
    function rowCount() { return find(screen, "playlistRepeater").count }

    function test_fileNumbersOutOfOrder() {
        pl.pplRecived(-1)
        compare(rowCount(), 0)
        pl.pplRecived(2)
        compare(rowCount(), 3)
        pl.pplRecived(0)
        pl.pplRecived(1)
        compare(rowCount(), 3)
        verify(find(screen, "ppl_a.ppl") && find(screen, "ppl_c.ppl"))
        compare(testContext.takeWarnings(), [])
    }

    function test_notice_data() {
        return [
            { tag: "CD while recording", media: "CD", status: 129, area: "ALL", mode: "RANDOM", browseText: "x",
              text: "Playlist screen is not available when current media is CD." },
            { tag: "recording", media: "SD1", status: 130, area: "ALL", mode: "CONTINUE", browseText: "",
              text: "Playlist screen is not available while recordings." },
            { tag: "program mode", media: "SD1", status: 16, area: "PLAYLIST", mode: "PROGRAM", browseText: "",
              text: "Playlist screen is only available when PLAY AREA is PLAYLIST and PLAY MODE is CONTINUE or SINGLE." },
            { tag: "medium not available", media: "SD2", status: 0, area: "PLAYLIST", mode: "SINGLE", browseText: "SD2 is not available",
              text: "SD2 is not available" },
            { tag: "usable", media: "SD1", status: 16, area: "PLAYLIST", mode: "SINGLE", browseText: "", text: "" },
        ]
    }

    function test_notice(data) {
        comm.currentMedia = data.media
        comm.statusIcon = data.status
        comm.playArea = data.area
        comm.playMode = data.mode
        browse.browseDialogString = data.browseText
        var notice = find(screen, "playlistNotice")
        compare(notice ? notice.text : "", data.text)
        // The model is locked by the notice's condition, also while another
        // tab shows.
        win.screenSelect = 2
        compare([pl.locked, pl.filesLocked], [data.text !== "", data.text !== "" || data.status !== 16])
    }

    // Playback leaves the footer's create allowed, and the file rows not:
    // their delete question and rename window close when it starts.
    function test_playbackClosesTheFileRowsWindows_data() {
        return [
            { tag: "delete question", button: "pplDelete", loader: "plDeleteWindowLoader", open: false },
            { tag: "rename window", button: "pplRename", loader: "plInputWindowLoader", open: false },
            { tag: "new playlist's name window", loader: "plInputWindowLoader", open: true }
        ]
    }

    function test_playbackClosesTheFileRowsWindows(data) {
        for (var i = 0; i < 3; ++i)
            pl.pplRecived(i)
        mouseClick(data.button ? find(find(screen, "ppl_b.ppl"), data.button) : find(screen, "playlistFooterButton"))
        var loader = find(screen, data.loader)
        verify(loader.active)
        comm.statusIcon = 17
        compare(loader.active, data.open)
    }

    // A rename window opened on a playlist row stays while the list read
    // again has the playlist at the same place, and goes when it has moved or
    // gone; the delete question, which names the playlist by its path, goes
    // only with the playlist.
    function test_windowOnRowAfterListRead_data() {
        return [
            { tag: "rename, moved", button: "pplRename", loader: "plInputWindowLoader", names: ["a.ppl", "0.ppl", "b.ppl"], open: false },
            { tag: "rename, in place", button: "pplRename", loader: "plInputWindowLoader", names: ["a.ppl", "b.ppl"], open: true },
            { tag: "delete, gone", button: "pplDelete", loader: "plDeleteWindowLoader", names: ["a.ppl", "c.ppl"], open: false },
            { tag: "delete, in place", button: "pplDelete", loader: "plDeleteWindowLoader", names: ["a.ppl", "b.ppl", "z.ppl"], open: true },
            { tag: "delete, moved", button: "pplDelete", loader: "plDeleteWindowLoader", names: ["0.ppl", "a.ppl", "b.ppl"], open: true },
        ]
    }

    function test_windowOnRowAfterListRead(data) {
        for (var i = 0; i < 3; ++i)
            pl.pplRecived(i)
        mouseClick(find(find(screen, "ppl_b.ppl"), data.button))
        var loader = find(screen, data.loader)
        verify(loader.active)
        pl.pplNames = data.names
        pl.pplListRecived()
        compare(loader.active, data.open)
    }

    // A list reported for the view the screen did not ask for last leaves
    // the shown one as it is: the files read before the gear was tapped, the
    // entries the model reads on its own while the files show.
    function test_listForTheOtherView_data() {
        return [
            { tag: "files after the gear", gear: true, report: "pplRecived", title: "Entries in playlist", rows: 0 },
            { tag: "entries while the files show", gear: false, report: "entryListRecived", title: "PLAYLISTS", rows: 3 },
        ]
    }

    function test_listForTheOtherView(data) {
        pl.currentPlaylist = 0
        pl.readyToRedraw()
        for (var i = 0; i < 3; ++i)
            pl.pplRecived(i)
        if (data.gear)
            mouseClick(find(find(screen, "ppl_a.ppl"), "pplDelete"))
        pl[data.report](0)
        compare(find(screen, "playlistTitle").text, data.title)
        compare(rowCount(), data.rows)
    }

    // In the entry view the file list is asked for again (what closes is
    // checked end to end).
    function test_readOnlyChange() {
        pl.entryListRecived()
        compare(Shell.names(pl.calls), [])
        permission.isReadOnly = true
        compare(Shell.names(pl.calls), ["initPpl"])
    }
}
