// Opens the application window on the fake context objects and reaches its
// parts by their place in the window's stacking order.

function open(width, height) {
    var component = Qt.createComponent("qrc:/mainDesktop.qml")
    var win = component.createObject(null, { width: width, height: height })
    if (!win)
        throw new Error(component.errorString())
    return win
}

function background(win) { return win.contentItem.children[0] }
// 0 home, 1 menu, 2 browse, 3 playlist, 4 timer event
function screen(win, index) { return background(win).children[index] }
function notice(win) { return background(win).children[5] }
function tabBar(win) { return background(win).children[6] }
function tab(win, index) { return tabBar(win).children[index] }

var overlays = ["phantomOnPopup", "lockScreen", "busyDialog", "loginScreen", "popup"]
function overlay(win, name) { return win.contentItem.children[overlays.indexOf(name) + 1] }

// Puts every fake back to its state at start-up.
function resetFakes(fakes) {
    for (var i = 0; i < fakes.length; ++i)
        fakes[i].calls = []
}

function names(calls) { return calls.map(function(call) { return call.name }) }

// The items under item, item included, of that object name, depth first;
// only the visible ones when visibleOnly.
function findAll(item, name, visibleOnly, into) {
    into = into || []
    if (item.objectName === name && (!visibleOnly || item.visible))
        into.push(item)
    for (var i = 0; i < item.children.length; ++i)
        findAll(item.children[i], name, visibleOnly, into)
    return into
}
function find(item, name, visibleOnly) { return findAll(item, name, visibleOnly)[0] || null }
