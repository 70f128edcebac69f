#pragma once

// The register's window state, shared by the grid side and the entry panel.
enum class EntryMode { Browse, New, Edit };

struct RegisterState
{
    // Transaction shown in the entry panel and highlighted in the grid; -1 when none.
    int SelectedTransactionId = -1;
    EntryMode entryMode = EntryMode::Browse;
    // Set while the grid is being filled: no selection handling, no per-row balances.
    bool GridLoading = false;
    // The next "New Transaction" starts with today's date.
    bool TodayOnNextNew = true;

    bool isEditing() const { return entryMode != EntryMode::Browse; }
};
