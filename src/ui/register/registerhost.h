#pragma once

#include "core/register/registerstate.h"

#include <QString>

struct TTransaction;

// What the entry panel asks of the register (the grid side of the main window).
class RegisterHost
{
public:
    virtual ~RegisterHost() = default;

    virtual RegisterState &registerState() = 0;
    // Text of the account box: the account the register shows.
    virtual QString currentAccountName() const = 0;
    // Reloads the shown account and month.
    virtual void LoadRegisterGrid() = 0;
    virtual void ShowMonth(int month, int year) = 0;
    virtual void AddRegisterRow(const TTransaction &transaction) = 0;
    virtual void UpdateRegisterRows(const TTransaction &transaction) = 0;
    virtual void RemoveRegisterRow(int transactionId) = 0;
    virtual void SelectCurrentRow() = 0;
    virtual void RefreshBalances() = 0;
    // Transaction rows in the grid (the header row not counted).
    virtual int registerRowCount() const = 0;
    // The grid, the account box and the month panel work only in Browse mode.
    virtual void setBrowseControlsEnabled(bool enabled) = 0;
    // Edit, Delete and the status marks act on the grid's selection: the focus goes
    // there first, when the grid can take it.
    virtual void focusGrid() = 0;
};
