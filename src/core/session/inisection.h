#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <optional>

// One section of an INI file read the way a registry key is read: its values by name,
// in the order the file lists them. Other sections of the file are left as they are.
struct IniValue
{
    QString name;
    QString value;
};

// The values of Section (its name matched without regard to case); none when the
// file cannot be read or has no such section.
std::optional<QList<IniValue>> ReadIniSection(const QString &path, const QString &section);

// Writes Section with Values after the values for which Keep(name) is true, keeping
// every other section; makes the folder and file when missing. False when the file
// could not be written (the file on disk is then unchanged). Values holding a line
// break cannot be kept in this form and are refused (false, nothing written).
bool WriteIniSection(const QString &path, const QString &section, const QList<IniValue> &values,
                     const std::function<bool(const QString &name)> &keep);
