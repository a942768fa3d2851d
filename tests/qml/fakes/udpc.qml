import QtQuick 2.8
import "sequence.js" as Sequence

// Stand-in for discovery and power control: the properties the login screen
// reads and writes, its signals (a test emits them), and a log of the calls.
QtObject {
    property bool showRefresh: false
    property string loginedNickname: ""
    property string appPassword: ""
    property int telnetPhase: 0
    property int telnetConnecting: 100
    property var calls: []

    signal initCompleted()
    signal popupMessage(string arg)
    signal changeToUnknownPowerState(int arg_index)
    signal loginRequest(string arg_ipaddr, string arg_ippass)

    function record(name, args) { calls = calls.concat([{ name: name, args: args, seq: Sequence.next() }]) }
    function callsOf(name) { return calls.filter(function (c) { return c.name === name }) }
    function appStateChanged(arg) { record("appStateChanged", [arg]) }
    function visibleStateChanged(arg) { record("visibleStateChanged", [arg]) }
    function refreshList() { record("refreshList", []) }
    function saveIPPass(mac, pass) { record("saveIPPass", [mac, pass]) }
    function saveAdminPass(mac, pass) { record("saveAdminPass", [mac, pass]) }
    function saveAppPass(pass) { record("saveAppPass", [pass]) }
    function loadAppPass() { return appPassword }
    function checkAndLogin(mac) { record("checkAndLogin", [mac]) }
    function turnOnMachine(mac) { record("turnOnMachine", [mac]) }
    function turnOffMachine(mac) { record("turnOffMachine", [mac]) }
    function restartMachine(mac) { record("restartMachine", [mac]) }
}
