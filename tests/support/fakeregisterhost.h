#pragma once

#include "core/store/ttransaction.h"
#include "ui/register/registerhost.h"

#include <QList>
#include <QPair>

// Stands in for the register grid: records what the entry panel asks of it.
class FakeRegisterHost : public RegisterHost
{
public:
    RegisterState state;
    QString account = QStringLiteral("Bank");
    QList<TTransaction> added;
    QList<TTransaction> updated;
    QList<int> removed;
    QList<QPair<int, int>> months;
    int loads = 0;
    int selects = 0;
    int refreshes = 0;
    int rows = 0;
    bool browseEnabled = true;
    int gridFocused = 0;

    RegisterState &registerState() override { return state; }
    QString currentAccountName() const override { return account; }
    void LoadRegisterGrid() override { ++loads; state.SelectedTransactionId = -1; }
    void ShowMonth(int month, int year) override { months.append({month, year}); LoadRegisterGrid(); }
    void AddRegisterRow(const TTransaction &t) override { added.append(t); ++rows; }
    void UpdateRegisterRows(const TTransaction &t) override { updated.append(t); }
    void RemoveRegisterRow(int id) override { removed.append(id); --rows; }
    void SelectCurrentRow() override { ++selects; }
    void RefreshBalances() override { ++refreshes; }
    int registerRowCount() const override { return rows; }
    void setBrowseControlsEnabled(bool enabled) override { browseEnabled = enabled; }
    void focusGrid() override { ++gridFocused; }
};
