#include "core/base/platformmessages.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>

namespace {

QtMessageHandler previousHandler = nullptr;

void filterMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    if (previousHandler) {
        previousHandler(type, context, message);
        return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

void DropOffscreenSizeHintWarnings()
{
    const QtMessageHandler previous = qInstallMessageHandler(filterMessage);
    // Installing twice must not make the filter its own successor.
    if (previous != filterMessage)
        previousHandler = previous;
}
