#include "pages/care/PartialDownloads.h"

#include "engine/DataFiller.h"
#include "engine/ModuleKeys.h"
#include "pages/care/ResultsTableModel.h"

#include <QDateTime>
#include <QLocale>

#include "ui_PartialDownloads.h"

namespace qpages {

namespace {

ModuleViewController::Identity identity() {
    ModuleViewController::Identity id;
    id.module = qengine::modules::kPartialDownloads;
    id.lastScanWord = "Partial";
    // The scan and the clean wait at each reload until the table has been redrawn.
    id.updateHandOver = PageBase::HandOver::NoWait;
    id.reloadHandOver = PageBase::HandOver::Wait;
    id.scan = [](qengine::DataFiller& engine) { engine.fillPartialDownloads(); };
    id.clean = [](qengine::DataFiller& engine) { engine.removePartialDownloads(); };
    return id;
}

double modifiedSeconds(const qengine::ModuleRow& row) {
    const auto it = row.find(qengine::row::kMDate);
    if (it == row.end()) return 0;
    const auto date = it->second.date();
    return date ? date->secondsSince1970 : 0;
}

} // namespace

PartialDownloads::PartialDownloads(qengine::DataFiller& dataFiller, QWidget* parent)
    : ModuleViewController(dataFiller, identity(), parent) {}

PartialDownloads::~PartialDownloads() = default;

QString PartialDownloads::modifiedText(const qengine::ModuleRow& row) {
    const auto it = row.find(qengine::row::kMDate);
    if (it == row.end() || !it->second.date()) return {};
    const auto when =
        QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(modifiedSeconds(row) * 1000.0));
    return QLocale().toString(when, QLocale::ShortFormat);
}

ResultsTableModel* PartialDownloads::makeTableModel() {
    auto* model = new ResultsTableModel(dataFiller(), activityName(), this);
    auto list = ResultsTableModel::standardColumns(dataFiller());
    QString header = token("GRP_MISC_CLEANING", "ID_LAST_MODIFIED");
    header.remove(QLatin1Char(':'));
    list.push_back({columns::kModifiedDate, header,
                    [](const qengine::ModuleRow& row, int role) -> QVariant {
                        if (role == Qt::DisplayRole) return modifiedText(row);
                        return {};
                    },
                    [](const qengine::ModuleRow& a, const qengine::ModuleRow& b) {
                        return columns::threeWay(modifiedSeconds(a), modifiedSeconds(b));
                    }});
    model->setColumns(std::move(list));
    return model;
}

void PartialDownloads::loadInterface() {
    ui_ = std::make_unique<Ui::PartialDownloadsInterface>();
    ui_->setupUi(this);
}

} // namespace qpages
