#pragma once

#include "pages/care/ModuleViewController.h"

#include <memory>

namespace Ui {
class CacheCleanerInterface;
}

namespace qpages {

// The System Cleaner page: user caches and the caches inside application containers, as a tree.
class CacheController : public ModuleViewController {
    Q_OBJECT
public:
    explicit CacheController(qengine::DataFiller& dataFiller, QWidget* parent = nullptr);
    ~CacheController() override;

private:
    void loadInterface() override;

    std::unique_ptr<Ui::CacheCleanerInterface> ui_;
};

} // namespace qpages
