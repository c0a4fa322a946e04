#include "toolkit/PNLineChartDataItem.h"

namespace qtk {

PNLineChartDataItem PNLineChartDataItem::dataItemWithY(double y) {
    return PNLineChartDataItem(y);
}

} // namespace qtk
