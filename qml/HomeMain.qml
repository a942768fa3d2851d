import QtQuick 2.8
import QtQuick.Controls 2.1

// The home screen's main panel: the recorder's front-panel display with its
// indicators and readouts, and the control panel below it.
Item {
    // True while the recorder is on the play side (stop, play, play pause):
    // the display shows the play set of indicators and the panel its play
    // controls. Written only by the status handler.
    property bool playOnly: true

    BackScreen {
        id: homeBack

        Image {
            id: display
            x: ptSize * 9
            y: ptSize * 83
            width: ptSize * 396
            height: ptSize * 212
            source: "Resource/display_396x212_3.png"

            // --- play set, first row
            Image {
                id: flashLoadDisp
                x: ptSize * 7
                y: ptSize * 10
                width: ptSize * 97
                height: ptSize * 21
                mipmap: true
                source: "Resource/display_FLASHLOAD_3.png"
                visible: comm.flashLoad && playOnly
            }
            Image {
                x: ptSize * 108
                y: flashLoadDisp.y
                width: ptSize * 100
                height: flashLoadDisp.height
                mipmap: true
                source: "Resource/display_AUTOREADY_3.png"
                visible: comm.autoReady && playOnly
            }
            Image {
                x: ptSize * 212
                y: flashLoadDisp.y
                width: ptSize * 93
                height: flashLoadDisp.height
                mipmap: true
                source: "Resource/display_AUTOCUE_3.png"
                visible: comm.autoCue && playOnly
            }
            Image {
                x: ptSize * 309
                y: flashLoadDisp.y
                width: ptSize * 80
                height: flashLoadDisp.height
                mipmap: true
                source: "Resource/display_INCPLAY_3.png"
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
                mipmap: true
                source: "Resource/display_48V_3.png"
                visible: comm.micPhantom
            }
            Image {
                objectName: "timerDisp"
                x: playOnly ? ptSize * 220 : ptSize * 368
                y: phantomDisp.y
                width: ptSize * 21
                height: width
                mipmap: true
                source: "Resource/display_timer_black_3.png"
                visible: comm.timerEvent && comm.currentMedia !== "CD"
            }

            // --- play set, second row; the transfer tags blink together
            Image {
                id: downloadDisp
                x: ptSize * 245
                y: ptSize * 37
                width: ptSize * 28
                height: ptSize * 21
                mipmap: true
                opacity: 0.0
                source: "Resource/display_Download_3.png"
                visible: comm.download && playOnly

                PropertyAnimation {
                    id: iconBlinkToOn
                    target: downloadDisp
                    property: "opacity"
                    to: 1.0
                    duration: 500
                    alwaysRunToEnd: true
                    onStopped: iconBlinkToOff.start()
                }
                PropertyAnimation {
                    id: iconBlinkToOff
                    target: downloadDisp
                    property: "opacity"
                    to: 0.0
                    duration: 300
                    alwaysRunToEnd: true
                    onStopped: iconBlinkToOn.start()
                }
                Component.onCompleted: iconBlinkToOn.start()
            }
            Image {
                x: ptSize * 277
                y: downloadDisp.y
                width: ptSize * 28
                height: downloadDisp.height
                mipmap: true
                opacity: downloadDisp.opacity
                source: "Resource/display_Upload_3.png"
                visible: comm.upload && playOnly
            }
            Image {
                objectName: "repeatDisp"
                x: ptSize * 309
                y: downloadDisp.y
                width: ptSize * 80
                height: downloadDisp.height
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
                mipmap: true
                source: "Resource/display-REC_AGC_3.png"
                visible: comm.agc && !playOnly
            }
            Image {
                x: ptSize * 129
                y: limiterDisp.y
                width: ptSize * 43
                height: limiterDisp.height
                mipmap: true
                source: "Resource/display-REC_SRC_3.png"
                visible: comm.src && !playOnly
            }
            Image {
                x: ptSize * 177
                y: limiterDisp.y
                width: ptSize * 107
                height: limiterDisp.height
                mipmap: true
                source: "Resource/display-REC_AUTO-TRACK_3.png"
                visible: comm.autoTrack && !playOnly
            }
            Image {
                objectName: "autoMarkDisp"
                x: ptSize * 289
                y: limiterDisp.y
                width: ptSize * 101
                height: limiterDisp.height
                mipmap: true
                source: "Resource/display-REC_AUTO-MARK_3.png"
                visible: comm.autoMark && !playOnly && comm.currentMedia !== "CD"
            }
            Image {
                id: syncRecDisp
                x: ptSize * 225
                y: ptSize * 37
                width: ptSize * 83
                height: ptSize * 21
                mipmap: true
                source: "Resource/display-REC_SYNC-REC_3.png"
                visible: comm.syncRec && !playOnly
            }
            Image {
                x: ptSize * 313
                y: syncRecDisp.y
                width: ptSize * 76
                height: syncRecDisp.height
                mipmap: true
                source: "Resource/display-REC_LOW-CUT_3.png"
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
                // and closes what the new state has no use for.
                Connections {
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
                        } else if (code === 129 || code === 130 || code === 131) {
                            statusIcon.source = code === 129 ? "Resource/Transport_REC_3.png"
                                                             : "Resource/Transport_RECPAUSE_3.png"
                            homeCurrentMedia.currentMediaDropdownVisible = false
                            homeSettingWindowLoader.active = false
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
        // The selectors and the playback settings window are not built yet:
        // these hold the state the status handler closes.
        Item {
            id: homeCurrentMedia
            objectName: "homeCurrentMedia"
            property bool currentMediaDropdownVisible: false
        }
        Item {
            id: homePlayArea
            objectName: "homePlayArea"
            property bool playAreaDropdownVisible: false
            visible: playOnly
        }
        Item {
            id: homePlayMode
            objectName: "homePlayMode"
            property bool playModeDropdownVisible: false
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
        Loader {
            id: homeSettingWindowLoader
            objectName: "homeSettingWindowLoader"
            anchors.fill: parent
            active: false
        }
    }
}
