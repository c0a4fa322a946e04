#include "shell/views/SidebarView.h"

#include "engine/DataFiller.h"
#include "platform/core/Bundle.h"
#include "platform/core/FileManager.h"
#include "platform/ui/Fonts.h"
#include "toolkit/ImageAndTextCell.h"
#include "toolkit/NSOutlineView_NEW.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStandardItemModel>

namespace qshell {

namespace {

std::string iconPath(const std::string& moduleName) {
    const std::string path = qcore::Bundle::main().imagePath(moduleName + ".png");
    return qcore::FileManager::exists(path) ? path : std::string();
}

} // namespace

SidebarView::SidebarView(qtk::NSOutlineView_NEW& outline, const qengine::DataFiller& engine,
                         OutcomeHandler onOutcome)
    : QObject(&outline), outline_(outline), onOutcome_(std::move(onOutcome)),
      tree_(std::make_unique<SidebarTree>(TextSource::fromEngine(engine), iconPath)),
      selection_(std::make_unique<SidebarSelection>(*tree_)) {
    setUpCell(engine);
    building_ = true;
    outline_.hide();
    buildModel(engine);
    building_ = false;
    outline_.clearSelection();
    outline_.show();
    outline_.verticalScrollBar()->setValue(0);
    outline_.scrollToTop();
    outline_.viewport()->installEventFilter(this);
    outline_.installEventFilter(this);
    selectRow(SidebarTree::kSystemStatus);
}

SidebarView::~SidebarView() = default;

void SidebarView::setUpCell(const qengine::DataFiller& engine) {
    cell_ = new qtk::ImageAndTextCell(&outline_);
    cell_->setTextColor(Qt::black);
    if (const qcore::Value offset = engine.getStaticValueForKey("OVTextOriginYOffset");
        !offset.isNull())
        cell_->setTextOriginYOffset(static_cast<int>(offset.toInt()));
    if (const qcore::Value size = engine.getStaticValueForKey("mainOVFontSize"); !size.isNull())
        cell_->setFont(qui::labelFont(static_cast<double>(size.toInt())));
    outline_.setItemDelegate(cell_);
}

void SidebarView::buildModel(const qengine::DataFiller& engine) {
    model_ = new QStandardItemModel(&outline_);
    const auto layout = [&engine](const std::string& key) {
        return engine.getStaticValueForKey(key);
    };
    const auto makeItem = [&](const BaseNode::Ptr& node) {
        auto* item = new QStandardItem(QString::fromStdString(node->nodeTitle()));
        const int row = tree_->rowOf(node.get());
        item->setData(row, kRowRole);
        item->setData(QSize(0, static_cast<int>(tree_->rowHeight(row, layout))), Qt::SizeHintRole);
        if (!node->nodeIcon().empty())
            item->setData(QPixmap(QString::fromStdString(node->nodeIcon())), Qt::DecorationRole);
        item->setData(node->isDraggable(), qtk::ImageAndTextCell::DraggableRole);
        item->setEditable(false);
        return item;
    };
    for (const BaseNode::Ptr& section : tree_->contents()) {
        QStandardItem* sectionItem = makeItem(section);
        for (const BaseNode::Ptr& child : section->children())
            sectionItem->appendRow(makeItem(child));
        model_->appendRow(sectionItem);
    }
    outline_.setIndentation(0);
    outline_.setUniformRowHeights(false);
    outline_.setSelectionMode(QAbstractItemView::SingleSelection);
    outline_.setEditTriggers(QAbstractItemView::NoEditTriggers);
    outline_.setModel(model_);
    outline_.expandAll();
    connect(outline_.selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SidebarView::selectionDidChange);
}

QModelIndex SidebarView::indexOfRow(int row) const {
    const QModelIndexList found =
        model_->match(model_->index(0, 0), kRowRole, row, 1, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? QModelIndex() : found.first();
}

void SidebarView::selectRow(int row) {
    const QModelIndex index = indexOfRow(row);
    if (!index.isValid()) return;
    outline_.selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
}

std::vector<int> SidebarView::selectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : outline_.selectionModel()->selectedIndexes())
        rows.push_back(index.data(kRowRole).toInt());
    return rows;
}

int SidebarView::selectedRow() const {
    const std::vector<int> rows = selectedRows();
    return rows.size() == 1 ? rows.front() : -1;
}

int SidebarView::rowAt(const QPoint& viewportPoint) const {
    const QModelIndex index = outline_.indexAt(viewportPoint);
    return index.isValid() ? index.data(kRowRole).toInt() : -1;
}

void SidebarView::selectionDidChange() {
    const SidebarSelection::Outcome outcome =
        selection_->selectionChanged(selectedRows(), building_);
    if (onOutcome_) onOutcome_(outcome);
}

bool SidebarView::moveSelection(int step) {
    for (int row = selectedRow() + step; row >= 0 && row < tree_->rowCount(); row += step) {
        if (!tree_->shouldSelectRow(row)) continue;
        selectRow(row);
        break;
    }
    return true;
}

bool SidebarView::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        if (watched != outline_.viewport()) break;
        // A heading, a spacer or the empty area below the rows keeps the selection.
        return !tree_->shouldSelectRow(
            rowAt(static_cast<QMouseEvent*>(event)->position().toPoint()));
    case QEvent::KeyPress: {
        if (watched != &outline_) break;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up) return moveSelection(-1);
        if (key == Qt::Key_Down) return moveSelection(1);
        // Other moves could land on a heading.
        return key == Qt::Key_Home || key == Qt::Key_End || key == Qt::Key_PageUp ||
               key == Qt::Key_PageDown;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace qshell
