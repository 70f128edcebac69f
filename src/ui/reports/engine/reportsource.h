#pragma once

#include <QStringList>

// Where a printed report takes its detail lines from. The engine calls Rewind each
// time it starts producing the report (the preview, and again when the user prints
// from it), then NextLine until it answers false, so every run prints every line.
class ReportSource
{
public:
    virtual ~ReportSource() = default;
    virtual void Rewind() = 0;
    // Fills cells with one text per column of the layout and returns true, or returns
    // false when there are no more lines.
    virtual bool NextLine(QStringList &cells) = 0;
};
