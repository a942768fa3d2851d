// The settings-menu walk: it starts with the login; the recorder's answers
// build the tree, which the screen then reads by index and draws.
#include "modelsession.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::initialise();
    fuzz::ModelSession session;
    Menu& menu = session.graph.menu;
    const auto check = [&] {
        // Every entry found by name is in the tree.
        for (const MenuPosition& at : { menu.sd1Position, menu.sd2Position, menu.usbPosition, menu.capacityPosition,
                                        menu.availablePosition, menu.folderPosition, menu.inputSelectPosition,
                                        menu.inputGainLPosition, menu.inputGainRPosition, menu.phantomLPosition,
                                        menu.phantomRPosition, menu.levelLPosition, menu.levelRPosition,
                                        menu.playAreaPosition, menu.recFormatPosition, menu.stereoMonoPosition }) {
            FUZZ_CHECK(!at.isSet()
                       || (at.page < menu.pages.size() && at.item >= 0 && at.item < menu.pages[at.page].items.size()
                           && at.subitem >= 0 && at.subitem < menu.pages[at.page].items[at.item].subitems.size()));
        }
    };
    session.feed(data, size, [&] { menu.changedCommandMenuData(); }, check);

    // The screen draws what the tree holds, one index past each list included.
    menu.setDrawingFinished(true);
    for (int i = 0; i <= menu.getMaxPageNumber(); ++i) {
        menu.getPageName(i);
        for (int j = 0; j <= menu.getMaxItemNumber(i); ++j) {
            menu.getItemName(i, j);
            FUZZ_CHECK(menu.getVisibleSubitemNumber(i, j) <= menu.getMaxSubitemNumber(i, j));
            for (int k = 0; k <= menu.getMaxSubitemNumber(i, j); ++k) {
                menu.getSubitemType(i, j, k);
                for (int l = 0; l <= menu.getMaxSubitemParameterNumber(i, j, k); ++l)
                    menu.getSubitemParameterName(i, j, k, l);
                menu.subitemValueRequest(i, j, k);
            }
        }
    }
    menu.changedCommandMenuData();
    for (const QByteArray& write : qAsConst(session.writes))
        FUZZ_CHECK(fuzz::wellFormedWrite(write));
    return 0;
}
