#pragma once

#include "platform/core/Value.h"

#include <QString>

class QAbstractButton;
class QWidget;

namespace qengine {
class DataFiller;
}

namespace qtk {

// Applies the layout table's per-language entries to a loaded view and fits controls to their
// texts. Controls are found by their integer "tag" property. Frames are bottom-left frames in
// points, so growing a height moves the top edge and keeps the bottom one.
class ViewFormatter {
public:
    // The engine's layout table and its system-version answer.
    explicit ViewFormatter(const qengine::DataFiller& dataFiller);
    // A layout table as the engine holds it: {"static", "components", "IMGSettings"}.
    explicit ViewFormatter(qcore::Dictionary formatListDict, bool isOSX_10_10_And_Above = true);

    // "components", then "IMGSettings".
    void updateFormattedObjectsForView(QWidget* view) const;
    void updateFormattedComponentsForView(QWidget* view) const;
    void updateFormattedIMGButtonsForView(QWidget* view) const;

    // Text fitting.
    static void updateFontForButton(QAbstractButton* button);
    static void resizeButton(QAbstractButton* button);
    static void resizeLabel(QWidget* label, bool isVertical);
    static void resizeLabel(QWidget* label, QWidget* neighbour);
    static void resizeMe(QWidget* control, int leftMargin, int rightMargin, bool isLeftAligned);
    void makeMultilingualChangesForYosemiteForLblDesc(QWidget* label) const;
    static void makeMultilingualChangesForYosemiteForLblDesc(QWidget* label,
                                                             bool isOSX_10_10_And_Above);

    // The width resizeMe() gives a control whose title is `textWidth` wide.
    static double resizeMeWidth(double textWidth, int leftMargin, int rightMargin) {
        return leftMargin + rightMargin + textWidth + 30;
    }
    // The view itself or its first descendant (depth first) whose "tag" is `tag`.
    static QWidget* viewWithTag(QWidget* view, int tag);
    // The text a label, text field or button shows.
    static QString titleOf(const QWidget* control);

    const qcore::Dictionary& formatListDict() const { return formatListDict_; }

private:
    void applyComponent(QWidget* control, const qcore::Value& entry) const;
    void applyIMGSettings(QWidget* control, const qcore::Value& entry) const;

    qcore::Dictionary formatListDict_;
    bool isOSX_10_10_And_Above_;
};

} // namespace qtk
