import QtQuick 2.8
import QtQuick.Controls 2.1

// The home screen's main panel: the recorder's front-panel display with its
// indicators and readouts, and the control panel below it. Pictures are
// decoded at the size they are shown; those that never change load in the
// background, as the panel lies under the login screen when it is made.
Item {
    // True while the recorder is on the play side (stop, play, play pause):
    // the display shows the play set of indicators and the panel its play
    // controls. Written only by the status handler.
    property bool playOnly: true

    // Every window of the tab: the settings window, time search and the
    // selector lists. They act on the recorder of the login they were opened
    // in, so they go when that login ends.
    function closeAll() {
        homeSettingWindowLoader.active = false
        timeSearchWindowLoader.active = false
        homeCurrentMedia.currentMediaDropdownVisible = false
        homePlayArea.playAreaDropdownVisible = false
        homePlayMode.playModeDropdownVisible = false
        lockButton.visible = true
    }

    Connections {
        target: comm
        function onLoginCompChanged() {
            if (!comm.loginComp)
                closeAll()
        }
    }

    BackScreen {
        id: homeBack

        Image {
            id: display
            objectName: "display"
            x: ptSize * 9
            y: ptSize * 83
            width: ptSize * 396
            height: ptSize * 212
            sourceSize: Qt.size(width, height)
            source: "Resource/display_396x212_3.png"
            asynchronous: true

            // --- play set, first row
            Image {
                id: flashLoadDisp
                x: ptSize * 7
                y: ptSize * 10
                width: ptSize * 97
                height: ptSize * 21
                sourceSize: Qt.size(width, height)
                mipmap: true
                source: "Resource/display_FLASHLOAD_3.png"
                asynchronous: true
                visible: comm.flashLoad && playOnly
            }
            Image {
                x: ptSize * 108
                y: flashLoadDisp.y
                width: ptSize * 100
                height: flashLoadDisp.height
                sourceSize: Qt.size(width, height)
                mipmap: true
                source: "Resource/display_AUTOREADY_3.png"
                asynchronous: true
                visible: comm.autoReady && playOnly
            }
            Image {
                x: ptSize * 212
                y: flashLoadDisp.y
                width: ptSize * 93
                height: flashLoadDisp.height
                sourceSize: Qt.size(width, height)
                mipmap: true
                source: "Resource/display_AUTOCUE_3.png"
                asynchronous: true
                visible: comm.autoCue && playOnly
            }
            Image {
                x: ptSize * 309
                y: flashLoadDisp.y
                width: ptSize * 80
                height: flashLoadDisp.height
                sourceSize: Qt.size(width, height)
                mipmap: true
                source: "Resource/display_INCPLAY_3.png"
                asynchronous: true
                visible: comm.incPlay && playOnly
            }

            Text {
                objectName: "trackCounter"
                x: ptSize * 13
                y: ptSize * 38
                textFormat: Text.PlainText
                font.pixelSize: ptSize * 20
                font.weight: isAndroid ? Font.Normal : Font.Medium
                text: "TRACK " + comm.nowTrackNo + "/" + comm.allTrackNo
            }

            // --- shared by both sets: second row in play mode, third in record mode
            Image {
                id: phantomDisp
                objectName: "phantomDisp"
                x: playOnly ? ptSize * 180 : ptSize * 327
                y: playOnly ? downloadDisp.y : ptSize * 64
                width: ptSize * 36
                height: ptSize * 21
                sourceSize: Qt.size(width, height)
                mipmap: true
                source: "Resource/display_48V_3.png"
                asynchronous: true
                visible: comm.micPhantom
            }
            Image {
                objectName: "timerDisp"
                x: playOnly ? ptSize * 220 : ptSize * 368
                y: phantomDisp.y
                width: ptSize * 21
                height: width
                sourceSize: Qt.size(width, height)
                mipmap: true
                source: "Resource/display_timer_black_3.png"
                asynchronous: true
                visible: comm.timerEvent && comm.currentMedia !== "CD"
            }

            // --- play set, second row; the transfer tags blink together
            Image {
                id: downloadDisp
                objectName: "downloadDisp"
                x: ptSize * 245
                y: ptSize * 37
                width: ptSize * 28
                height: ptSize * 21
                sourceSize: Qt.size(width, height)
                mipmap: true
                opacity: 0.0
                source: "Resource/display_Download_3.png"
                asynchronous: true
                visible: comm.download && playOnly

                PropertyAnimation {
                    id: iconBlinkToOn
                    objectName: "blinkToOn"
                    target: downloadDisp
                    property: "opacity"
                    to: 1.0
                    duration: 500
                    alwaysRunToEnd: true
                    onStopped: if (downloadDisp.blinking) iconBlinkToOff.start()
                }
                PropertyAnimation {
                    id: iconBlinkToOff
                    objectName: "blinkToOff"
                    target: downloadDisp
                    property: "opacity"
                    to: 0.0
                    duration: 300
                    alwaysRunToEnd: true
                    onStopped: if (downloadDisp.blinking) iconBlinkToOn.start()
                }
                // The cycle runs while either tag shows: with both hidden it
                // rests, so the window is not redrawn for them.
                property bool blinking: visible || uploadDisp.visible
                onBlinkingChanged: {
                    if (blinking && !iconBlinkToOn.running && !iconBlinkToOff.running)
                        iconBlinkToOn.start()
                }
                Component.onCompleted: {
                    if (blinking)
                        iconBlinkToOn.start()
                }
            }
            Image {
                id: uploadDisp
                x: ptSize * 277
                y: downloadDisp.y
                width: ptSize * 28
                height: downloadDisp.height
                sourceSize: Qt.size(width, height)
                mipmap: true
                opacity: downloadDisp.opacity
                source: "Resource/display_Upload_3.png"
                asynchronous: true
                visible: comm.upload && playOnly
            }
            Image {
                objectName: "repeatDisp"
                x: ptSize * 309
                y: downloadDisp.y
                width: ptSize * 80
                height: downloadDisp.height
                sourceSize: Qt.size(width, height)
                mipmap: true
                source: comm.repeat === 1 ? "Resource/display_repeat_3.png"
                      : comm.repeat === 3 ? "Resource/display_A-Brepeat_3.png" : ""
                visible: playOnly && comm.repeat !== 0 && comm.repeat !== 2
            }

            // --- record set
            Image {
                id: limiterDisp
                objectName: "limiterDisp"
                x: ptSize * 7
                y: ptSize * 10
                width: ptSize * 69
                height: ptSize * 21
                sourceSize: Qt.size(width, height)
                mipmap: true
                source: comm.dynamics === 1 ? "Resource/display-REC_LIMITER_3.png"
                      : comm.dynamics === 2 ? "Resource/display_CNP-SOFT_3.png"
                      : comm.dynamics === 3 ? "Resource/display_CNP-HARD_3.png" : ""
                visible: !playOnly
            }
            Image {
                x: ptSize * 81
                y: limiterDisp.y
                width: ptSize * 43
                height: limiterDisp.height
                sourceSize: Qt.size(width, height)
                mipmap: true
                source: "Resource/display-REC_AGC_3.png"
                asynchronous: true
                visible: comm.agc && !playOnly
            }
            Image {
                x: ptSize * 129
                y: limiterDisp.y
                width: ptSize * 43
                height: limiterDisp.height
                sourceSize: Qt.size(width, height)
                mipmap: true
                source: "Resource/display-REC_SRC_3.png"
                asynchronous: true
                visible: comm.src && !playOnly
            }
            Image {
                x: ptSize * 177
                y: limiterDisp.y
                width: ptSize * 107
                height: limiterDisp.height
                sourceSize: Qt.size(width, height)
                mipmap: true
                source: "Resource/display-REC_AUTO-TRACK_3.png"
                asynchronous: true
                visible: comm.autoTrack && !playOnly
            }
            Image {
                objectName: "autoMarkDisp"
                x: ptSize * 289
                y: limiterDisp.y
                width: ptSize * 101
                height: limiterDisp.height
                sourceSize: Qt.size(width, height)
                mipmap: true
                source: "Resource/display-REC_AUTO-MARK_3.png"
                asynchronous: true
                visible: comm.autoMark && !playOnly && comm.currentMedia !== "CD"
            }
            Image {
                id: syncRecDisp
                x: ptSize * 225
                y: ptSize * 37
                width: ptSize * 83
                height: ptSize * 21
                sourceSize: Qt.size(width, height)
                mipmap: true
                source: "Resource/display-REC_SYNC-REC_3.png"
                asynchronous: true
                visible: comm.syncRec && !playOnly
            }
            Image {
                x: ptSize * 313
                y: syncRecDisp.y
                width: ptSize * 76
                height: syncRecDisp.height
                sourceSize: Qt.size(width, height)
                mipmap: true
                source: "Resource/display-REC_LOW-CUT_3.png"
                asynchronous: true
                visible: comm.lowCut && !playOnly
            }

            // --- transport status and readouts
            Image {
                id: statusIcon
                objectName: "statusIcon"
                x: ptSize * 11
                y: ptSize * 67
                width: ptSize * 78
                height: ptSize * 32
                fillMode: Image.PreserveAspectFit

                // Switches the screen between its play and record presentation
                // and closes what the new state has no use for. A screen made
                // anew (the portrait window builds its home page again) shows
                // the recorder's present state at once.
                Component.onCompleted: statusHandler.onStatusIconChanged()
                Connections {
                    id: statusHandler
                    target: comm
                    function onStatusIconChanged() {
                        var code = comm.statusIcon
                        if (code === 16) {
                            statusIcon.source = "Resource/Transport_STOP_3.png"
                            playOnly = true
                        } else if (code === 17 || code === 18) {
                            statusIcon.source = code === 17 ? "Resource/Transport_PLAY_3.png"
                                                            : "Resource/Transport_PLAYPAUSE_3.png"
                            playOnly = true
                            homePlayMode.playModeDropdownVisible = false
                            homePlayArea.playAreaDropdownVisible = false
                            homeCurrentMedia.currentMediaDropdownVisible = false
                            lockButton.visible = true
                        } else if (code === 129 || code === 130 || code === 131) {
                            statusIcon.source = code === 129 ? "Resource/Transport_REC_3.png"
                                                             : "Resource/Transport_RECPAUSE_3.png"
                            homeCurrentMedia.currentMediaDropdownVisible = false
                            homeSettingWindowLoader.active = false
                            // The play-mode list hides with its selector; closed
                            // now, it cannot keep the lock key hidden.
                            if (homePlayMode.playModeDropdownVisible) {
                                homePlayMode.playModeDropdownVisible = false
                                lockButton.visible = true
                            }
                            playOnly = false
                        } else {
                            statusIcon.source = ""
                        }
                    }
                }
            }
            Text {
                objectName: "statusDetail"
                x: ptSize * 13
                y: ptSize * 63
                textFormat: Text.PlainText
                font.pixelSize: ptSize * 28
                font.weight: Font.DemiBold
                text: ["", "Finalizing", "Erasing", "Burning", "Ripping"][comm.statusDetail] || ""
                visible: comm.statusIcon === 255
            }
            Text {
                id: pitchText
                x: ptSize * 285
                y: ptSize * 65
                textFormat: Text.PlainText
                font.pixelSize: ptSize * 16
                font.weight: Font.Medium
                text: "PITCH:"
                visible: playOnly
            }
            Text {
                objectName: "pitchValue"
                anchors.right: parent.right
                anchors.rightMargin: ptSize * 13
                y: ptSize * 65
                textFormat: Text.PlainText
                font.pixelSize: ptSize * 16
                font.weight: Font.Medium
                text: comm.pitchStatus ? comm.pitchData : "OFF"
                visible: playOnly
            }
            Text {
                anchors.right: pitchText.right
                y: ptSize * 85
                textFormat: Text.PlainText
                font.pixelSize: ptSize * 16
                font.weight: Font.Medium
                text: "KEY:"
                visible: playOnly
            }
            Text {
                objectName: "keyValue"
                anchors.right: parent.right
                anchors.rightMargin: ptSize * 13
                y: ptSize * 85
                textFormat: Text.PlainText
                font.pixelSize: ptSize * 16
                font.weight: Font.Medium
                text: !comm.keyStatus ? "OFF"
                    : comm.keyData > 0 ? "\u266F" + comm.keyData
                    : comm.keyData < 0 ? "\u266D" + Math.abs(comm.keyData) : "0"
                visible: playOnly
            }
            PlayTime {
                objectName: "elapsedTime"
                x: ptSize * 13
                y: ptSize * 97
                height: fontPixelSize
                fontPixelSize: ptSize * 50
                flameFontPixelSize: ptSize * 34
                hourText: comm.playTimeHour
                minText: comm.playTimeMin
                secText: comm.playTimeSec
                flameText: comm.playTimeFlame
                flameVisible: comm.jogMode
            }
            TextScroll {
                objectName: "title"
                x: ptSize * 13
                y: ptSize * 150
                width: ptSize * 295
                height: contentHeight
                font.family: multiFont
                font.pixelSize: ptSize * 20
                font.weight: isAndroid ? Font.Normal : Font.Medium
                text: comm.title
            }
            HomeTimeBar {
                objectName: "timeBar"
            }
            PlayTime {
                objectName: "remainingTime"
                anchors.right: parent.right
                anchors.rightMargin: ptSize * 13
                y: ptSize * 187
                height: fontPixelSize
                fontPixelSize: ptSize * 18
                hourText: comm.remainingTimeHour
                minText: comm.remainingTimeMin
                secText: comm.remainingTimeSec
                flameText: comm.remainingTimeFlame
            }
        }

        // --- control panel
        HomeCurrentMedia {
            id: homeCurrentMedia
            objectName: "homeCurrentMedia"
        }
        HomePlayArea {
            id: homePlayArea
            objectName: "homePlayArea"
            visible: playOnly
        }
        HomePlayMode {
            id: homePlayMode
            objectName: "homePlayMode"
            visible: playOnly
        }
        HomeRecFormat {
            objectName: "recFormat"
            visible: !playOnly
        }
        HomeRecFs {
            objectName: "recFs"
            visible: !playOnly
        }
        HomeLevelMeter {
            objectName: "levelMeter"
            visible: !homeLevelMeterMono.visible
        }
        HomeLevelMeterMono {
            id: homeLevelMeterMono
            objectName: "levelMeterMono"
            visible: playOnly ? false : comm.monoMix
        }
        HomeTransportButtons {
        }

        Button {
            id: markButton
            objectName: "markButton"
            x: ptSize * 26
            y: ptSize * 562
            width: ptSize * 168
            height: ptSize * 44
            visible: comm.currentMedia !== "CD"
            contentItem: PanelText {
                text: "MARK"
                color: "black"
            }
            background: Image {
                anchors.fill: parent
                sourceSize: Qt.size(parent.width, parent.height)
                source: markButton.down ? "Resource/buton_MARK_ON_168x44_3.png" : "Resource/buton_MARK_OFF_168x44_3.png"
            }
            onPressed: comm.markRequest()
        }
        Button {
            id: displayButton
            objectName: "displayButton"
            anchors.right: parent.right
            anchors.rightMargin: ptSize * 26
            anchors.bottom: markButton.bottom
            width: ptSize * 132
            height: ptSize * 31
            contentItem: PanelText {
                text: "DISPLAY"
                color: "white"
            }
            background: Image {
                anchors.fill: parent
                sourceSize: Qt.size(parent.width, parent.height)
                source: displayButton.down ? "Resource/Oval_ON_132x31_3.png" : "Resource/Oval_OFF_132x31_3.png"
            }
            onClicked: comm.displayMode = !comm.displayMode
        }
        Button {
            id: timeSearchButton
            objectName: "timeSearchButton"
            x: displayButton.x
            anchors.top: displayButton.top
            anchors.topMargin: ptSize * 61
            width: ptSize * 132
            height: ptSize * 31
            contentItem: PanelText {
                text: "TIME SEARCH"
                color: playOnly ? "white" : "gray"
            }
            background: Image {
                anchors.fill: parent
                sourceSize: Qt.size(parent.width, parent.height)
                source: timeSearchButton.down && playOnly ? "Resource/Oval_ON_132x31_3.png" : "Resource/Oval_OFF_132x31_3.png"
            }
            onClicked: {
                if (playOnly)
                    timeSearchWindowLoader.active = !timeSearchWindowLoader.active
            }
        }

        Loader {
            id: timeSearchWindowLoader
            objectName: "timeSearchWindowLoader"
            anchors.fill: parent
            active: false
            sourceComponent: HomeTimeSearch {}
        }

        Image {
            objectName: "pageArrow"
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 15
            width: ptSize * 10
            height: width
            rotation: mainFlick.atYBeginning === true ? 0 : 180
            source: "Resource/page_10x10_3.png"
            asynchronous: true

            MouseArea {
                anchors.centerIn: parent
                width: ptSize * 40
                height: width
                onClicked: {
                    if (mainFlick.atYBeginning === true)
                        mainFlickToDown.start()
                    else
                        mainFlickToUp.start()
                }
            }
        }

        Loader {
            id: homeSettingWindowLoader
            objectName: "homeSettingWindowLoader"
            anchors.fill: parent
            active: false
            sourceComponent: HomeSettingWindow {}
        }

        Button {
            objectName: "gearButton"
            x: ptSize * 26
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 15
            width: ptSize * 48
            height: ptSize * 48
            enabled: playOnly
            opacity: enabled ? 1.0 : 0.5
            background: Image {
                anchors.fill: parent
                sourceSize: Qt.size(parent.width, parent.height)
                source: homeSettingWindowLoader.active ? "Resource/Gear_ON_48x48_3.png" : "Resource/Gear_OFF_48x48_3.png"
            }
            onClicked: homeSettingWindowLoader.active = !homeSettingWindowLoader.active
        }
    }

    // Locks the window on a double tap, by mouse or by finger; the window's
    // unlock area lies over the key wherever the screen is scrolled or the
    // window sized. A mouse area, not a Button: a Button takes a finger's
    // touches as they are and never sees two taps as a double click, while
    // the window makes a mouse area's double click of a finger's too. The
    // window lets the second tap through to the key; taps after it find the
    // unlock area on top and go nowhere, so the window stays locked.
    MouseArea {
        id: lockButton
        objectName: "lockButton"
        property bool takesSecondTap: true
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.horizontalCenterOffset: ptSize * 152
        anchors.verticalCenter: parent.verticalCenter
        anchors.verticalCenterOffset: -ptSize * 131
        width: lockScreen.pressed ? ptSize * 70 : ptSize * 66
        height: width
        Image {
            anchors.fill: parent
            sourceSize: Qt.size(parent.width, parent.height)
            source: lockScreen.visible ? "Resource/KEY-ON_66x66_3.png" : "Resource/KEY-OFF_66x66_3.png"
        }
        onDoubleClicked: {
            lockScreen.visible = true
            lockScreen.unlockArea.visible = true
        }
        // The desktop window centres the screen area below its header band;
        // the portrait window has no such band.
        Component.onCompleted: {
            if (isDesktop && appWindow.headerHeight !== undefined) {
                lockScreen.unlockArea.x = Qt.binding(function() { return (appWindow.width - appWidth) * 0.5 + x })
                lockScreen.unlockArea.y = Qt.binding(function() {
                    var header = appWindow.headerHeight
                    return (appWindow.height - appHeight - header) * 0.5 + (y - mainFlick.contentY + header)
                })
            } else {
                lockScreen.unlockArea.x = Qt.binding(function() { return x })
                lockScreen.unlockArea.y = Qt.binding(function() { return y - mainFlick.contentY })
            }
            lockScreen.unlockArea.width = Qt.binding(function() { return width })
            lockScreen.unlockArea.height = Qt.binding(function() { return height })
        }
    }
}
