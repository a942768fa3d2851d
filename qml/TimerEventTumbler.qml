import QtQuick 2.8
import QtQuick.Controls 2.1

// A number wheel of the time and repeat editors. Its items are 0 … model − 1,
// shown with at least two digits; a wheel of 100 items counts 1 … 100.
Tumbler {
    id: tumbler
    width: ptSize * 52
    height: ptSize * 160

    delegate: Text {
        function formatText(count, modelData) {
            var value = count === 100 ? modelData + 1 : modelData
            var digits = String(value)
            if (digits.length < 2)
                return "0" + digits
            if (digits.length === 3)
                return value + " "
            return value
        }

        text: formatText(Tumbler.tumbler.count, modelData)
        opacity: 1.0 - Math.abs(Tumbler.displacement) / (Tumbler.tumbler.visibleItemCount * 0.5)
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        textFormat: Text.PlainText
        font.pixelSize: ptSize * 20
    }
}
