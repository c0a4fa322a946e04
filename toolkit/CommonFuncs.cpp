#include "toolkit/CommonFuncs.h"

#include "platform/ui/Fonts.h"
#include "toolkit/IMGButton.h"

#include <QAbstractButton>

namespace qtk {

void CommonFuncs::changeButtonTextColor(QAbstractButton* button, const QColor& color) {
    if (!button) return;
    QPalette pal = button->palette();
    for (const auto role : {QPalette::ButtonText, QPalette::WindowText, QPalette::BrightText})
        pal.setColor(role, color);
    button->setPalette(pal);
    if (auto* image = qobject_cast<IMGButton*>(button)) {
        image->setColorOnState(color);
        image->setColorOffState(color);
    }
    button->update();
}

void CommonFuncs::setBoldFont(QWidget* control, int fontSize) {
    if (!control) return;
    QFont font = qui::labelFont(fontSize);
    font.setBold(true);
    control->setFont(font);
}

} // namespace qtk
