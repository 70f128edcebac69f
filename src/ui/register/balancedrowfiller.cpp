#include "ui/register/balancedrowfiller.h"

#include "core/base/texthelpers.h"

#include <QByteArray>
#include <QHash>

#include <array>
#include <utility>
#include <vector>

namespace {

// Large enough that handing a batch over costs nothing next to making it, small
// enough that the rows stay in cache and the first ones reach the grid early.
constexpr size_t BatchSize = 4096;

// Appends a UTF-8 text to buffer, ASCII (the usual case) widened in place, and
// returns where it lies there.
std::pair<qsizetype, qsizetype> appendUtf8(QString &buffer, QUtf8StringView text)
{
    const qsizetype start = buffer.size();
    const auto *bytes = reinterpret_cast<const uchar *>(text.data());
    const qsizetype size = text.size();
    qsizetype ascii = 0;
    while (ascii < size && bytes[ascii] < 0x80)
        ++ascii;
    if (ascii == size) {
        buffer.resize(start + size);
        QChar *out = buffer.data() + start;
        for (qsizetype i = 0; i < size; ++i)
            out[i] = QLatin1Char(char(bytes[i]));
    } else {
        buffer += text.toString();
    }
    return {start, buffer.size() - start};
}

} // namespace

// The values of a batch's rows as the query handed them out, the texts as their
// UTF-8 bytes in one buffer: the reading thread makes no text.
class BalancedRowFiller::Batch
{
public:
    enum Text { Date, PayeeName, CategoryDescription, Note, TransferMark, Status, TextCount };
    struct Row
    {
        int id;
        int payeeId;
        int categoryId;
        Money amount;
        Money balance;
        // Text t is bytes[bounds[t], bounds[t + 1]).
        std::array<qsizetype, TextCount + 1> bounds;
    };

    Batch() { m_rows.reserve(BatchSize); }

    void add(const TransactionRowCells &cells, Money balance)
    {
        const QUtf8StringView texts[TextCount] = {cells.TransactionDate, cells.PayeeName,
                                                  cells.CategoryDescription, cells.strNote,
                                                  cells.InternalDescription, cells.Status};
        Row row{cells.TransactionID, cells.PayeeId, cells.CategoryId, cells.Amount, balance, {}};
        row.bounds[0] = m_bytes.size();
        for (int t = 0; t < TextCount; ++t) {
            if (!texts[t].isEmpty())
                m_bytes.append(texts[t].data(), texts[t].size());
            row.bounds[t + 1] = m_bytes.size();
        }
        m_rows.push_back(row);
    }
    bool isEmpty() const { return m_rows.empty(); }
    bool isFull() const { return m_rows.size() >= BatchSize; }
    const std::vector<Row> &rows() const { return m_rows; }
    QUtf8StringView text(const Row &row, Text t) const
    {
        return {m_bytes.constData() + row.bounds[t], row.bounds[t + 1] - row.bounds[t]};
    }

private:
    std::vector<Row> m_rows;
    QByteArray m_bytes;
};

// Makes the texts of a batch's rows on the batch's thread: each payee and category
// name once for its identifier, the other texts into one buffer reused row by row.
class BalancedRowFiller::Formatter
{
public:
    Formatter(ColumnWidthScan widths, int digits) : m_widths(std::move(widths)), m_digits(digits) {}

    QList<QString> texts(const Batch &batch)
    {
        QList<QString> texts;
        texts.reserve(qsizetype(batch.rows().size()));
        for (const Batch::Row &row : batch.rows()) {
            m_buffer.resize(0);
            const auto note = appendUtf8(m_buffer, batch.text(row, Batch::Note));
            const auto mark = appendUtf8(m_buffer, batch.text(row, Batch::TransferMark));
            const auto status = appendUtf8(m_buffer, batch.text(row, Batch::Status));
            const QStringView buffer(m_buffer);
            RegisterGrid::BalancedRow cells;
            cells.TransactionID = row.id;
            cells.TransactionDate = FromStoredDate(batch.text(row, Batch::Date));
            cells.PayeeName = name(m_payees, row.payeeId, batch.text(row, Batch::PayeeName));
            cells.CategoryDescription = name(m_categories, row.categoryId, batch.text(row, Batch::CategoryDescription));
            cells.strNote = buffer.sliced(note.first, note.second);
            cells.InternalDescription = buffer.sliced(mark.first, mark.second);
            cells.Status = buffer.sliced(status.first, status.second);
            cells.Amount = row.amount;
            cells.balance = row.balance;
            texts.append(RegisterGrid::BalancedRowText(cells, m_digits, m_widths));
        }
        return texts;
    }
    const ColumnWidthScan &widths() const { return m_widths; }

private:
    // The join gives one name for each identifier.
    static QStringView name(QHash<int, QString> &names, int id, QUtf8StringView bytes)
    {
        auto it = names.find(id);
        if (it == names.end())
            it = names.insert(id, bytes.toString());
        return *it;
    }

    ColumnWidthScan m_widths;
    int m_digits;
    QHash<int, QString> m_payees;
    QHash<int, QString> m_categories;
    QString m_buffer;
};

BalancedRowFiller::BalancedRowFiller(RegisterGrid &grid, int digits)
    : m_grid(grid), m_batch(std::make_unique<Batch>()),
      m_formatter(std::make_unique<Formatter>(grid.NewWidthScan(), digits))
{
}

BalancedRowFiller::~BalancedRowFiller()
{
    if (m_pending.valid())
        m_pending.wait();
}

void BalancedRowFiller::add(const TransactionRowCells &row, Money balance)
{
    m_batch->add(row, balance);
    if (m_batch->isFull())
        startBatch();
}

void BalancedRowFiller::finish()
{
    startBatch();
    appendPending();
}

const ColumnWidthScan &BalancedRowFiller::widths() const
{
    return m_formatter->widths();
}

void BalancedRowFiller::startBatch()
{
    if (m_batch->isEmpty())
        return;
    appendPending();
    m_pending = std::async(std::launch::async, [batch = std::move(m_batch), formatter = m_formatter.get()] {
        return formatter->texts(*batch);
    });
    m_batch = std::make_unique<Batch>();
}

void BalancedRowFiller::appendPending()
{
    if (m_pending.valid())
        m_grid.AppendRowTexts(m_pending.get());
}
