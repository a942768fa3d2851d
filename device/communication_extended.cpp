// Extended replies ("FF"): the recorder repeats the command's group and adds
// 0x80 to its item. Some set properties here; the others go, with the text
// after their codes, to the model that owns the command family.
#include "communication.h"

#include "browse.h"
#include "mark.h"
#include "menu.h"
#include "permission.h"
#include "playlist.h"
#include "replyfields.h"
#include "telnet.h"
#include "timerevent.h"

using namespace replyfields;

namespace {

QString mediumName(int code)
{
    switch (code) {
    case 0: return QStringLiteral("SD1");
    case 1: return QStringLiteral("SD2");
    case 10: return QStringLiteral("USB");
    case 11: return QStringLiteral("CD");
    default: return QString();
    }
}

QString playAreaName(int code)
{
    switch (code) {
    case 0: return QStringLiteral("ALL");
    case 1: return QStringLiteral("FOLDER");
    case 2: return QStringLiteral("PLAYLIST");
    default: return QString();
    }
}

QString backupRelayPairName(int code)
{
    static const char* const names[] = { "SD1-SD2", "SD1-USB", "SD2-SD1", "SD2-USB", "USB-SD1", "USB-SD2" };
    if (code < 0 || code > 5)
        return QString();
    return QString::fromLatin1(names[code]);
}

} // namespace

void Communication::onExtendedReply(const QString& data)
{
    const QString group = data.left(2);
    const QString item = data.mid(2, 2);

    if (group == QLatin1String("01")) {
        if (update(m_currentMedia, mediumName(decimal(data.mid(2, 2))), &Communication::currentMediaChanged)) {
            menu->updateCurrentMediaMenuText(m_currentMedia);
            menu->changedCommandMenuData();
            sendWithPermission("07F6B05\r\n");
            sendWithPermission("07F4500\r\n");
        }
        // The menu's lists that follow the medium wait for the answer to the
        // user's last change of medium.
        if (!askedMedium.waiting())
            menu->mediumAnswered(m_currentMedia);
    } else if (group == QLatin1String("03")) {
        mark->parseMarkReply(data.mid(2));
    } else if (group == QLatin1String("04")) {
        if (item == QLatin1String("97"))
            update(m_flashLoad, data.mid(4, 2) == QLatin1String("10"), &Communication::flashLoadChanged);
        else if (item == QLatin1String("F8"))
            send("07F0417FF\r\n");
    } else if (group == QLatin1String("07")) {
        if (item == QLatin1String("CF")
            && update(m_playArea, playAreaName(decimal(data.mid(4, 2))), &Communication::playAreaChanged)) {
            menu->panelSettingChanged(Menu::PlayArea);
            sendWithPermission("07F6B05\r\n");
        }
    } else if (group == QLatin1String("12")) {
        if (item == QLatin1String("91"))
            update(m_src, decimal(data.mid(8, 2)) != 0, &Communication::srcChanged);
    } else if (group == QLatin1String("31")) {
        if (item == QLatin1String("80")) {
            if (data.mid(4, 2) == QLatin1String("00")) {
                requestAllStatus();
                sendWithPermission("07F4500\r\n");
            }
        } else if (item == QLatin1String("85")) {
            if (update(m_playList, data.mid(4), &Communication::playListChanged)) {
                telnet->sendDataNoLog("050\r\n055\r\n05D\r\n");
                sendWithPermission("07F4500\r\n");
            }
        } else if (item == QLatin1String("CB")) {
            pl->handleEntryEditResult(data.mid(4));
        }
    } else if (group == QLatin1String("45")) {
        pl->parsePlaylistResponse(data.mid(2));
    } else if (group == QLatin1String("47")) {
        tev->parseTimerEventResponse(data.mid(2));
    } else if (group == QLatin1String("6A")) {
        onExtendedItemReply(data);
    } else if (group == QLatin1String("6B")) {
        browse->parseBrowseResponse(data.mid(2));
    } else if (group == QLatin1String("72")) {
        // Answer to the record request: enter record mode as the recorder
        // allows. It answers the oldest record request still unanswered; an
        // upper-row key pressed since that request has taken its place.
        if (data.mid(2, 4) == QLatin1String("8101")) {
            if (!m_recordAsks.isEmpty() && m_recordAsks.takeFirst() != m_transportKeys)
                return;
            const bool pause = data.mid(6, 2) == QLatin1String("00");
            sendTransport(pause ? "01301\r\n" : "01300\r\n", pause ? 130 : 129);
            send("07F6A3F01\r\n");
        }
    }
}

// Second level of group "6A": the item at positions 2-3, values from 4.
void Communication::onExtendedItemReply(const QString& data)
{
    const QString item = data.mid(2, 2);
    const QString value = data.mid(4, 2);
    const QString rest = data.mid(4);

    if (item == QLatin1String("81")) {
        if (update(m_title, rest, &Communication::titleChanged)
            && (m_statusIcon < 129 || m_statusIcon > 131) && m_nowTrackNo != QLatin1String("000"))
            mark->startQuery();
    } else if (item == QLatin1String("82")) {
        if (update(m_folder, rest, &Communication::folderChanged))
            requestAllStatus();
    } else if (item == QLatin1String("84")) {
        // 80 and above: the digital input is not locked.
        const int v = decimal(value);
        const bool locked = v < 80;
        update(m_inputSelect, locked ? v : v - 80, &Communication::inputSelectChanged);
        update(m_digitalInLock, locked, &Communication::digitalInLockChanged);
    } else if (item == QLatin1String("85")) {
        update(m_micPhantom, decimal(value) != 0, &Communication::micPhantomChanged);
    } else if (item == QLatin1String("86")) {
        update(m_timerEvent, decimal(value) != 0, &Communication::timerEventChanged);
    } else if (item == QLatin1String("87")) {
        update(m_upload, decimal(value) != 0, &Communication::uploadChanged);
    } else if (item == QLatin1String("88")) {
        update(m_download, decimal(value) != 0, &Communication::downloadChanged);
    } else if (item == QLatin1String("89")) {
        onLevelMeterReply(data);
    } else if (item == QLatin1String("8A")) {
        update(m_repeat, decimal(value), &Communication::repeatChanged);
    } else if (item == QLatin1String("8B")) {
        update(m_currentMediaBackupRelay, backupRelayPairName(decimal(rest)),
               &Communication::currentMediaBackupRelayChanged);
    } else if (item == QLatin1String("8C")) {
        onRecordFormatReply(decimal(value));
    } else if (item == QLatin1String("8D")) {
        update(m_agc, decimal(value) != 0, &Communication::agcChanged);
    } else if (item == QLatin1String("8E")) {
        update(m_dynamics, decimal(value), &Communication::dynamicsChanged);
    } else if (item == QLatin1String("E0")) {
        update(m_lowCut, decimal(value) != 0, &Communication::lowCutChanged);
    } else if (item == QLatin1String("E1")) {
        update(m_autoMark, decimal(value) != 0, &Communication::autoMarkChanged);
    } else if (item == QLatin1String("E2")) {
        update(m_monoMix, value == QLatin1String("00"), &Communication::monoMixChanged);
    } else if (item == QLatin1String("E3")) {
        update(m_currentTrackTop, hex(rest), &Communication::currentTrackTopChanged);
        if (markRedrawState == 1)
            markRedrawState = 2;
    } else if (item == QLatin1String("E5")) {
        const QString state = value == QLatin1String("00") ? QStringLiteral("Unfinalized") : QStringLiteral("Finalized");
        update(m_finalizedCd, state, &Communication::finalizedCdChanged);
    } else if (item == QLatin1String("E6")) {
        update(m_statusDetail, decimal(rest), &Communication::statusDetailChanged);
    } else if (item == QLatin1String("F6")) {
        onExtendedChangeNotice(value);
    } else if (item == QLatin1String("FA")) {
        if (value == QLatin1String("F0")) {
            menu->changedCommandMenuData();
            emit popupReceived(decimal(data.mid(6, 2)));
        } else {
            menu->parseMenuResponse(rest);
        }
    } else if (item == QLatin1String("FD")) {
        permission->onReadOnlyReply(rest);
    } else if (item == QLatin1String("FE")) {
        permission->onPermissionReply(rest);
    }
}

// Levels, right level, left and right peak as two hex digits each (the
// recorder counts from 1; 0 stays 0), then four characters whose second and
// fourth are the over flags. A missing flag character means no over.
void Communication::onLevelMeterReply(const QString& data)
{
    auto level = [&data](int pos) {
        const int v = hex(data.mid(pos, 2));
        return v > 0 ? v - 1 : v;
    };
    auto over = [&data](int pos) { return pos < data.size() && data.at(pos) != QLatin1Char('0'); };
    setLevels(level(4), level(6), level(8), level(10), over(13), over(15));
}

void Communication::setLevels(int left, int right, int leftPeak, int rightPeak, bool leftOver, bool rightOver)
{
    update(m_levelMeterL, left, &Communication::levelMeterLChanged);
    update(m_levelMeterR, right, &Communication::levelMeterRChanged);
    update(m_levelMeterLPeak, leftPeak, &Communication::levelMeterLPeakChanged);
    update(m_levelMeterRPeak, rightPeak, &Communication::levelMeterRPeakChanged);
    update(m_levelMeterLOver, leftOver, &Communication::levelMeterLOverChanged);
    update(m_levelMeterROver, rightOver, &Communication::levelMeterROverChanged);
}

// The value combines the format (0-7) and the sampling rate: format + 8 * rate
// for rates 0 and 1, and 16 alone for rate 2.
void Communication::onRecordFormatReply(int value)
{
    struct Format
    {
        const char* text;
        const char* textCd;
        bool backupRelay;
        int fsCd; // -1: the CD's rate stays as it is
    };
    static const Format formats[] = {
        { "Wav", "CD-DA", false, 0 },
        { "Mp3", "Mp3", false, 0 },
        { "Wav16+Mp3", "Mp3", false, 1 },
        { "Wav(Backup)", "", true, -1 },
        { "Mp3(Backup)", "", true, -1 },
        { "Wav(Relay)", "", true, -1 },
        { "Mp3(Relay)", "", true, -1 },
        { "Wav16+Mp3\n(Relay)", "", true, -1 },
    };

    Format format { "", "", false, -1 };
    int fs = 0;
    if (value >= 0 && value < 16) {
        format = formats[value % 8];
        fs = value / 8;
    } else if (value == 16) {
        format = { "Wav", "", false, -1 };
        fs = 2;
    } else if (value > 16) {
        fs = 1;
    }
    update(m_recFormat, QString::fromLatin1(format.text), &Communication::recFormatChanged);
    update(m_recFormatCd, QString::fromLatin1(format.textCd), &Communication::recFormatCdChanged);
    update(m_backupRelay, format.backupRelay, &Communication::backupRelayChanged);
    update(m_recFs, fs, &Communication::recFsChanged);
    if (format.fsCd >= 0)
        update(m_recFsCd, format.fsCd, &Communication::recFsCdChanged);
}

// Change notices of group "6A" item "F6".
void Communication::onExtendedChangeNotice(const QString& notice)
{
    if (notice == QLatin1String("01")) {
        send("07F6A04\r\n"); // input select changed
    } else if (notice == QLatin1String("02")) {
        browse->startBrowse();
    } else if (notice == QLatin1String("10") || notice == QLatin1String("70")) {
        requestAllStatus();
    } else if (notice == QLatin1String("20")) {
        mark->startQuery();
    } else if (notice == QLatin1String("40")) {
        menu->changedCommandMenuData();
        requestAllStatus();
    } else if (notice == QLatin1String("50")) {
        menu->rebuildParameterForCd();
    } else if (notice == QLatin1String("51")) {
        menu->rebuildParameterForStereoMono();
    }
}
