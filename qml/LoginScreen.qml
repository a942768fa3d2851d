import QtQuick 2.8

// Stands in for the login screen until it is built; the window makes it fill
// the window and shows it while no recorder is logged in.
Item {
}
