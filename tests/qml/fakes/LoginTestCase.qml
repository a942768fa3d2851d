import QtQuick 2.15
import QtTest 1.1
import "../shell.js" as Shell

// Common ground of the login screen tests: a fresh screen per test, fakes
// back in their start state, and lookups of the screen's parts by objectName.
TestCase {
    id: testCase
    when: windowShown
    // A test case is invisible by default; the screen under test is its child.
    visible: true
    width: 463
    height: 800

    property var host: null
    property var screen: host ? host.screen : null

    Component {
        id: hostComponent
        LoginHost {}
    }

    Component {
        id: recorderComponent
        Recorder {}
    }

    // A listed recorder; properties override the defaults of a reachable one.
    function recorder(props) {
        var defaults = { nickname: "Studio A", modelname: "KZ-470MX", ipaddr: "10.47.0.11",
                         macaddr: "00:11:22:33:44:01", powerstate: 1, count: 0,
                         cmedia: "SD1", cmediaicon: 2, transporticon: 1 }
        for (var key in props)
            defaults[key] = props[key]
        return createTemporaryObject(recorderComponent, testCase, defaults)
    }

    function resetFakes() {
        testContext.takeWarnings()
        udpc.showRefresh = false
        udpc.loginedNickname = ""
        udpc.appPassword = ""
        udpc.telnetPhase = 0
        udpc.telnetConnecting = 100
        comm.loginState = 0
        comm.loginComp = false
        comm.address = ""
        comm.password = ""
        testContext.set("loginModel", [])
        udpc.calls = []
        comm.calls = []
    }

    // Creates the screen with the given rows listed and discovery done.
    function makeScreen(rows) {
        resetFakes()
        if (rows)
            testContext.set("loginModel", rows)
        host = createTemporaryObject(hostComponent, testCase)
        verify(host !== null)
        udpc.showRefresh = true
        waitForRendering(host)
        udpc.calls = []
        testContext.takeWarnings()
        return screen
    }

    function part(name) {
        var item = findChild(host, name)
        verify(item !== null, "no " + name)
        return item
    }

    function row(index) {
        var list = part("loginListView")
        list.forceLayout()
        var item = list.itemAtIndex(index)
        verify(item !== null, "no row " + index)
        return item
    }

    function rowPart(index, name) {
        var item = findChild(row(index), name)
        verify(item !== null, "no " + name + " in row " + index)
        return item
    }

    function names(calls) { return Shell.names(calls) }

    function noWarnings() {
        var warnings = testContext.takeWarnings()
        compare(warnings.length, 0, warnings.join("\n"))
    }

    function cleanup() {
        noWarnings()
    }
}
