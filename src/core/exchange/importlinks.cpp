#include "core/exchange/importlinks.h"

ImportLinks::ImportLinks(const QStringList &references)
{
    for (const QString &reference : references)
        m_links.append({reference, QString()});
}

QStringList ImportLinks::references() const
{
    QStringList result;
    for (const Link &link : m_links)
        result.append(link.reference);
    return result;
}

QString ImportLinks::LinkedAccount(const QString &reference) const
{
    for (const Link &link : m_links) {
        if (link.reference == reference)
            return link.account;
    }
    return QString();
}

bool ImportLinks::AllLinksSet() const
{
    return unlinkedReferences().isEmpty();
}

QStringList ImportLinks::unlinkedReferences() const
{
    QStringList result;
    for (const Link &link : m_links) {
        if (link.account.isEmpty())
            result.append(link.reference);
    }
    return result;
}

void ImportLinks::setLink(int row, const QString &account)
{
    if (row >= 0 && row < m_links.size())
        m_links[row].account = account;
}

bool ImportLinks::setLink(const QString &reference, const QString &account)
{
    for (Link &link : m_links) {
        if (link.reference == reference) {
            link.account = account;
            return true;
        }
    }
    return false;
}
