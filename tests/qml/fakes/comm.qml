import QtQuick 2.8
import "sequence.js" as Sequence

// Stand-in for the status model: plain properties a test can set, and a log of
// the requests the documents made.
QtObject {
    property int loginState: 0
    property bool loginComp: false
    property string currentMedia: ""
    property string playArea: ""
    property string playMode: ""
    property int statusIcon: 0
    property int model: 255
    property string address: ""
    property string password: ""
    property var calls: []

    signal popupReceived(int message)

    function record(name, args) { calls = calls.concat([{ name: name, args: args, seq: Sequence.next() }]) }
    function loginRequest(address, password) { record("loginRequest", [address, password]) }
    function logoutRequest() { record("logoutRequest", []) }
}
