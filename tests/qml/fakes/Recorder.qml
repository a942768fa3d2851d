import QtQuick 2.8

// One listed recorder as discovery publishes it (a row of loginModel).
QtObject {
    property string modelname: "KZ-470MX"
    property string nickname: ""
    property string ipaddr: ""
    property string cmedia: ""
    property int cmediaicon: 0
    property int transporticon: 0
    property int powerstate: 1
    property int count: 0
    property string ippass: ""
    property string adminpass: ""
    property string macaddr: ""
}
