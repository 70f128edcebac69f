// A seeded random mutator for the QIF reader and stager: starts from the small
// hand-written files, mutates them (bytes, lines, splices, codes, dates, amounts) and
// stages every result. A crash ends the program (with the input saved), an input
// that takes longer than a second counts as a hang, and inputs never grow past a
// fixed size, so memory stays bounded.
//   fuzz_qif <corpus folder> <seconds> [seed] [failure folder]
#include "core/exchange/qifstaging.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <cstdio>

namespace {

constexpr qsizetype MaxInput = 64 * 1024;
constexpr qint64 HangMs = 1000;

const QByteArray Pieces[] = {
    "!Type:Bank\n", "!Type:Cash\n", "!Type:CCard\n", "!Type:Oth A\n", "!Type:Oth L\n", "!Type:Invst\n",
    "!Account\n", "!Type:Cat\n", "!Option:AutoSwitch\n", "!Clear:AutoSwitch\n", "^\n", "^", "\r\n", "\n",
    "D1/2'04\n", "D13/1/2004\n", "D2004-02-30\n", "D1.2.2004\n", "D 1/ 2' 3\n", "D/'\n", "D99/99/99\n",
    "T1,234.56\n", "T-0.5\n", "T\n", "T99999999999999999999\n", "T--1\n", "CX\n", "C*\n",
    "PPayee\n", "P\n", "L[Other]\n", "L[\n", "L]\n", "L[Bank]\n", "LFood/Class\n", "MMemo\n", "NName\n",
    "S[Split]\n", "$12\n", "E\n", "POpening Balance\n", "\xef\xbb\xbf", "\xe9", "\xc3\xa9", "\xff\xfe", "\0",
};

QByteArray mutate(QByteArray input, QRandomGenerator &random, const QList<QByteArray> &corpus)
{
    const int steps = 1 + int(random.bounded(8));
    for (int s = 0; s < steps; ++s) {
        const qsizetype at = input.isEmpty() ? 0 : qsizetype(random.bounded(quint32(input.size() + 1)));
        switch (random.bounded(7)) {
        case 0: // flip a byte
            if (!input.isEmpty())
                input[qMin(at, input.size() - 1)] = char(random.bounded(256));
            break;
        case 1: // insert a known piece
            input.insert(at, Pieces[random.bounded(int(std::size(Pieces)))]);
            break;
        case 2: // delete a run
            input.remove(at, qsizetype(random.bounded(32)));
            break;
        case 3: { // duplicate a run
            const QByteArray run = input.mid(at, qsizetype(random.bounded(256)));
            input.insert(qsizetype(random.bounded(quint32(input.size() + 1))), run);
            break;
        }
        case 4: { // splice in part of another file
            const QByteArray &other = corpus[random.bounded(int(corpus.size()))];
            const qsizetype from = qsizetype(random.bounded(quint32(other.size() + 1)));
            input.insert(at, other.mid(from, qsizetype(random.bounded(512))));
            break;
        }
        case 5: // random bytes
            for (int i = int(random.bounded(16)); i > 0; --i)
                input.insert(qMin(at, input.size()), char(random.bounded(256)));
            break;
        default: // cut the end
            input.truncate(at);
            break;
        }
        if (input.size() > MaxInput)
            input.truncate(MaxInput);
    }
    return input;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: fuzz_qif <corpus folder> <seconds> [seed] [failure folder]\n");
        return 2;
    }
    const QDir corpusDir(QString::fromLocal8Bit(argv[1]));
    const qint64 seconds = QByteArray(argv[2]).toLongLong();
    const quint32 seed = argc > 3 ? QByteArray(argv[3]).toUInt() : 1;
    const QString failures = argc > 4 ? QString::fromLocal8Bit(argv[4]) : QDir::tempPath();

    QList<QByteArray> corpus;
    for (const QString &name : corpusDir.entryList({QStringLiteral("*.qif")}, QDir::Files, QDir::Name)) {
        QFile file(corpusDir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            corpus.append(file.readAll());
    }
    if (corpus.isEmpty()) {
        std::fprintf(stderr, "fuzz_qif: no *.qif files in %s\n", argv[1]);
        return 2;
    }

    QRandomGenerator random(seed);
    QElapsedTimer total;
    total.start();
    qint64 runs = 0, staged = 0, refused = 0;
    const QString current = QDir(failures).filePath(QStringLiteral("fuzz_qif-current.qif"));
    while (total.elapsed() < seconds * 1000) {
        const QByteArray input = mutate(corpus[random.bounded(int(corpus.size()))], random, corpus);
        // Kept on disk while it runs, so a crash leaves the input behind.
        {
            QFile file(current);
            if (file.open(QIODevice::WriteOnly))
                file.write(input);
        }
        QElapsedTimer one;
        one.start();
        try {
            const QifStaging staging = StageQif(input);
            for (const QifStagedRow &row : staging.rows) {
                if (!row.date.isValid() || row.account < 0 || row.account >= staging.references.size()
                    || row.otherAccount >= staging.references.size() || row.payee >= staging.names.size()
                    || row.category >= staging.names.size()) {
                    std::fprintf(stderr, "fuzz_qif: inconsistent staging, input kept in %s\n", qPrintable(current));
                    return 1;
                }
            }
            ++staged;
        } catch (const QifError &) {
            ++refused;
        }
        if (one.elapsed() > HangMs) {
            std::fprintf(stderr, "fuzz_qif: an input took %lld ms, kept in %s\n", one.elapsed(), qPrintable(current));
            return 1;
        }
        ++runs;
        // Now and then an input that did well joins the corpus, up to a bound.
        if (corpus.size() < 256 && random.bounded(64) == 0)
            corpus.append(input);
    }
    QFile::remove(current);
    std::printf("fuzz_qif: %lld inputs in %lld s (seed %u): %lld staged, %lld refused with a line number; no crash, no hang\n",
                runs, seconds, seed, staged, refused);
    return 0;
}
