#pragma once

#include <QString>

// Payees and categories ("items") share one shape of table; the kind says which.
enum class ItemKind { Categories, Payees };

// Where the items of a kind are stored: the table, its identifier and its name column.
struct ItemKindTable
{
    QString table;
    QString idColumn;
    QString nameColumn;
};

const ItemKindTable &ItemTableOf(ItemKind kind);
