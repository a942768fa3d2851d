import QtQuick 2.8
import QtQuick.Controls 2.1

// The home tab: the front-panel display, one screen high, with the
// information panel below it. Drag up, or use the display's page arrow, to
// see the panel. HomeMain finds mainFlick and its two animations by name.
// Fixed pictures load in the background (the login screen covers the tab at
// start) and are decoded at the size they are shown.
Item {
    id: homeScreenRoot

    Flickable {
        id: mainFlick
        objectName: "mainFlick"
        anchors.fill: parent
        clip: true
        flickableDirection: Flickable.VerticalFlick
        contentHeight: homeScreenRoot.height + homeInformation.height

        PropertyAnimation {
            id: mainFlickToDown
            target: mainFlick
            property: "contentY"
            to: mainFlick.contentHeight - mainFlick.height
            duration: 200
            easing.type: Easing.OutCubic
        }
        PropertyAnimation {
            id: mainFlickToUp
            target: mainFlick
            property: "contentY"
            to: 0
            duration: 200
            easing.type: Easing.OutCubic
        }

        HomeMain {
            id: homeMain
            objectName: "homeMain"
            width: homeScreenRoot.width
            height: homeScreenRoot.height
        }

        Rectangle {
            id: homeInformation
            objectName: "homeInformation"
            anchors.top: homeMain.bottom
            anchors.horizontalCenter: parent.horizontalCenter
            width: appWidth
            height: ptSize * 309
            color: "black"
            clip: true

            Image {
                id: homeInfoTitle
                anchors.horizontalCenter: parent.horizontalCenter
                y: ptSize * 10
                width: ptSize * 384
                height: ptSize * 46
                sourceSize: Qt.size(width, height)
                source: "Resource/info_title_384x46_3.png"
                asynchronous: true
            }
            Image {
                anchors.horizontalCenter: parent.horizontalCenter
                anchors.top: homeInfoMain.bottom
                width: ptSize * 384
                height: ptSize * 15
                sourceSize: Qt.size(width, height)
                source: "Resource/info_under.png"
                asynchronous: true
            }
            Image {
                id: homeInfoMain
                anchors.horizontalCenter: parent.horizontalCenter
                anchors.top: homeInfoTitle.bottom
                width: ptSize * 384
                height: ptSize * 220
                source: "Resource/info_bar_384_3.png"
                asynchronous: true

                Image {
                    id: infoStereo
                    objectName: "infoStereo"
                    x: ptSize * 150
                    y: ptSize * 4
                    width: comm.monoMix ? ptSize * 68 : ptSize * 77
                    height: ptSize * 22
                    sourceSize: Qt.size(width, height)
                    source: comm.monoMix ? "Resource/info_MONO_3.png" : "Resource/info_STEREO_3.png"
                    InfoLabel { text: "STEREO/MONO" }
                }
                Image {
                    id: infoInput
                    objectName: "infoInput"
                    x: infoStereo.x
                    y: infoStereo.y + infoStereo.height + ptSize * 6
                    height: ptSize * 22
                    property var pictures: [
                        ["Resource/info_A-UNBALANCE_3.png", 167],
                        ["Resource/info_A-BALANCE_3.png", 147],
                        ["Resource/info_D-COAXIAL_3.png", 139],
                        ["Resource/info_D-XLR_3.png", 106],
                        ["Resource/info_NX-DC4_3.png", 126]
                    ]
                    property var picture: pictures[comm.inputSelect] || ["", 126]
                    source: picture[0]
                    width: ptSize * picture[1]
                    sourceSize: Qt.size(width, height)
                    InfoLabel { text: "INPUT SELECT" }
                    Text {
                        objectName: "infoUnlocked"
                        anchors.left: parent.right
                        anchors.leftMargin: ptSize * 6
                        height: parent.height
                        verticalAlignment: Text.AlignVCenter
                        textFormat: Text.PlainText
                        font.pixelSize: ptSize * 14
                        font.weight: Font.Medium
                        text: "Unlocked"
                        visible: !comm.digitalInLock
                    }
                }
                Image {
                    id: infoPhantom
                    x: infoStereo.x
                    y: infoInput.y + infoInput.height + ptSize * 6
                    width: ptSize * 45
                    height: ptSize * 22
                    sourceSize: Qt.size(width, height)
                    source: comm.micPhantom === false ? "Resource/info_OFF_3.png" : "Resource/info_ON_3.png"
                    InfoLabel { text: "MIC PHANTOM" }
                }
                Image {
                    id: infoTimer
                    x: infoStereo.x
                    y: infoPhantom.y + infoPhantom.height + ptSize * 6
                    width: ptSize * 45
                    height: ptSize * 22
                    sourceSize: Qt.size(width, height)
                    source: comm.timerEvent === false ? "Resource/info_OFF_3.png" : "Resource/info_ON_3.png"
                    InfoLabel { id: infoTextTimer; text: "TIMER EVENT" }
                }

                InfoLabel {
                    id: infoArea
                    anchors.right: infoTimer.left
                    y: ptSize * 116
                    height: infoTimer.height
                    text: comm.playArea === "PLAYLIST" ? "PLAYLIST" : "FOLDER"
                }
                TextScroll {
                    objectName: "infoAreaValue"
                    x: infoTimer.x
                    y: infoArea.y
                    width: ptSize * 210
                    height: infoTimer.height
                    verticalAlignment: Text.AlignVCenter
                    font.family: multiFont
                    font.pixelSize: ptSize * 15
                    font.weight: Font.Medium
                    text: comm.playArea === "PLAYLIST" ? comm.playList : comm.folder
                }

                InfoLabel {
                    id: infoVer
                    anchors.right: infoTimer.left
                    y: ptSize * 144
                    height: infoTimer.height
                    text: "VERSION"
                }
                InfoValue {
                    y: infoVer.y
                    text: ver.getVersion()
                }
                InfoLabel {
                    id: infoIp
                    anchors.right: infoTimer.left
                    y: ptSize * 172
                    height: infoTimer.height
                    text: "IP ADDRESS"
                }
                InfoValue {
                    objectName: "infoIpValue"
                    y: infoIp.y
                    text: comm.address
                }
                InfoLabel {
                    id: infoNick
                    anchors.right: infoTimer.left
                    y: ptSize * 200
                    height: infoTimer.height
                    text: "NICKNAME"
                }
                InfoValue {
                    id: infoNickData
                    objectName: "infoNickname"
                    y: infoNick.y
                    text: udpc.loginedNickname
                }

                Rectangle {
                    objectName: "logoutButton"
                    x: ptSize * 305
                    y: ptSize * 179
                    width: ptSize * 65
                    height: ptSize * 35
                    radius: ptSize * 5
                    color: "#FC8F77"
                    visible: menu.drawingFinished

                    Text {
                        anchors.fill: parent
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignVCenter
                        textFormat: Text.PlainText
                        font.pixelSize: ptSize * 15
                        font.weight: Font.Medium
                        text: "Logout"
                    }
                    MouseArea {
                        anchors.fill: parent
                        onClicked: comm.logoutRequest()
                    }
                }
            }
        }
    }
}
