import QtQuick 2.8

// A row of the browse list as the application publishes it: entry() gives
// the row's number, kind, name and folder as one value.
QtObject {
    property string name: ""
    property int number: -1
    property int type: 0
    property string folder: ""
    function entry() { return { number: number, type: type, name: name, folder: folder } }
}
