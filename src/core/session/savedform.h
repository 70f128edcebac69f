#pragma once

#include "core/datafile/programfolder.h"

#include <QFlags>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class QSettings;

enum TSFSavedArg { saState = 0x1, saPosition = 0x2, saSize = 0x4 };
Q_DECLARE_FLAGS(TSFSavedArgs, TSFSavedArg)
Q_DECLARE_OPERATORS_FOR_FLAGS(TSFSavedArgs)

// Window states as they are stored.
enum StoredWindowState { wsNormal = 0, wsMinimized = 1, wsMaximized = 2 };

// The window a TSavedForm keeps in place, as the window system shows it. Rectangles
// are the window's normal (not maximised, not minimised) placement.
class PlacedWindow
{
public:
    virtual ~PlacedWindow() = default;

    virtual QString formName() const = 0;
    virtual QRect currentRect() const = 0;
    virtual void setSize(const QSize &size) = 0;
    virtual void setPosition(const QPoint &position) = 0;
    virtual StoredWindowState windowState() const = 0;
    virtual void setWindowState(StoredWindowState state) = 0;
    // The normal rectangle as the window system reports it; none when it cannot.
    virtual std::optional<QRect> normalPlacement() const = 0;
    // The screen's size in pixels, which the key names carry.
    virtual QSize screenSize() const = 0;
    // The available areas of the screens attached now; empty when unknown.
    virtual QList<QRect> availableScreens() const = 0;
};

// Keeps a window's position, size and state in an INI file of the settings folder,
// per screen resolution: the keys are SavedName + "<width>x<height>" + "Left", "Top",
// "Width", "Height" and "State" in Section.
class TSavedForm
{
public:
    // Folder: where IniFile lies, the settings folder (ProgramPaths::settingsFolder()).
    TSavedForm(PlacedWindow &form, const QString &folder);

    bool AutoLoad = true;
    TSFSavedArgs SavedArgs = saState | saPosition | saSize;
    QString IniFile = QLatin1String(SettingsFileName);
    QString Section = QStringLiteral("Dialog_Positions");
    QString SavedName;
    // With nothing stored, centre the window on the screen.
    bool CenterForm = false;
    // May set AExecute to false to cancel the save or the load.
    std::function<void(TSavedForm &sender, bool &AExecute)> OnSaveRequest;
    std::function<void(TSavedForm &sender, bool &AExecute)> OnLoadRequest;
    std::function<void()> OnBeforeLoad;
    std::function<void()> OnAfterLoad;

    QString keyPrefix() const;
    QString iniFilePath() const;

    // Restores what SavedArgs names; a key that is missing or not a number leaves the
    // window's present value. A placement off every screen is moved onto the nearest.
    // Without an INI object the file is opened for the call. Throws when the folder of
    // the INI file does not exist.
    void LoadPlacement(QSettings *ini = nullptr);
    // Stores what SavedArgs names; position and size only when the window system reports
    // the normal placement. Throws like LoadPlacement.
    void SavePlacement(QSettings *ini = nullptr);
    void LoadRequest();
    void SaveRequest();

private:
    PlacedWindow &m_form;
    QString m_folder;
};
