#pragma once

#include "pages/care/OneClickControls.h"
#include "pages/care/OneClickLayout.h"

#include <QPointer>
#include <QString>

#include <map>
#include <memory>
#include <string>

class QAbstractItemModel;
class QPropertyAnimation;
class QWidget;

namespace Ui {
class StatusInterface;
}
namespace qengine {
class DataFiller;
}

namespace qpages {

// The dashboard's details view and box layout: the four boxes stacked under the title strip,
// their columns aligned with the strip's captions, and the details of one module, for which
// its box slides to the top slot, the others leave by the left edge and the module's tree or
// table rises from below. Main thread only.
class OneClickDetails {
public:
    static constexpr int kSlideMs = 250;

    OneClickDetails(QWidget& page, Ui::StatusInterface& ui,
                    const std::array<OneClickControls, 4>& controls, qengine::DataFiller& engine,
                    QString titleHeader, QString sizeHeader);
    ~OneClickDetails();
    OneClickDetails(const OneClickDetails&) = delete;
    OneClickDetails& operator=(const OneClickDetails&) = delete;

    // Records the home frames and parks the details box below the view.
    void placeAtLoad();
    // Opens the details of the module at `position` (1 to 4) from the home layout, or goes
    // back home when a details view is open.
    void toggle(int position);
    // Back home when a details view is open.
    void close(bool animate);
    // Empties the details; a shown view goes home with both lists hidden.
    void clear();
    void restoreViewsWithAnimation(bool animate);
    void setFrames();
    // The view's size changed.
    void relayout();

    bool flagFrame() const { return flagFrame_; }
    const std::string& activityName() const { return activityName_; }
    bool makeDetailsEmpty() const { return makeDetailsEmpty_; }
    int animationFrameIndex() const { return animationFrameIndex_; }
    QAbstractItemModel* model() const { return model_.get(); }
    const OneClickLayout& layout() const { return layout_; }

private:
    qui::PointRect frameOf(QWidget* widget) const;
    OneClickLayout::Boxes boxFrames() const;
    void slide(QWidget* widget, const qui::PointRect& frame, bool animate);
    // A slide still on its way counts as arrived, so frames read next are where boxes rest.
    void finishSlides();
    void alignColumns();
    void performPreShiftActions();
    void performPostShiftActions();
    void loadDetails();

    QWidget& page_;
    Ui::StatusInterface& ui_;
    const std::array<OneClickControls, 4>& controls_;
    qengine::DataFiller& engine_;
    QString titleHeader_;
    QString sizeHeader_;
    OneClickLayout layout_;
    std::map<QWidget*, QPointer<QPropertyAnimation>> slides_;
    std::unique_ptr<QAbstractItemModel> model_;
    std::string activityName_;
    bool makeDetailsEmpty_ = true;
    bool flagFrame_ = true;
    int animationFrameIndex_ = 0;
};

} // namespace qpages
