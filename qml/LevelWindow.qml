import QtQuick 2.8

// A clipped window 8 units high onto the meter's colour ramp: green to 20 %
// of the 333-unit scale, blending into yellow at 98 %. rampX places the
// ramp's left edge on the scale's start.
Rectangle {
    property real rampX: 0
    height: ptSize * 8
    clip: true

    Rectangle {
        x: rampX
        width: ptSize * 333
        height: width
        // Centred on the window's row, then turned so the gradient runs left to right.
        y: (parent.height - height) / 2
        rotation: 270.0
        gradient: Gradient {
            GradientStop { position: 0.2; color: "#64AA69" }
            GradientStop { position: 0.98; color: "#FFE15A" }
        }
    }
}
