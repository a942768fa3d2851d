.pragma library

// The window-wide messages by code; any other code shows "Unknown".
var texts = {
    1: "Change of settings not currently permitted.",
    2: "Warning Detected. See Unit for details.",
    3: "Warning Detected. See Unit for details.",
    100: "Invalid password.",
    200: "Unable to complete this action."
}

// Shows the message of a code on popup and returns the code shown last. A
// code repeated while its message is still up is dropped, except a wrong
// password (100).
function show(popup, lastCode, code) {
    if (popup.popupEnabled && code === lastCode && code !== 100)
        return lastCode
    popup.show(texts.hasOwnProperty(code) ? texts[code] : "Unknown")
    return code
}
