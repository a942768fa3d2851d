import QtQuick 2.8

// Stands in for the settings menu screen until it is built; the window sizes and shows it.
Item {
}
