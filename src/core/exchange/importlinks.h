#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The link list of an import: each account reference of the file, with its brackets,
// and the name of the data-file account it is linked to (empty until linked).
class ImportLinks
{
public:
    struct Link
    {
        QString reference;
        QString account;
    };

    ImportLinks() = default;
    explicit ImportLinks(const QStringList &references);

    const QList<Link> &links() const { return m_links; }
    QStringList references() const;

    // The account linked to the first row whose reference equals this one exactly;
    // empty when there is none.
    QString LinkedAccount(const QString &reference) const;
    // True when every row has an account, also when there are no rows.
    bool AllLinksSet() const;
    QStringList unlinkedReferences() const;

    // Links row `row` to the account; an empty account removes the link.
    void setLink(int row, const QString &account);
    // Links the row of that reference; false when the file has no such reference.
    bool setLink(const QString &reference, const QString &account);

private:
    QList<Link> m_links;
};
