#include "core/lists/itemkind.h"

const ItemKindTable &ItemTableOf(ItemKind kind)
{
    static const ItemKindTable payees{QStringLiteral("tbPayee"), QStringLiteral("PayeeId"),
                                      QStringLiteral("PayeeName")};
    static const ItemKindTable categories{QStringLiteral("tbCategory"), QStringLiteral("CategoryId"),
                                          QStringLiteral("CategoryDescription")};
    return kind == ItemKind::Payees ? payees : categories;
}
