import QtQuick 2.15
import QtQuick.Controls 2.15

// The first screen: the recorders found on the network, login from the list or
// by typed address, the hidden administrator mode guarded by the app password,
// remote power control with confirmation, and the overlays while connecting.
// Lengths are in units of the window's ptSize; the window shows this screen
// while comm.loginComp is false.
Rectangle {
    id: loginscreenbase
    objectName: "loginscreenbase"
    color: admin_mode ? "#1d3356" : "#000000"

    // A row whose count is above this shows the unknown power state.
    property int noreaction_limit: 3
    // Added to a row's count to mark its power state unknown.
    property int unkownPower_value: 5
    // Taps on title or logo after which the manual login view shows.
    property int click_limit: 7
    property int click_times: 0
    property int selected_index: -1
    property bool admin_mode: false
    property var mediaiconsG: ["Resource/login/icon_19x19_none.svg",
                               "Resource/TimerEvent/icon_16x20_USB.svg",
                               "Resource/TimerEvent/icon_16x20_SD.svg",
                               "Resource/TimerEvent/icon_19x19_CD.svg"]
    property var mediaiconsW: ["Resource/login/icon_19x19_none.svg",
                               "Resource/login/icon_w_16x20_usb.svg",
                               "Resource/login/icon_w_16x20_sd.svg",
                               "Resource/login/icon_w_19x19_cd.svg"]
    property var transporticons: ["Resource/login/icon_47x47_Status_none.svg",
                                  "Resource/login/icon_47x47_Status_stop.svg",
                                  "Resource/login/icon_47x47_Status_play.svg",
                                  "Resource/login/icon_47x47_Status_rec.svg",
                                  "Resource/login/icon_47x47_Status_pause.svg"]
    property var powericons: ["Resource/login/icon_18x20_power_off.svg",
                              "Resource/login/icon_18x20_power_on.svg"]
    property int appState: Qt.application.state

    // Power confirmation dialog state.
    property string cpcNickname: ""
    property string cpcAction: ""
    property int cpcIndex: 0
    property bool f_visibleCPC: false

    // Discovery runs only while the application is active.
    onAppStateChanged: {
        if (appState === Qt.ApplicationActive)
            udpc.appStateChanged(true)
        else
            udpc.appStateChanged(false)
    }

    // Discovery runs only while this screen shows; each showing searches anew.
    onVisibleChanged: {
        resetShuttle()
        udpc.showRefresh = false
        udpc.visibleStateChanged(loginscreenbase.visible)
        popup1.hide()
    }

    function resetShuttle() {
        shuttle.rest(1)
    }

    // One counter for title and logo: the 7th tap shows the manual login view,
    // the 14th brings the list back.
    function countTap() {
        click_times = click_times + 1
        if (click_times >= 2 * click_limit)
            click_times = 0
    }

    // The row at `index` of the list as last published, or null: the list can
    // be shorter than discovery's own, or not published yet.
    function listedRecorder(index) {
        var rows = loginListView.model
        if (!rows || index < 0 || index >= rows.length)
            return null
        return rows[index]
    }

    function markPowerUnknown(index) {
        var row = listedRecorder(index)
        if (row)
            row.count += unkownPower_value
        return row
    }

    function openPowerConfirmation(action, nickname, index) {
        f_visibleCPC = true
        cpcAction = action
        cpcNickname = nickname
        cpcIndex = index
    }

    function confirmPowerAction() {
        if (cpcAction !== "restart" && cpcAction !== "turn off" && cpcAction !== "turn on")
            return
        var row = markPowerUnknown(cpcIndex)
        if (!row)
            return
        if (cpcAction === "restart")
            udpc.restartMachine(row.macaddr)
        else if (cpcAction === "turn off")
            udpc.turnOffMachine(row.macaddr)
        else
            udpc.turnOnMachine(row.macaddr)
        f_visibleCPC = false
    }

    function manualLogin() {
        comm.loginRequest(address.text, password.text)
        udpc.loginedNickname = ""
    }

    // A tap that nothing else takes clears the selection.
    MouseArea {
        anchors.fill: parent
        onClicked: selected_index = -1
    }

    BackScreen {
        id: loginback
        objectName: "loginback"
        color: "#00000000"

        Text {
            objectName: "loginTitle"
            x: 15 * ptSize
            y: 0
            width: 272 * ptSize
            height: 30 * ptSize
            font.pixelSize: 30 * ptSize
            color: "#66ffffff"
            textFormat: Text.PlainText
            text: "KZ470 CONTROL"
            MouseArea {
                anchors.fill: parent
                property bool takesSecondTap: true
                onClicked: countTap()
            }
        }

        Image {
            id: loginlogo
            objectName: "loginlogo"
            source: "Resource/login/keldar_logo_95x16.svg"
            sourceSize.width: 95 * ptSize
            smooth: false
            x: 399 * ptSize - width
            y: 14 * ptSize
            MouseArea {
                anchors.fill: parent
                property bool takesSecondTap: true
                onClicked: countTap()
            }
        }

        // The recorder list view.
        Rectangle {
            id: loginnew
            objectName: "loginnew"
            color: "#00000000"
            x: 0
            y: 80 * ptSize
            width: appWidth
            height: 636 * ptSize
            visible: click_times < click_limit

            ListView {
                id: loginListView
                objectName: "loginListView"
                anchors.fill: parent
                clip: true
                model: loginModel

                ScrollBar.vertical: ScrollBar {
                    anchors.top: parent.top
                    anchors.bottom: parent.bottom
                    anchors.right: parent.right
                    visible: loginListView.contentHeight > loginListView.height
                    contentItem: CommonScrollBarItem {}
                }

                delegate: Rectangle {
                    id: loginrow
                    objectName: "loginrow"
                    color: "#00000000"
                    height: 140 * ptSize
                    width: appHeight

                    property bool f_communicatable: model.count <= noreaction_limit && model.powerstate === 1
                    property bool f_selected: selected_index === model.index && f_communicatable
                    property bool f_selected_admin: selected_index === model.index

                    function login() {
                        selected_index = -1
                        popup.hide()
                        udpc.loginedNickname = model.nickname
                        udpc.saveIPPass(model.macaddr, loginpasswd.text)
                        model.ippass = loginpasswd.text
                        udpc.checkAndLogin(model.macaddr)
                    }

                    function saveAdminPassword() {
                        udpc.saveAdminPass(model.macaddr, adminpasswd.text)
                    }

                    Rectangle {
                        objectName: "card"
                        x: 6 * ptSize
                        y: 0
                        width: 402 * ptSize
                        height: 120 * ptSize
                        radius: 2 * ptSize
                        color: admin_mode ? (f_selected_admin ? "#0b4789" : "#0b2138")
                                          : (f_selected_admin ? "#646464" : "#3c3c3c")

                        MouseArea {
                            anchors.fill: parent
                            onClicked: selected_index = index
                        }

                        Image {
                            objectName: "powericon"
                            x: 9 * ptSize
                            y: 30 * ptSize - height
                            sourceSize.width: 18 * ptSize
                            smooth: false
                            source: model.count > noreaction_limit ? "Resource/login/icon_13x20_question.svg"
                                                                   : powericons[model.powerstate]
                        }

                        Text {
                            objectName: "nickname"
                            x: 32 * ptSize
                            y: 10 * ptSize
                            width: 210 * ptSize
                            height: 22 * ptSize
                            font.pixelSize: 20 * ptSize
                            textFormat: Text.PlainText
                            color: f_communicatable ? "white" : "#878787"
                            text: model.nickname
                        }

                        Text {
                            objectName: "modelname"
                            x: 9 * ptSize
                            y: 34 * ptSize
                            width: 180 * ptSize
                            height: 15 * ptSize
                            font.pixelSize: 15 * ptSize
                            textFormat: Text.PlainText
                            color: f_selected ? "white" : "#878787"
                            text: "MODEL : " + model.modelname
                        }

                        Rectangle {
                            color: "black"
                            x: 9 * ptSize
                            y: 64 * ptSize
                            width: 47 * ptSize
                            height: 47 * ptSize
                            Image {
                                objectName: "transporticon"
                                x: 0
                                y: 0
                                sourceSize.width: 47 * ptSize
                                smooth: false
                                source: transporticons[model.transporticon]
                            }
                        }

                        Text {
                            id: loginipaddr
                            objectName: "loginipaddr"
                            x: 62 * ptSize
                            y: 64 * ptSize
                            width: 100 * ptSize
                            height: 15 * ptSize
                            font.pixelSize: 12 * ptSize
                            textFormat: Text.PlainText
                            color: f_selected ? "white" : "#878787"
                            text: model.ipaddr
                        }

                        Image {
                            id: logincurrentmediaicon
                            objectName: "logincurrentmediaicon"
                            x: loginipaddr.x
                            y: 91 * ptSize
                            sourceSize.height: 20 * ptSize
                            smooth: false
                            source: f_selected ? mediaiconsW[model.cmediaicon] : mediaiconsG[model.cmediaicon]
                        }

                        Text {
                            objectName: "cmedia"
                            x: loginipaddr.x + logincurrentmediaicon.width + 6 * ptSize
                            y: 91 * ptSize
                            width: 80 * ptSize
                            height: 15 * ptSize
                            font.pixelSize: 15 * ptSize
                            textFormat: Text.PlainText
                            color: f_selected ? "white" : "#878787"
                            text: model.cmedia
                        }

                        Rectangle {
                            id: login_ippasswd
                            x: 171 * ptSize
                            y: 76 * ptSize
                            width: 134 * ptSize
                            height: 34 * ptSize
                            radius: 5 * ptSize
                            color: "#4b4b4b"
                            visible: !admin_mode
                            TextField {
                                id: loginpasswd
                                objectName: "loginpasswd"
                                anchors.fill: parent
                                font.pixelSize: 18 * ptSize
                                echoMode: TextInput.Password
                                passwordMaskDelay: 5000
                                color: "black"
                                visible: f_selected
                                text: model.ippass
                                background: Rectangle {
                                    anchors.fill: parent
                                    radius: 5 * ptSize
                                    color: "#dcdcdc"
                                }
                                onAccepted: loginrow.login()
                            }
                        }

                        Rectangle {
                            id: login_adminpasswd
                            x: 171 * ptSize
                            y: 76 * ptSize
                            width: 134 * ptSize
                            height: 34 * ptSize
                            radius: 5 * ptSize
                            color: "#4b4b4b"
                            visible: admin_mode
                            TextField {
                                id: adminpasswd
                                objectName: "adminpasswd"
                                anchors.fill: parent
                                font.pixelSize: 18 * ptSize
                                echoMode: TextInput.Password
                                passwordMaskDelay: 5000
                                color: "black"
                                visible: f_selected_admin
                                text: model.adminpass
                                background: Rectangle {
                                    anchors.fill: parent
                                    radius: 5 * ptSize
                                    color: "#dcdcdc"
                                }
                                onAccepted: loginrow.saveAdminPassword()
                            }
                        }

                        Rectangle {
                            x: 309 * ptSize
                            y: 76 * ptSize
                            width: 66 * ptSize
                            height: 35 * ptSize
                            radius: 5 * ptSize
                            color: "#4b4b4b"
                            visible: !admin_mode
                            Button {
                                objectName: "loginbutton"
                                anchors.fill: parent
                                visible: f_selected
                                onClicked: loginrow.login()
                                background: Rectangle {
                                    anchors.fill: parent
                                    radius: 5 * ptSize
                                    color: comm.loginState === 0 ? "#0ec0dd" : "#07606E"
                                    border.color: "#0ec0dd"
                                    border.width: comm.loginState === 0 ? 0 : 2 * ptSize
                                    Text {
                                        anchors.fill: parent
                                        font.pixelSize: 14 * ptSize
                                        horizontalAlignment: Text.AlignHCenter
                                        verticalAlignment: Text.AlignVCenter
                                        textFormat: Text.PlainText
                                        text: "Login"
                                    }
                                }
                            }
                        }

                        Rectangle {
                            x: 309 * ptSize
                            y: 76 * ptSize
                            width: 66 * ptSize
                            height: 35 * ptSize
                            radius: 5 * ptSize
                            color: "#4b4b4b"
                            visible: admin_mode
                            Button {
                                objectName: "savebutton"
                                anchors.fill: parent
                                visible: f_selected_admin
                                onClicked: loginrow.saveAdminPassword()
                                background: Rectangle {
                                    anchors.fill: parent
                                    radius: 5 * ptSize
                                    color: "#0ec0dd"
                                    Text {
                                        anchors.fill: parent
                                        font.pixelSize: 14 * ptSize
                                        horizontalAlignment: Text.AlignHCenter
                                        verticalAlignment: Text.AlignVCenter
                                        textFormat: Text.PlainText
                                        text: "Save"
                                    }
                                }
                            }
                        }

                        Rectangle {
                            id: admin_power_onoff_button
                            objectName: "admin_power_onoff_button"
                            x: 319 * ptSize
                            y: 12 * ptSize
                            width: 56 * ptSize
                            height: 28 * ptSize
                            radius: 3 * ptSize
                            visible: admin_mode && model.count <= noreaction_limit
                            color: model.powerstate === 1 ? "#0ec0dd" : "#969696"
                            Text {
                                anchors.fill: parent
                                font.pixelSize: 13 * ptSize
                                color: "black"
                                horizontalAlignment: Text.AlignHCenter
                                verticalAlignment: Text.AlignVCenter
                                textFormat: Text.PlainText
                                text: model.powerstate === 1 ? "ON" : "OFF"
                            }
                            MouseArea {
                                anchors.fill: parent
                                visible: f_selected_admin
                                onClicked: openPowerConfirmation(model.powerstate === 1 ? "turn off" : "turn on",
                                                                 model.nickname, index)
                            }
                        }

                        Rectangle {
                            id: admin_restart_button
                            objectName: "admin_restart_button"
                            x: 239 * ptSize
                            y: 12 * ptSize
                            width: 74 * ptSize
                            height: 28 * ptSize
                            radius: 3 * ptSize
                            visible: admin_mode && f_communicatable
                            color: selected_index === model.index ? "#5a5a5a" : "#333e49"
                            Text {
                                anchors.fill: parent
                                font.pixelSize: 13 * ptSize
                                color: "white"
                                horizontalAlignment: Text.AlignHCenter
                                verticalAlignment: Text.AlignVCenter
                                textFormat: Text.PlainText
                                text: "Restart"
                            }
                            MouseArea {
                                anchors.fill: parent
                                visible: f_selected_admin
                                onClicked: openPowerConfirmation("restart", model.nickname, index)
                            }
                        }

                        Text {
                            x: login_ippasswd.x
                            y: 59 * ptSize
                            width: login_ippasswd.width
                            height: 15 * ptSize
                            font.pixelSize: 13 * ptSize
                            horizontalAlignment: Text.AlignHCenter
                            verticalAlignment: Text.AlignVCenter
                            textFormat: Text.PlainText
                            visible: !admin_mode
                            color: f_selected && f_communicatable ? "white" : "#878787"
                            text: "IP password"
                        }

                        Text {
                            x: login_adminpasswd.x
                            y: 59 * ptSize
                            width: login_adminpasswd.width
                            height: 15 * ptSize
                            font.pixelSize: 13 * ptSize
                            horizontalAlignment: Text.AlignHCenter
                            verticalAlignment: Text.AlignVCenter
                            textFormat: Text.PlainText
                            visible: admin_mode
                            color: f_selected ? "white" : "#878787"
                            text: "Admin Password"
                        }
                    }
                }

                footer: Rectangle {
                    color: "#00000000"
                    height: 180 * ptSize
                    width: loginListView.width
                    MouseArea {
                        anchors.fill: parent
                        onClicked: selected_index = -1
                    }
                    Button {
                        id: loginrefresh
                        objectName: "loginrefresh"
                        width: 125 * ptSize
                        height: 45 * ptSize
                        x: (parent.width - width) * 0.5
                        y: 20 * ptSize
                        visible: udpc.showRefresh
                        background: Image {
                            id: reload_image
                            source: "Resource/login/icon_125x45_reload.svg"
                            sourceSize.width: 125 * ptSize
                            smooth: false
                        }
                        onClicked: {
                            selected_index = -1
                            udpc.refreshList()
                        }
                    }
                }

                Connections {
                    target: udpc
                    function onChangeToUnknownPowerState(arg_index) {
                        markPowerUnknown(arg_index)
                    }
                    function onLoginRequest(arg_ipaddr, arg_ippass) {
                        comm.loginRequest(arg_ipaddr, arg_ippass)
                    }
                }
            }

            Rectangle {
                id: login_searching
                objectName: "login_searching"
                anchors.fill: parent
                color: "#aa000000"
                visible: !udpc.showRefresh && !loginConnecting.visible && !powerConnecting.visible
                Text {
                    x: 0
                    y: 133 * ptSize
                    width: parent.width
                    height: 77 * ptSize
                    color: "white"
                    font.pixelSize: 30 * ptSize
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                    textFormat: Text.PlainText
                    text: "Searching..."
                }
                ModalArea {}
            }
        }

        // The manual login view, in place of the list.
        Rectangle {
            id: loginold
            objectName: "loginold"
            color: "black"
            x: 0
            y: 80 * ptSize
            width: appWidth
            height: 636 * ptSize
            visible: !(click_times < click_limit)
            onVisibleChanged: udpc.refreshList()

            Item {
                id: loginWindow
                anchors.horizontalCenter: parent.horizontalCenter
                y: 0
                width: appWidth
                height: appHeight

                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 145.5 * ptSize
                    font.pixelSize: 22 * ptSize
                    font.weight: Font.Light
                    color: "#A0A0A0"
                    textFormat: Text.PlainText
                    text: "IP Address"
                }

                TextField {
                    id: address
                    objectName: "address"
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 170 * ptSize
                    width: 296 * ptSize
                    height: 50 * ptSize
                    font.pixelSize: 25 * ptSize
                    selectByMouse: true
                    text: comm.address
                    background: Image {
                        source: address.focus ? "Resource/LogIn_add-pass_ON_296x50_3.png"
                                              : "Resource/LogIn_add-pass_OFF_296x50_3.png"
                        sourceSize: Qt.size(address.width, address.height)
                    }
                    onAccepted: password.focus = true
                }

                Text {
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 235.5 * ptSize
                    font.pixelSize: 22 * ptSize
                    font.weight: Font.Light
                    color: "#A0A0A0"
                    textFormat: Text.PlainText
                    text: "IP Password"
                }

                TextField {
                    id: password
                    objectName: "password"
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 260 * ptSize
                    width: 296 * ptSize
                    height: 50 * ptSize
                    font.pixelSize: 25 * ptSize
                    echoMode: TextInput.Password
                    passwordMaskDelay: 5000
                    text: comm.password
                    background: Image {
                        source: password.focus ? "Resource/LogIn_add-pass_ON_296x50_3.png"
                                               : "Resource/LogIn_add-pass_OFF_296x50_3.png"
                        sourceSize: Qt.size(password.width, password.height)
                    }
                    onAccepted: manualLogin()
                }

                Button {
                    id: loginButton
                    objectName: "loginButton"
                    anchors.horizontalCenter: parent.horizontalCenter
                    y: 343 * ptSize
                    width: 296 * ptSize
                    height: 50 * ptSize
                    font.pixelSize: 25 * ptSize
                    enabled: comm.loginState === 0
                    contentItem: Text {
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignVCenter
                        elide: Text.ElideRight
                        font: loginButton.font
                        textFormat: Text.PlainText
                        color: comm.loginState === 0 ? "#2D52A8" : "#D14413"
                        text: comm.loginState === 0 ? "Login" : "Connecting"
                    }
                    background: Image {
                        source: comm.loginState === 0 ? "Resource/LogIn_296x50_3.png"
                                                      : "Resource/LogIn_connect_296x50_3.png"
                        sourceSize: Qt.size(loginButton.width, loginButton.height)
                    }
                    onClicked: {
                        popup.hide()
                        manualLogin()
                    }
                }
            }

            // The fields follow the status model's address and password, also
            // after the user has typed in them.
            Connections {
                target: comm
                function onAddressChanged() { address.text = comm.address }
                function onPasswordChanged() { password.text = comm.password }
            }
        }
    }

    // The admin-mode band: a lock to slide to the left end of its track.
    Rectangle {
        id: grand_kirikae
        objectName: "grand_kirikae"
        color: "#88000000"
        x: 0
        width: loginscreenbase.width
        y: loginback.y + loginback.height - 76 * ptSize
        height: loginscreenbase.height - y
        visible: !app_passwd.visible

        Rectangle {
            id: container
            objectName: "container"
            color: "transparent"
            width: 324 * ptSize
            height: shuttle.height
            x: (grand_kirikae.width - 324 * ptSize) * 0.5
            y: 12 * ptSize
            visible: false

            Rectangle {
                id: modoru_groupe
                color: "transparent"
                anchors.fill: parent
                visible: admin_mode
                Button {
                    objectName: "leaveAdminButton"
                    x: 3
                    y: x
                    width: parent.width - (x + 2)
                    height: parent.height - 2 * y
                    background: Rectangle {
                        radius: 3 * ptSize
                        color: "#878787"
                        border.width: 1 * ptSize
                        border.color: "black"
                    }
                    contentItem: Text {
                        color: "white"
                        font.pixelSize: 18 * ptSize
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignVCenter
                        textFormat: Text.PlainText
                        text: "Login screen"
                    }
                    onClicked: {
                        admin_mode = false
                        selected_index = -1
                    }
                }
            }

            Rectangle {
                id: nyokigroup
                color: "transparent"
                anchors.fill: parent
                visible: !admin_mode

                Rectangle {
                    id: kazari
                    x: 3
                    y: x
                    width: parent.width - (x + 2)
                    height: parent.height - 2 * y
                    color: "#2f3e5b"
                    radius: 3
                    border.width: 1 * ptSize
                    border.color: "black"

                    Button {
                        id: admin_button
                        objectName: "admin_button"
                        anchors.fill: parent
                        visible: shuttle.x < 2
                        background: Rectangle {
                            radius: 3
                            color: "#13337c"
                        }
                        contentItem: Text {
                            color: "white"
                            font.pixelSize: 18 * ptSize
                            horizontalAlignment: Text.AlignHCenter
                            verticalAlignment: Text.AlignVCenter
                            textFormat: Text.PlainText
                            text: "Admin mode"
                        }
                        onClicked: app_passwd.visible = true
                    }
                }

                Image {
                    id: shuttle
                    objectName: "shuttle"
                    sourceSize.width: 80 * ptSize
                    smooth: false
                    source: admin_button.visible ? "Resource/login/icon_80x52_lock_on.svg"
                                                 : "Resource/login/icon_80x52_lock_off.svg"
                    // Where the lock rests on its track, 0 at the left end and 1
                    // at the right end: it keeps that place at every size.
                    property real place: 1
                    x: place * (parent.width - width)

                    function rest(newPlace) {
                        place = newPlace
                        x = Qt.binding(function() { return place * (parent.width - width) })
                    }

                    MouseArea {
                        id: shuttle_drag
                        anchors.fill: parent
                        drag.target: shuttle
                        drag.axis: Drag.XAxis
                        drag.minimumX: 0
                        drag.maximumX: container.width - shuttle.width
                        onReleased: {
                            var track = drag.maximumX
                            shuttle.rest(track > 0 ? shuttle.x / track : 1)
                        }
                    }
                }
            }
        }
    }

    Connections {
        target: udpc
        function onInitCompleted() {
            container.visible = true
        }
    }

    // The app-password layer: choose one, or type the stored one.
    Rectangle {
        id: app_passwd
        objectName: "app_passwd"
        anchors.fill: parent
        color: "#99000000"
        visible: false
        onVisibleChanged: resetShuttle()

        ModalArea {}

        BackScreen {
            id: app_passwdback

            Rectangle {
                id: group_
                color: "transparent"
                anchors.fill: parent

                Rectangle {
                    id: requirenewpasswd
                    objectName: "requirenewpasswd"
                    width: 325 * ptSize
                    height: 378 * ptSize
                    x: (parent.width - width) * 0.5
                    y: 120 * ptSize
                    radius: 10 * ptSize
                    color: "#dbdbdb"
                    border.width: 3 * ptSize
                    border.color: "black"
                    visible: udpc.appPassword == ""

                    PanelLabel { x: new_close.x; y: 36 * ptSize; text: "Require App Password" }
                    PanelField { id: newpasswd1; objectName: "newpasswd1"; x: new_close.x; y: 67 * ptSize }
                    PanelLabel { x: new_close.x; y: 124 * ptSize; text: "Confirm" }
                    PanelField { id: newpasswd2; objectName: "newpasswd2"; x: new_close.x; y: 155 * ptSize }
                    PanelButton {
                        objectName: "newEnter"
                        x: new_close.x
                        y: 271 * ptSize - height
                        caption: "Enter"
                        onClicked: {
                            if (newpasswd2.text !== newpasswd1.text) {
                                popup1.popupReceived("Passwords mismatched")
                            } else if (newpasswd1.text === "" || newpasswd2.text === "") {
                                popup1.popupReceived("Please enter a password")
                            } else {
                                udpc.saveAppPass(newpasswd1.text)
                                udpc.appPassword = newpasswd1.text
                                admin_mode = true
                                app_passwd.visible = false
                            }
                        }
                    }
                    PanelButton {
                        id: new_close
                        objectName: "new_close"
                        x: (parent.width - width) * 0.5
                        y: 345 * ptSize - height
                        caption: "Close"
                        onClicked: app_passwd.visible = false
                    }
                }

                Rectangle {
                    id: requireapppasswd
                    objectName: "requireapppasswd"
                    width: 325 * ptSize
                    height: 325 * ptSize
                    x: (parent.width - width) * 0.5
                    y: 120 * ptSize
                    radius: 10 * ptSize
                    color: "#dbdbdb"
                    border.width: 3 * ptSize
                    border.color: "black"
                    visible: !(udpc.appPassword == "")

                    PanelLabel { x: app_close.x; y: 36 * ptSize; text: "Require App Password" }
                    PanelField { id: apppasswd1; objectName: "apppasswd1"; x: app_close.x; y: 67 * ptSize }
                    PanelButton {
                        objectName: "appEnter"
                        x: app_close.x
                        y: 169 * ptSize - height
                        caption: "Enter"
                        onClicked: {
                            if (udpc.appPassword !== apppasswd1.text) {
                                popup1.popupReceived("Passwords mismatched")
                            } else {
                                apppasswd1.text = ""
                                admin_mode = true
                                app_passwd.visible = false
                            }
                        }
                    }
                    PanelButton {
                        id: app_close
                        objectName: "app_close"
                        x: (parent.width - width) * 0.5
                        y: 299 * ptSize - height
                        caption: "Close"
                        onClicked: app_passwd.visible = false
                    }
                }
            }
        }
    }

    // Power confirmation dialog.
    Rectangle {
        id: confirmPowerControl
        objectName: "confirmPowerControl"
        anchors.fill: parent
        color: "#80121212"
        visible: f_visibleCPC

        ModalArea {}

        Rectangle {
            width: 325 * ptSize
            height: 325 * ptSize
            x: (parent.width - width) * 0.5
            y: 120 * ptSize
            radius: 10 * ptSize
            color: "#dbdbdb"
            border.width: 3 * ptSize
            border.color: "black"

            MouseArea {
                anchors.fill: parent
            }

            Text {
                objectName: "cpcNicknameText"
                x: (parent.width - width) * 0.5
                y: 35 * ptSize
                width: 300 * ptSize
                height: 35 * ptSize
                color: "black"
                wrapMode: Text.Wrap
                font.pixelSize: 24 * ptSize
                textFormat: Text.PlainText
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                text: cpcNickname
            }

            Text {
                objectName: "cpcQuestion"
                x: (parent.width - width) * 0.5
                y: 100 * ptSize
                width: 240 * ptSize
                height: 35 * ptSize
                color: "black"
                wrapMode: Text.Wrap
                font.pixelSize: 20 * ptSize
                textFormat: Text.PlainText
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                text: "OK to " + cpcAction + "?"
            }

            PanelButton {
                objectName: "cpcOk"
                x: (parent.width - width) * 0.5
                y: 190 * ptSize
                caption: "OK"
                onClicked: confirmPowerAction()
            }

            PanelButton {
                objectName: "cpcCancel"
                x: (parent.width - width) * 0.5
                y: 260 * ptSize
                caption: "Cancel"
                onClicked: f_visibleCPC = false
            }
        }
    }

    // While the command channel connects (any login state but idle).
    ConnectingOverlay {
        id: loginConnecting
        objectName: "loginConnecting"
        textY: 133 * ptSize + loginnew.y
        visible: comm.loginState !== 0
    }

    // While a power or login action waits for its recorder.
    ConnectingOverlay {
        id: powerConnecting
        objectName: "powerConnecting"
        textY: 133 * ptSize + loginnew.y
        visible: udpc.telnetPhase !== 0 || udpc.telnetConnecting < 2
        onVisibleChanged: {
            if (visible === true)
                udpc.refreshList()
        }
    }

    PopupMessage {
        id: popup1
        objectName: "popup1"
        y: 10 * ptSize
        anchors.horizontalCenter: parent.horizontalCenter
        signal popupReceived(string arg)
        onPopupReceived: popup1.show(arg)
    }

    Connections {
        target: udpc
        function onPopupMessage(arg) {
            popup1.show(arg)
        }
    }

    // The small pieces the panels and the dialog repeat.
    component PanelLabel: Text {
        width: 180 * ptSize
        height: 20 * ptSize
        color: "black"
        font.pixelSize: 18 * ptSize
        textFormat: Text.PlainText
    }

    component PanelField: TextField {
        width: 180 * ptSize
        height: 35 * ptSize
        font.pixelSize: 15 * ptSize
        echoMode: TextInput.Password
        passwordMaskDelay: 5000
        background: Rectangle {
            radius: 5 * ptSize
            color: "#f7f7f7"
        }
    }

    component PanelButton: Button {
        property alias caption: captionText.text
        width: 180 * ptSize
        height: 35 * ptSize
        background: Rectangle {
            radius: 5 * ptSize
            color: "#878787"
            border.width: 1 * ptSize
            border.color: "black"
            Text {
                id: captionText
                anchors.fill: parent
                color: "black"
                font.pixelSize: 20 * ptSize
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                textFormat: Text.PlainText
            }
        }
    }

    component ConnectingOverlay: Rectangle {
        property real textY: 0
        anchors.fill: parent
        color: "#aa000000"
        ModalArea {}
        Text {
            x: 0
            y: textY
            width: parent.width
            height: 77 * ptSize
            color: "white"
            font.pixelSize: 30 * ptSize
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            textFormat: Text.PlainText
            text: "Connecting..."
        }
    }
}
