import QtQuick 2.8
import "sequence.js" as Sequence

// Stand-in for the settings-menu model: a tree a test can set (pages of
// { name, visible, items: [{ name, visible, subitems: [{ name, type,
// readOnly, visible, names }] }] }) and a log of the requests made.
QtObject {
    property var calls: []
    function record(name, args) { calls = calls.concat([{ name: name, args: args, seq: Sequence.next() }]) }

    property bool drawingFinished: false
    property var tree: []

    signal phantomOnPopup(int page, int item, int subitem, int value)
    signal menuStarted()
    signal menuCompleted()
    signal inputLevelParameterChanged(int page, int item, int subitem, QtObject obj)
    signal itemParameterChanged(int page, int item, QtObject obj)

    function items(i) { return tree[i] ? tree[i].items : [] }
    function subitems(i, j) { return items(i)[j] ? items(i)[j].subitems : [] }
    function sub(i, j, k) { return subitems(i, j)[k] || { names: [] } }

    function getMaxPageNumber() { return tree.length }
    function getPageVisible(i) { return tree[i].visible !== false }
    function getPageName(i) { return tree[i].name }
    function getMaxItemNumber(i) { return items(i).length }
    function getItemVisible(i, j) { return items(i)[j].visible !== false }
    function getItemName(i, j) { return items(i)[j].name }
    function getMaxSubitemNumber(i, j) { return subitems(i, j).length }
    function getVisibleSubitemNumber(i, j) { return subitems(i, j).filter(function(s) { return s.visible !== false }).length }
    function getSubitemVisible(i, j, k) { return sub(i, j, k).visible !== false }
    function getSubitemType(i, j, k) { return sub(i, j, k).type || 0 }
    function getSubitemReadOnly(i, j, k) { return sub(i, j, k).readOnly === true }
    function getSubitemName(i, j, k) { return sub(i, j, k).name }
    function getMaxSubitemParameterNumber(i, j, k) { return sub(i, j, k).names.length }
    function getSubitemParameterName(i, j, k, l) { return sub(i, j, k).names[l] }
    function setPageObject(i, obj) { record("setPageObject", [i]) }
    function setItemObject(i, j, obj) { record("setItemObject", [i, j]) }
    function setSubitemObject(i, j, k, obj) { record("setSubitemObject", [i, j, k]) }
    function subitemValueRequest(i, j, k) { record("subitemValueRequest", [i, j, k]) }
    function changedSubitemObjectValue(i, j, k, value, type) { record("changedSubitemObjectValue", [i, j, k, value, type]) }
    function changedCommandMenuData() { record("changedCommandMenuData", []) }
}
