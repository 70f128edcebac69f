#pragma once

// The offscreen platform, on which the tests and benchmarks run, answers every change
// of a window's size limits with "This plugin does not support propagateSizeHints()",
// one line per window, which buries their results. This drops exactly that message;
// every other message goes on to the handler that was installed before.
void DropOffscreenSizeHintWarnings();
