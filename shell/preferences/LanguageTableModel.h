#pragma once

#include "shell/preferences/PreferenceModel.h"

#include <QAbstractTableModel>

namespace qshell {

// The preferences' language table: a check column ("checkState"), then the language's name
// ("langName") and code ("langID"). Only the check column is editable; a restricted root
// language refuses the change.
class LanguageTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { CheckState, LangName, LangID, ColumnCount };

    explicit LanguageTableModel(PreferenceModel& preferences, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The rows were filled again.
    void reload();

private:
    PreferenceModel& preferences_;
};

} // namespace qshell
