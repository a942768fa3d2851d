import QtQuick 2.8
import QtTest 1.1
import "shell.js" as Shell

// The home display on the fake status model: what the end-to-end road cannot
// set up at will (every status code, odd values, a total of 0, exact marquee
// timing).
TestCase {
    name: "HomeDisplay"
    when: windowShown

    property var win: null
    property var home: null

    function init() {
        var start = { loginComp: true, statusIcon: 0, statusDetail: 0, currentMedia: "", trackTotalTimeFlame: 1,
                      displayMode: false, download: false, upload: false }
        for (var key in start)
            comm[key] = start[key]
        testContext.takeWarnings()
        win = Shell.open(450, 815)
        tryCompare(win.contentItem, "height", 815)
        home = find(win.contentItem, "homeMain")
    }

    function cleanup() {
        mark.markClear()
        win.destroy()
        win = null
        compare(testContext.takeWarnings(), [])
    }

    function find(item, name) { return Shell.find(item, name) }

    function inData(owner, name) {
        for (var i = 0; i < owner.data.length; ++i)
            if (owner.data[i].objectName === name)
                return owner.data[i]
        return null
    }

    function part(name) { return find(home, name) }
    function stem(image) { return String(image.source).replace(/^.*Resource\//, "") }

    // open: the lists left open, of (m)edium, play (a)rea and (p)lay mode.
    function test_statusHandler_data() {
        return [
            { tag: "16 stop", code: 16, before: false, image: "Transport_STOP_3.png", playOnly: true, open: "map", settings: true },
            { tag: "17 play", code: 17, before: false, image: "Transport_PLAY_3.png", playOnly: true, open: "", settings: true },
            { tag: "18 play pause", code: 18, before: false, image: "Transport_PLAYPAUSE_3.png", playOnly: true, open: "", settings: true },
            { tag: "129 record", code: 129, before: true, image: "Transport_REC_3.png", playOnly: false, open: "a", settings: false },
            { tag: "130 record pause", code: 130, before: true, image: "Transport_RECPAUSE_3.png", playOnly: false, open: "a", settings: false },
            { tag: "131", code: 131, before: true, image: "Transport_RECPAUSE_3.png", playOnly: false, open: "a", settings: false },
            { tag: "255 busy", code: 255, before: false, image: "", playOnly: false, open: "map", settings: true },
            { tag: "0 no status", code: 0, before: true, image: "", playOnly: true, open: "map", settings: true },
            { tag: "1 no symbol", code: 1, before: true, image: "", playOnly: true, open: "map", settings: true },
            { tag: "128 no symbol", code: 128, before: false, image: "", playOnly: false, open: "map", settings: true },
            { tag: "unknown code", code: 77, before: true, image: "", playOnly: true, open: "map", settings: true }
        ]
    }

    // The transfer tags blink while one of them shows; with both hidden
    // nothing runs for them, so the window is not redrawn.
    function test_transferBlink_data() {
        return [
            { tag: "neither", code: 16, download: false, upload: false, blinking: false },
            { tag: "download", code: 16, download: true, upload: false, blinking: true },
            { tag: "upload", code: 16, download: false, upload: true, blinking: true },
            { tag: "record set shown", code: 129, download: true, upload: true, blinking: false },
        ]
    }

    function test_transferBlink(data) {
        comm.statusIcon = data.code
        comm.download = data.download
        comm.upload = data.upload
        var tag = part("downloadDisp")
        var running = function() { return inData(tag, "blinkToOn").running || inData(tag, "blinkToOff").running }
        compare(running(), data.blinking)
        if (data.blinking) {
            tryVerify(function() { return tag.opacity > 0.5 })
            comm.download = comm.upload = false
            tryVerify(function() { return !running() })
        }
    }

    function test_statusHandler(data) {
        if (!data.before)
            comm.statusIcon = 129
        comm.statusIcon = 17
        if (!data.before)
            comm.statusIcon = 130
        compare(home.playOnly, data.before)
        var media = part("homeCurrentMedia"), area = part("homePlayArea"), mode = part("homePlayMode")
        var settings = part("homeSettingWindowLoader"), key = find(win.contentItem, "lockButton")
        media.currentMediaDropdownVisible = area.playAreaDropdownVisible = mode.playModeDropdownVisible = true
        key.visible = false // as the open play-mode list leaves it
        settings.active = true

        comm.statusIcon = data.code
        compare(stem(part("statusIcon")), data.image)
        compare(home.playOnly, data.playOnly)
        compare(media.currentMediaDropdownVisible, data.open.indexOf("m") >= 0)
        compare(area.playAreaDropdownVisible, data.open.indexOf("a") >= 0)
        compare(mode.playModeDropdownVisible, data.open.indexOf("p") >= 0)
        // The lock key never stays hidden behind a list that was closed.
        compare(key.visible, !mode.playModeDropdownVisible)
        compare(settings.active, data.settings)
        compare(part("statusDetail").visible, data.code === 255)
    }

    function test_pitchAndKey_data() {
        return [
            { tag: "both off", pitchOn: false, pitch: "+1.5", keyOn: false, key: 3, pitchText: "OFF", keyText: "OFF" },
            { tag: "flat", pitchOn: true, pitch: "-12.0", keyOn: true, key: -2, pitchText: "-12.0", keyText: "\u266D2" },
            { tag: "key 0", pitchOn: false, pitch: "+0.0", keyOn: true, key: 0, pitchText: "OFF", keyText: "0" }
        ]
    }

    function test_pitchAndKey(data) {
        comm.pitchStatus = data.pitchOn
        comm.pitchData = data.pitch
        comm.keyStatus = data.keyOn
        comm.keyData = data.key
        compare(part("pitchValue").text, data.pitchText)
        compare(part("keyValue").text, data.keyText)
        comm.statusIcon = 129
        verify(!part("pitchValue").visible && !part("keyValue").visible)
        comm.keyStatus = comm.pitchStatus = false
        comm.keyData = 0
    }

    // Recording to CD: neither the timer nor auto mark shows.
    function test_indicatorsOnCd() {
        comm.timerEvent = comm.autoMark = comm.micPhantom = true
        comm.currentMedia = "CD"
        comm.statusIcon = 129
        verify(!part("timerDisp").visible && !part("autoMarkDisp").visible && part("phantomDisp").visible)
        comm.timerEvent = comm.autoMark = comm.micPhantom = false
    }

    // Unknown values draw nothing and warn of nothing (checked in cleanup).
    function test_outOfRangeValues() {
        comm.statusIcon = 255
        comm.statusDetail = 9
        compare(part("statusDetail").text, "")
        comm.statusIcon = 16
        comm.repeat = 9
        compare(stem(part("repeatDisp")), "")
        comm.repeat = 2
        verify(!part("repeatDisp").visible)
        comm.repeat = 0
        comm.statusIcon = 129
        comm.dynamics = 7
        compare(stem(part("limiterDisp")), "")
        verify(part("limiterDisp").visible)
        comm.dynamics = 0
        comm.inputSelect = 9
        compare(find(win.contentItem, "infoInput").width, 126 * win.ptSize)
        comm.inputSelect = 0
        comm.levelMeterL = 80
        comm.levelMeterLPeak = 80
        var meter = part("levelMeter")
        compare(find(meter, "levelL").width, 333 * win.ptSize)
        compare(find(meter, "peakL").x + find(meter, "peakL").width, (14 + 333) * win.ptSize)
        comm.levelMeterL = comm.levelMeterLPeak = 0
    }

    function test_timeBarFill_data() {
        return [
            { tag: "half", elapsed: 50, total: 100, fraction: 0.5 },
            { tag: "at the end", elapsed: 100, total: 100, fraction: 1 },
            { tag: "past the end stays in the bar", elapsed: 150, total: 100, fraction: 1 },
            { tag: "no total", elapsed: 50, total: 0, fraction: 0 }
        ]
    }

    function test_timeBarFill(data) {
        comm.trackTotalTimeFlame = data.total
        comm.trackElapsedTimeFlame = data.elapsed
        fuzzyCompare(part("elapsedFill").width, 270 * win.ptSize * data.fraction, 1e-6)
    }

    function arrows() { return Shell.findAll(part("timeBar"), "markArrow") }

    function test_markArrows() {
        var unit = win.ptSize, bar = 270 * unit
        // A mark before any total stands at the start, then moves into place.
        comm.trackTotalTimeFlame = 0
        mark.markTimeReceived(3000)
        compare(arrows().length, 1)
        compare(arrows()[0].x, -6 * unit)
        comm.trackTotalTimeFlame = 12000
        fuzzyCompare(arrows()[0].x, bar * 3000 / 12000 - 6 * unit, 1e-6)

        mark.markTimeReceived(6000)
        var two = arrows()
        compare(two.length, 2)
        compare([two[0].markTime, two[1].markTime], [3000, 6000])
        fuzzyCompare(two[1].x, bar / 2 - 6 * unit, 1e-6)

        // Total display: on the whole medium's timeline, placed once.
        mark.markClear()
        compare(arrows().length, 0)
        comm.displayMode = true
        comm.currentTrackTop = 6000
        comm.trackTotalTimeFlame = 24000
        mark.markTimeReceived(0)
        fuzzyCompare(arrows()[0].x, bar / 4 - 6 * unit, 1e-6)
        comm.trackTotalTimeFlame = 48000
        fuzzyCompare(arrows()[0].x, bar / 4 - 6 * unit, 1e-6)
        comm.trackTotalTimeFlame = 0
        mark.markTimeReceived(100)
        compare(arrows()[1].x, -6 * unit)
    }

    function makeScroll(text) {
        var component = Qt.createComponent("qrc:/TextScroll.qml")
        var scroll = component.createObject(win.contentItem, { width: 100, height: 20 })
        scroll.font.pixelSize = 16
        scroll.text = text
        comm.title = comm.title + "+" // a new title measures afresh
        return scroll
    }

    function test_marquee_data() {
        return [
            { tag: "fits", text: "ab", moves: false },
            { tag: "empty", text: "", moves: false },
            { tag: "longer", text: "A title much wider than one hundred pixels", moves: true }
        ]
    }

    function test_marquee(data) {
        var scroll = makeScroll(data.text)
        var line = scroll.children[0]
        var overflow = line.contentWidth - 100
        compare(inData(scroll, "restAtStart").running, data.moves)
        compare(line.x, 0)
        if (data.moves) {
            compare(scroll.tempX, -overflow)
            compare(inData(scroll, "restAtStart").interval, 3000)
            compare(inData(scroll, "restAtEnd").interval, 3000)
            var slide = inData(scroll, "slide")
            fuzzyCompare(slide.duration, overflow * 20, 1)
            compare(slide.to, -overflow)
            // Mid-slide, a new title puts the text back and rests again.
            slide.start()
            line.x = -10
            comm.title = comm.title + "+"
            compare(line.x, 0)
            verify(!slide.running && !inData(scroll, "restAtEnd").running)
            verify(inData(scroll, "restAtStart").running)
        }
        scroll.destroy()
    }
}
