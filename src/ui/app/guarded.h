#pragma once

#include "core/base/notices.h"
#include "core/base/tillbrookerror.h"

#include <exception>

// Every UI entry point (slot, event handler, timer) runs its body through this:
// an error that escapes is shown with the application-wide error dialog and the
// program goes on with the next event. Returns false when the body failed.
template<typename Body>
bool Guarded(Notifier &notifier, Body &&body)
{
    try {
        body();
        return true;
    } catch (const TillbrookError &error) {
        ShowErrorDialog(notifier, error.message());
    } catch (const std::exception &error) {
        ShowErrorDialog(notifier, QString::fromLocal8Bit(error.what()));
    }
    return false;
}
