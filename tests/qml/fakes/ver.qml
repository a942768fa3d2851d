import QtQuick 2.8

QtObject {
    function getVersion() { return "2.0.0" }
}
