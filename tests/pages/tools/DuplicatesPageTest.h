#pragma once

#include "tests/pages/support/PageTestSupport.h"
#include "tests/pages/tools/FinderTestSupport.h"

#include "pages/tools/DuplicateFilesController.h"

#include <QTreeView>
#include <QVBoxLayout>
#include <QWidget>

// The Duplicates Finder page in the test window, filling it as the main window's place for
// pages does; its duplicates settings go with it.
class DuplicatesPageTest : public PageTest {
protected:
    void TearDown() override {
        delete page_;
        finders::forgetDuplicatesSettings();
        PageTest::TearDown();
    }

    void showPage() {
        window_.resize(820, 560);
        auto* layout = new QVBoxLayout(&window_);
        layout->setContentsMargins(0, 0, 0, 0);
        page_ = new qpages::DuplicateFilesController(*engine_, &window_);
        layout->addWidget(page_->view());
        window_.show();
        outline_ = page_->findChild<QTreeView*>("outlineView");
    }

    QWidget window_;
    qpages::DuplicateFilesController* page_ = nullptr;
    QTreeView* outline_ = nullptr;
};
