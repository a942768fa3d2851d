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

    // What the home screen shows, with the status model's defaults.
    property int statusDetail: 0
    property bool flashLoad: false
    property bool autoReady: false
    property bool autoCue: false
    property bool incPlay: false
    property bool download: false
    property bool upload: false
    property int repeat: 0
    property int dynamics: 0
    property bool agc: false
    property bool src: false
    property bool autoTrack: false
    property bool autoMark: false
    property bool syncRec: false
    property bool lowCut: false
    property bool micPhantom: false
    property bool timerEvent: false
    property string nowTrackNo: "000"
    property string allTrackNo: "000"
    property bool pitchStatus: false
    property string pitchData: "0"
    property bool keyStatus: false
    property int keyData: 0
    property string pitchShown: pitchData
    property int keyShown: keyData
    property string playTimeHour: "00"
    property string playTimeMin: "00"
    property string playTimeSec: "00"
    property string playTimeFlame: "00"
    property string remainingTimeHour: "-00"
    property string remainingTimeMin: "00"
    property string remainingTimeSec: "00"
    property string remainingTimeFlame: "00"
    property bool jogMode: false
    property string title: ""
    property int trackElapsedTimeFlame: 0
    property int trackTotalTimeFlame: 1
    property int currentTrackTop: 0
    property bool displayMode: false
    property int levelMeterL: 0
    property int levelMeterR: 0
    property int levelMeterLPeak: 0
    property int levelMeterRPeak: 0
    property bool levelMeterLOver: false
    property bool levelMeterROver: false
    property bool monoMix: false
    property string recFormat: ""
    property string recFormatCd: ""
    property int recFs: 0
    property int recFsCd: 0
    property int inputSelect: 0
    property bool digitalInLock: true
    property string folder: ""
    property string playList: ""
    property bool backupRelay: true
    property string currentMediaBackupRelay: ""
    property string cdType: ""
    property string finalizedCd: ""

    function mediumPick() { return currentMedia }
    function playAreaPick() { return playArea }
    function playModePick() { return playMode }
    function markRequest() { record("markRequest", []) }
    function timeSearchRequest(trk, h, m, s, f) { record("timeSearchRequest", [trk, h, m, s, f]) }
    function currentMediaSD2Request() { record("currentMediaSD2Request", []) }
    function playAreaFolderRequest() { record("playAreaFolderRequest", []) }
    function playModeSingleRequest() { record("playModeSingleRequest", []) }

    signal popupReceived(int message)

    function record(name, args) { calls = calls.concat([{ name: name, args: args, seq: Sequence.next() }]) }
    function loginRequest(address, password) { record("loginRequest", [address, password]) }
    function logoutRequest() { record("logoutRequest", []) }
}
