import QtQuick 2.8
import "sequence.js" as Sequence

QtObject {
    property var calls: []
    function record(name, args) { calls = calls.concat([{ name: name, args: args, seq: Sequence.next() }]) }

    property int filter: 0
    property date filterDate
    property int focus: -1
    property bool mediaCD: false
    property bool disabledAreaAndMode: false
    property bool enableDante: false
    property bool locked: false
    property string dateOfFocus: ""
    signal setNewFocus()
    signal execFailed()

    function startTimerEvent() { record("startTimerEvent", []) }
    function createNewEvent() { record("createNewEvent", []) }
    function showAll() { record("showAll", []) }
    function showToday() { record("showToday", []) }
    function showDate(date) { record("showDate", [date]) }
    function updateEvent() { record("updateEvent", []) }
    function changeEnable(number) { record("changeEnable", [number]) }
    function changeDate(date, everyMonth) { record("changeDate", [date, everyMonth]) }
    function changeWeek(week) { record("changeWeek", [week]) }
    function changeOption(option) { record("changeOption", [option]) }
    function changeType(type, timeMode) { record("changeType", [type, timeMode]) }
    function changeTime(h, m, s) { record("changeTime", [h, m, s]) }
    function changeRepeat(c, h, m) { record("changeRepeat", [c, h, m]) }
    function changeRecInput(recInput) { record("changeRecInput", [recInput]) }
    function deleteItem(number) { record("deleteItem", [number]) }
    function getDateOfFocus() { return dateOfFocus }
}
