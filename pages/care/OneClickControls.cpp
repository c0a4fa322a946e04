#include "pages/care/OneClickControls.h"

#include "ui_Status.h"

namespace qpages {

std::array<OneClickControls, 4> OneClickControls::of(Ui::StatusInterface& ui) {
    return {{
        {ui.buttonCache,
         ui.boxCache,
         ui.imgCache,
         ui.linkCache,
         ui.textCacheDesc,
         ui.textCacheItems,
         ui.textCacheSize,
         ui.lblValSysCleanSize,
         ui.levelBarCache,
         {ui.lowCache, ui.medCache, ui.highCache},
         ui.boxRatingCache,
         ui.progressCache,
         ui.detailsCache},
        {ui.buttonLogs,
         ui.boxLogs,
         ui.imgLogs,
         ui.linkLogs,
         ui.textLogsDesc,
         ui.textLogsItems,
         ui.textLogsSize,
         ui.lblValLogsSize,
         ui.levelBarLogs,
         {ui.lowLogs, ui.medLogs, ui.highLogs},
         ui.boxRatingLogs,
         ui.progressLogs,
         ui.detailsLogs},
        {ui.buttonBin,
         ui.boxBin,
         ui.imgBin,
         ui.linkBin,
         ui.textBinDesc,
         ui.textBinItems,
         ui.textBinSize,
         ui.lblValBinSize,
         ui.levelBarBin,
         {ui.lowBin, ui.medBin, ui.highBin},
         ui.boxRatingBin,
         ui.progressBin,
         ui.detailsBin},
        {ui.buttonLang,
         ui.boxLang,
         ui.imgLang,
         ui.linkLang,
         ui.textLangDesc,
         ui.textLangItems,
         ui.textLangSize,
         ui.lblValLangsSize,
         ui.levelBarLang,
         {ui.lowLang, ui.medLang, ui.highLang},
         ui.boxRatingLang,
         ui.progressLang,
         ui.detailsLang},
    }};
}

} // namespace qpages
