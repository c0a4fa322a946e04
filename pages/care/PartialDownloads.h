#pragma once

#include "engine/ModuleRow.h"
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

    // The downloads' last-modified dates in the user's short date and time form.
    static QString modifiedText(const qengine::ModuleRow& row);

protected:
    // The standard columns and the last-modified date.
    ResultsTableModel* makeTableModel() override;

private:
    void loadInterface() override;

    std::unique_ptr<Ui::PartialDownloadsInterface> ui_;
};

} // namespace qpages
