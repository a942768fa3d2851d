import QtQuick 2.8
import QtQuick.Controls 2.1

// The eight transport keys. The upper row lights by the status the recorder
// reports, the lower row while held. Every tap on a lower key skips, however
// quick the taps; a hold on REW or FF searches until the finger lifts (or the
// press is taken away), and only a hold is cancelled. A double click on an
// upper key is one press.
Item {
    TransportKey {
        id: stopButton
        objectName: "stopButton"
        takesSecondTap: false
        x: ptSize * 26
        y: ptSize * 387
        width: ptSize * 71
        height: width
        lit: comm.statusIcon === 16
        onImage: "Resource/button-A_STOP-ON_71x71_3.png"
        offImage: "Resource/button-A_STOP-OFF_71x71_3.png"
        onClicked: comm.stopRequest()
    }
    TransportKey {
        id: playButton
        objectName: "playButton"
        takesSecondTap: false
        x: ptSize * 123
        y: stopButton.y
        width: stopButton.width
        height: width
        lit: comm.statusIcon === 17 || comm.statusIcon === 129
        onImage: "Resource/button-A_PLAY-ON_71x71_3.png"
        offImage: "Resource/button-A_PLAY-OFF_71x71_3.png"
        onClicked: comm.playRequest()
    }
    TransportKey {
        id: pauseButton
        objectName: "pauseButton"
        takesSecondTap: false
        x: ptSize * 220
        y: stopButton.y
        width: stopButton.width
        height: width
        lit: comm.statusIcon === 18 || comm.statusIcon === 130
        onImage: "Resource/button-A_PAUSE-ON_71x71_3.png"
        offImage: "Resource/button-A_PAUSE-OFF_71x71_3.png"
        onClicked: comm.pauseRequest()
    }
    TransportKey {
        id: recButton
        objectName: "recButton"
        takesSecondTap: false
        x: ptSize * 317
        y: stopButton.y
        width: stopButton.width
        height: width
        lit: comm.statusIcon === 129 || comm.statusIcon === 130 || comm.statusIcon === 131
        onImage: "Resource/button-A_REC-ON_71x71_3.png"
        offImage: "Resource/button-A_REC-OFF_71x71_3.png"
        onClicked: comm.recRequest()
    }

    TransportKey {
        id: trackSkipPreviousButton
        objectName: "trackSkipPreviousButton"
        x: stopButton.x
        y: ptSize * 493
        width: stopButton.width
        height: ptSize * 44
        lit: down
        onImage: "Resource/button-B_skip-L_ON_71x44_3.png"
        offImage: "Resource/button-B_skip-L_OFF_71x44_3.png"
        onTapped: comm.trackSkipPreviousRequest()
    }
    TransportKey {
        id: reverseButton
        objectName: "reverseButton"
        property bool reverseClick: false
        property bool held: false
        x: playButton.x
        y: trackSkipPreviousButton.y
        width: trackSkipPreviousButton.width
        height: trackSkipPreviousButton.height
        lit: down
        onImage: "Resource/button-B_REW_ON_71x44_3.png"
        offImage: "Resource/button-B_REW_OFF_71x44_3.png"
        onPressed: held = false
        onTapped: {
            comm.timeSkipPreviousRequest()
            reverseClick = true
        }
        onPressAndHold: {
            held = true
            comm.reverseRequest()
            reverseClick = false
        }
        onReleased: endSearch()
        onCanceled: endSearch()
        function endSearch() {
            if (held) {
                held = false
                comm.cancelReverseRequest()
            }
        }
    }
    TransportKey {
        id: forwardButton
        objectName: "forwardButton"
        property bool forwardClick: false
        property bool held: false
        x: pauseButton.x
        y: trackSkipPreviousButton.y
        width: trackSkipPreviousButton.width
        height: trackSkipPreviousButton.height
        lit: down
        onImage: "Resource/button-B_FF_ON_71x44_3.png"
        offImage: "Resource/button-B_FF_OFF_71x44_3.png"
        onPressed: held = false
        onTapped: {
            comm.timeSkipNextRequest()
            forwardClick = true
        }
        onPressAndHold: {
            held = true
            comm.forwardRequest()
            forwardClick = false
        }
        onReleased: endSearch()
        onCanceled: endSearch()
        function endSearch() {
            if (held) {
                held = false
                comm.cancelForwardRequest()
            }
        }
    }
    TransportKey {
        id: trackSkipNextButton
        objectName: "trackSkipNextButton"
        x: recButton.x
        y: trackSkipPreviousButton.y
        width: trackSkipPreviousButton.width
        height: trackSkipPreviousButton.height
        lit: down
        onImage: "Resource/button-B_skip-R_ON_71x44_3.png"
        offImage: "Resource/button-B_skip-R_OFF_71x44_3.png"
        onTapped: comm.trackSkipNextRequest()
    }
}
