#pragma once

#include "pages/care/ModuleViewController.h"

#include <memory>

namespace Ui {
class PartialDownloadsInterface;
}

namespace qpages {

// The Partial Downloads page: downloads that never finished, as a flat table.
class PartialDownloads : public ModuleViewController {
    Q_OBJECT
public:
    explicit PartialDownloads(qengine::DataFiller& dataFiller, QWidget* parent = nullptr);
    ~PartialDownloads() override;

private:
    void loadInterface() override;

    std::unique_ptr<Ui::PartialDownloadsInterface> ui_;
};

} // namespace qpages
