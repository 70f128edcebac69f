#include "core/session/passwordhash.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QStringList>

namespace {

const QString Scheme = QStringLiteral("pbkdf2-sha256");
constexpr int SaltBytes = 16;
constexpr int DigestBytes = 32;
// Refuses stored counts that would make a check hang (a damaged or hostile file).
constexpr int MaxIterations = 10000000;

QByteArray derive(const QString &password, const QByteArray &salt, int iterations)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, password.toUtf8(), salt,
                                              iterations, DigestBytes);
}

// Compares without stopping at the first difference, so the time taken says nothing
// about how much of a guess was right.
bool sameBytes(const QByteArray &a, const QByteArray &b)
{
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

struct ParsedDigest
{
    int iterations = 0;
    QByteArray salt;
    QByteArray digest;
};

bool parse(const QString &stored, ParsedDigest &out)
{
    const QStringList parts = stored.split(u'$');
    if (parts.size() != 4 || parts[0] != Scheme)
        return false;
    bool ok = false;
    out.iterations = parts[1].toInt(&ok);
    if (!ok || out.iterations < 1 || out.iterations > MaxIterations)
        return false;
    out.salt = QByteArray::fromBase64(parts[2].toLatin1());
    out.digest = QByteArray::fromBase64(parts[3].toLatin1());
    return !out.salt.isEmpty() && out.digest.size() == DigestBytes;
}

} // namespace

QString HashFilePassword(const QString &password, int iterations)
{
    QByteArray salt(SaltBytes, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(salt.data()), SaltBytes / 4);
    return QStringList{Scheme, QString::number(iterations), QString::fromLatin1(salt.toBase64()),
                       QString::fromLatin1(derive(password, salt, iterations).toBase64())}
        .join(u'$');
}

bool IsHashedFilePassword(const QString &stored)
{
    ParsedDigest parsed;
    return parse(stored, parsed);
}

bool FilePasswordMatches(const QString &stored, const QString &typed)
{
    if (stored.isEmpty() || typed.isEmpty())
        return false;
    ParsedDigest parsed;
    if (!parse(stored, parsed))
        return sameBytes(stored.toUtf8(), typed.toUtf8());
    return sameBytes(derive(typed, parsed.salt, parsed.iterations), parsed.digest);
}
