#include "core/exchange/importcommand.h"

#include "core/base/texthelpers.h"

#include "core/base/notifier.h"
#include "core/base/tillbrookerror.h"
#include "core/datafile/programfolder.h"
#include "core/exchange/qifimport.h"
#include "core/exchange/qifstaging.h"
#include "core/session/datafileops.h"
#include "core/session/session.h"

#include <QFileInfo>
#include <QTextStream>
#include <new>
#include <optional>
#include <utility>

namespace {

// Answers the password prompt with the password given on the command line and keeps
// what would have been shown, for the one line of error output.
class CommandNotifier : public Notifier
{
public:
    explicit CommandNotifier(std::optional<QString> password) : m_password(std::move(password)) {}

    QString lastMessage;
    bool passwordAsked = false;

    bool hasPassword() const { return m_password.has_value(); }

    void showBar(const QString &text, BarKind) override { lastMessage = text.trimmed(); }
    QString showMessageDialog(const MessageDialogRequest &request) override
    {
        lastMessage = request.top.trimmed();
        return QString();
    }
    void showMessageBox(MessageBoxKind, const QString &text) override { lastMessage = text.trimmed(); }
    QString promptForPassword() override
    {
        passwordAsked = true;
        return m_password.value_or(QString());
    }
    void beep(BeepKind) override {}

private:
    std::optional<QString> m_password;
};

struct Options
{
    QString dataFile;
    QString qifFile;
    QStringList links;
    bool dryRun = false;
    bool help = false;
    std::optional<QString> password;
};

class UsageError : public TillbrookError
{
public:
    using TillbrookError::TillbrookError;
};

Options parse(const QStringList &arguments)
{
    Options options;
    QStringList positional;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        auto valueOf = [&](const QString &name) -> std::optional<QString> {
            if (argument == name) {
                if (i + 1 >= arguments.size())
                    throw UsageError(QStringLiteral("%1 needs a value").arg(name));
                return arguments[++i];
            }
            if (argument.startsWith(name + u'='))
                return argument.mid(name.size() + 1);
            return std::nullopt;
        };
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            options.help = true;
            return options;
        }
        if (argument == QLatin1String("--dry-run")) {
            options.dryRun = true;
        } else if (auto link = valueOf(QStringLiteral("--link"))) {
            options.links.append(*link);
        } else if (auto password = valueOf(QStringLiteral("--password"))) {
            options.password = *password;
        } else if (argument.startsWith(QLatin1String("--"))) {
            throw UsageError(QStringLiteral("unknown option %1").arg(argument));
        } else {
            positional.append(argument);
        }
    }
    if (positional.size() != 2)
        throw UsageError(QStringLiteral("a data file and a QIF file are needed"));
    options.dataFile = positional[0];
    options.qifFile = positional[1];
    return options;
}

// "REFERENCE=ACCOUNT": a bracketed reference ends at "]=", so it may hold "=" itself.
std::pair<QString, QString> splitLink(const QString &link)
{
    qsizetype at = -1;
    if (link.startsWith(u'[')) {
        at = link.indexOf(QLatin1String("]="));
        if (at >= 0)
            ++at;
    }
    if (at < 0)
        at = link.indexOf(u'=');
    if (at <= 0)
        throw UsageError(QStringLiteral("the link \"%1\" is not of the form REFERENCE=ACCOUNT").arg(link));
    return {link.left(at), link.mid(at + 1)};
}

void applyLinks(ImportLinks &links, const Options &options)
{
    for (const QString &link : options.links) {
        const auto [reference, account] = splitLink(link);
        if (account.isEmpty())
            throw UsageError(QStringLiteral("the link \"%1\" names no account").arg(link));
        if (links.setLink(reference, account))
            continue;
        // The brackets may be left out.
        if (!reference.startsWith(u'[') && links.setLink(u'[' + reference + u']', account))
            continue;
        throw TillbrookError(QStringLiteral("%1: the file has no account %2").arg(options.qifFile, reference));
    }
}

int run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    Options options;
    try {
        options = parse(arguments);
    } catch (const UsageError &e) {
        err << "tillbrook-import: " << e.message() << '\n' << ImportUsage << '\n';
        return ImportFailed;
    }
    if (options.help) {
        out << ImportUsage << '\n' << ImportHelp;
        return ImportDone;
    }

    CommandNotifier notifier(options.password);
    Session session(notifier, ProgramPaths::ForThisProgram());
    if (!QFileInfo(options.dataFile).isFile()) {
        err << options.dataFile << ": there is no such data file\n";
        return ImportFailed;
    }
    if (!OpenDataFile(session, options.dataFile)) {
        if (notifier.passwordAsked && !notifier.hasPassword())
            err << options.dataFile << ": the data file has a password; give it with --password\n";
        else
            err << options.dataFile << ": " << notifier.lastMessage << '\n';
        return ImportFailed;
    }

    QifStaging staging;
    try {
        const QByteArray bytes = ReadImportFile(options.qifFile);
        staging = StageQif(bytes);
    } catch (const QifError &e) {
        err << e.describe(options.qifFile) << '\n';
        return ImportFailed;
    }
    if (staging.rows.empty()) {
        err << NoTransactionsText(options.qifFile) << '\n';
        return ImportFailed;
    }

    ImportLinks links(staging.references);
    try {
        applyLinks(links, options);
    } catch (const UsageError &e) {
        err << "tillbrook-import: " << e.message() << '\n' << ImportUsage << '\n';
        return ImportFailed;
    }
    if (!links.AllLinksSet()) {
        for (const QString &reference : staging.references)
            out << reference << '\n';
        err << options.qifFile << ": every account of the file needs a link, given as --link \"REFERENCE=ACCOUNT\";"
            << " its references are listed on standard output\n";
        return ImportNeedsLinks;
    }

    try {
        const QifImportTotals totals =
            ImportQifStaging(session.MyDataModule, notifier, staging, links,
                             options.dryRun ? ImportMode::DryRun : ImportMode::Store);
        if (options.dryRun)
            out << QStringLiteral("Dry run: %1 (%2) would be imported into %3; nothing was stored")
                       .arg(CountOf(totals.transactions, QStringLiteral("transaction"), QStringLiteral("transactions")),
                            CountOf(totals.transfers, QStringLiteral("transfer"), QStringLiteral("transfers")),
                            options.dataFile)
                << '\n';
        else
            out << QStringLiteral("Imported %1 (%2) into %3")
                       .arg(CountOf(totals.transactions, QStringLiteral("transaction"), QStringLiteral("transactions")),
                            CountOf(totals.transfers, QStringLiteral("transfer"), QStringLiteral("transfers")),
                            options.dataFile)
                << '\n';
    } catch (const TillbrookError &e) {
        err << options.dataFile << ": " << e.message() << '\n';
        return ImportFailed;
    }
    session.MyDataModule.close();
    return ImportDone;
}

} // namespace

int RunImportCommand(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    try {
        return run(arguments, out, err);
    } catch (const TillbrookError &e) {
        err << e.message() << '\n';
    } catch (const std::bad_alloc &) {
        err << "tillbrook-import: out of memory\n";
    } catch (const std::exception &e) {
        err << "tillbrook-import: " << e.what() << '\n';
    }
    return ImportFailed;
}
