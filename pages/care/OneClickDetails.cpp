#include "pages/care/OneClickDetails.h"

#include "pages/care/OneClickTally.h"
#include "pages/care/ResultsTableModel.h"
#include "pages/care/ResultsTreeModel.h"
#include "pages/care/ResultsViewLook.h"

#include "ui_Status.h"

#include <QHeaderView>
#include <QPropertyAnimation>
#include <QTableView>
#include <QTreeView>

#include <algorithm>

namespace qpages {

namespace {
// The System Cleaner and Logs Cleaner list groups in a tree; the other two rows in a table.
bool isTreeModule(std::size_t index) {
    return index < 2;
}
} // namespace

OneClickDetails::OneClickDetails(QWidget& page, Ui::StatusInterface& ui,
                                 const std::array<OneClickControls, 4>& controls,
                                 qengine::DataFiller& engine, QString titleHeader,
                                 QString sizeHeader)
    : page_(page), ui_(ui), controls_(controls), engine_(engine),
      titleHeader_(std::move(titleHeader)), sizeHeader_(std::move(sizeHeader)) {}

OneClickDetails::~OneClickDetails() = default;

qui::PointRect OneClickDetails::frameOf(QWidget* widget) const {
    return qui::fromQt(widget->geometry(), page_.height());
}

OneClickLayout::Boxes OneClickDetails::boxFrames() const {
    OneClickLayout::Boxes frames{};
    for (std::size_t i = 0; i < frames.size(); ++i)
        frames[i] = frameOf(controls_[i].box);
    return frames;
}

void OneClickDetails::placeAtLoad() {
    layout_.rehome(boxFrames(), frameOf(ui_.boxTitle), page_.width());
    ui_.boxDetails->setGeometry(
        qui::toQt(OneClickLayout::parked(frameOf(ui_.boxDetails)), page_.height()));
    layout_.setDetailsTarget(frameOf(ui_.boxDetails));
}

void OneClickDetails::slide(QWidget* widget, const qui::PointRect& frame, bool animate) {
    const QRect target = qui::toQt(frame, page_.height());
    if (auto running = slides_[widget]) running->stop();
    if (!animate) {
        widget->setGeometry(target);
        return;
    }
    auto* animation = new QPropertyAnimation(widget, "geometry", &page_);
    animation->setDuration(kSlideMs);
    animation->setEndValue(target);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    slides_[widget] = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void OneClickDetails::finishSlides() {
    for (auto& [widget, animation] : slides_) {
        if (!animation || animation->state() != QAbstractAnimation::Running) continue;
        const QRect end = animation->endValue().toRect();
        animation->stop();
        widget->setGeometry(end);
    }
}

void OneClickDetails::alignColumns() {
    const auto align = [this](auto member, int x) {
        QRect frame = (controls_[0].*member)->geometry();
        frame.moveLeft(x);
        for (const auto& c : controls_)
            (c.*member)->setGeometry(frame);
    };
    align(&OneClickControls::progress, ui_.textStatus->x() + 10);
    align(&OneClickControls::items, ui_.textIssues->x());
    align(&OneClickControls::ratingBox, ui_.textImpPot->x() - 10);
}

void OneClickDetails::setFrames() {
    const auto title = frameOf(ui_.boxTitle);
    layout_.rehome(boxFrames(), title, title.width);
    alignColumns();
}

void OneClickDetails::toggle(int position) {
    if (position < 1 || position > static_cast<int>(controls_.size())) return;
    animationFrameIndex_ = position;
    const auto index = static_cast<std::size_t>(position - 1);
    if (flagFrame_) {
        makeDetailsEmpty_ = false;
        activityName_ = OneClickTally::modules()[index];
        performPreShiftActions();
        performPostShiftActions();
        const bool tree = isTreeModule(index);
        ui_.tvAppCleanerDetails->setVisible(!tree);
        ui_.ovDetails->setVisible(tree);
        loadDetails();
    } else {
        restoreViewsWithAnimation(true);
    }
    flagFrame_ = !flagFrame_;
}

void OneClickDetails::performPreShiftActions() {
    finishSlides();
    ui_.rescanButton->hide();
    ui_.backButton->show();
    ui_.boxDetails->show();
    const auto index = static_cast<std::size_t>(animationFrameIndex_ - 1);
    layout_.open(index, boxFrames(), frameOf(ui_.boxDetails), frameOf(ui_.boxTitle), page_.width(),
                 ui_.boxFooter->height());
}

void OneClickDetails::performPostShiftActions() {
    for (std::size_t i = 0; i < controls_.size(); ++i)
        slide(controls_[i].box, layout_.target()[i], true);
    slide(ui_.boxDetails, layout_.detailsTarget(), true);
    ui_.boxDetails->raise();
    controls_[static_cast<std::size_t>(animationFrameIndex_ - 1)].box->raise();
    ui_.boxFooter->raise();
    ui_.boxAlert->raise();
}

void OneClickDetails::restoreViewsWithAnimation(bool animate) {
    ui_.rescanButton->show();
    ui_.backButton->hide();
    finishSlides();
    layout_.setDetailsHome(OneClickLayout::parked(frameOf(ui_.boxDetails)));
    setFrames();
    ui_.boxDetails->hide();
    for (std::size_t i = 0; i < controls_.size(); ++i)
        slide(controls_[i].box, layout_.home()[i], animate);
    slide(ui_.boxDetails, layout_.detailsHome(), animate);
}

void OneClickDetails::close(bool animate) {
    if (flagFrame_) return;
    restoreViewsWithAnimation(animate);
    flagFrame_ = true;
}

void OneClickDetails::clear() {
    makeDetailsEmpty_ = true;
    loadDetails();
    if (flagFrame_) return;
    ui_.ovDetails->hide();
    ui_.tvAppCleanerDetails->hide();
    close(true);
}

void OneClickDetails::loadDetails() {
    ui_.ovDetails->setModel(nullptr);
    ui_.tvAppCleanerDetails->setModel(nullptr);
    model_.reset();
    const int index = OneClickTally::indexOf(activityName_);
    if (makeDetailsEmpty_ || index < 0) return;
    // The module pages' own models; the details only show what was found, so the tick column
    // stays hidden and nothing is editable.
    // The list is what the module's details button opened, and is named after it.
    const QString name = controls_[static_cast<std::size_t>(index)].details->accessibleName();
    const auto show = [this, &name](auto model, QAbstractItemView* view, QHeaderView* header) {
        const int tick =
            std::max(model->columnIndex(columns::kCheck), model->columnIndex(columns::kState));
        const int title = model->columnIndex(columns::kTitle);
        model->setHeader(title, titleHeader_);
        model->setHeader(model->columnIndex(columns::kSize), sizeHeader_);
        model->reload();
        view->setModel(model.get());
        ResultsViewLook::apply(view, header, title);
        view->setSelectionMode(QAbstractItemView::NoSelection);
        view->setAccessibleName(name);
        if (tick >= 0) header->hideSection(tick);
        model_ = std::move(model);
    };
    if (isTreeModule(static_cast<std::size_t>(index))) {
        show(std::make_unique<ResultsTreeModel>(engine_, activityName_), ui_.ovDetails,
             ui_.ovDetails->header());
        ui_.ovDetails->expandAll();
    } else {
        show(std::make_unique<ResultsTableModel>(engine_, activityName_), ui_.tvAppCleanerDetails,
             ui_.tvAppCleanerDetails->horizontalHeader());
    }
}

void OneClickDetails::relayout() {
    ui_.boxHeader->update();
    ui_.boxAlert->update();
    alignColumns();
    const auto title = frameOf(ui_.boxTitle);
    layout_.rehome(boxFrames(), title, page_.width());
    if (!flagFrame_) {
        const auto moved = layout_.followWidthOffscreen(page_.width());
        for (std::size_t i = 0; i < controls_.size(); ++i)
            if (moved[i]) slide(controls_[i].box, layout_.target()[i], false);
        return;
    }
    layout_.parkDetails(title, page_.width(), ui_.boxFooter->height());
    slide(ui_.boxDetails, layout_.detailsTarget(), false);
}

} // namespace qpages
