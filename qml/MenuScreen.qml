import QtQuick 2.8

// Stands in for the settings menu screen until it is built; the window sizes
// and shows it. Like the screen, it draws the menu once the walk is complete.
Item {
    Connections {
        target: menu
        function onMenuCompleted() { menu.drawingFinished = true }
    }
}
