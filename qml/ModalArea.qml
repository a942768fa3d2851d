import QtQuick 2.8

// The tap area of a modal window's backdrop or box: it fills its parent and
// takes every tap and wheel turn that lands there, so that nothing beneath
// the window reacts (a list under a dialog does not scroll).
MouseArea {
    anchors.fill: parent
    onWheel: wheel.accepted = true
}
