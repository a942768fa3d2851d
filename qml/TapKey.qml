import QtQuick 2.8
import QtQuick.Controls 2.1

// A key whose taps add up (a step, a skip): `tapped` comes for every tap,
// however quick. Of two quick taps the window system delivers the second as a
// double click, and a Button then leaves out its clicked; here that tap counts
// as well, when the finger lifts, as a click does, unless the press was held
// or taken away. Keys that toggle or confirm keep to clicked, so a double
// click on them stays one tap.
Button {
    signal tapped()
    // The window lets a quick second tap through to this key.
    property bool takesSecondTap: true

    onClicked: tapped()
    onDoubleClicked: secondTap.pending = true
    onPressAndHold: secondTap.pending = false
    onCanceled: secondTap.pending = false
    onReleased: {
        if (secondTap.pending) {
            secondTap.pending = false
            tapped()
        }
    }

    QtObject {
        id: secondTap
        property bool pending: false
    }
}
