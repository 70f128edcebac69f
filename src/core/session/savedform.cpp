#include "core/session/savedform.h"

#include "core/base/tillbrookerror.h"
#include "core/session/screenplacement.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <memory>

namespace {

// The value of Key when it is a whole number that passes Valid; none otherwise.
std::optional<int> readNumber(QSettings &ini, const QString &key, bool (*valid)(int))
{
    const QVariant value = ini.value(key);
    if (!value.isValid())
        return std::nullopt;
    bool isNumber = false;
    const int number = value.toString().trimmed().toInt(&isNumber);
    if (!isNumber || !valid(number))
        return std::nullopt;
    return number;
}

bool anyNumber(int) { return true; }
bool positive(int number) { return number > 0; }
bool knownState(int number) { return number >= wsNormal && number <= wsMaximized; }

} // namespace

TSavedForm::TSavedForm(PlacedWindow &form, const QString &folder)
    : SavedName(form.formName()), m_form(form), m_folder(folder)
{
}

QString TSavedForm::keyPrefix() const
{
    const QSize screen = m_form.screenSize();
    return SavedName + QString::number(screen.width()) + u'x' + QString::number(screen.height());
}

QString TSavedForm::iniFilePath() const
{
    QString folder = m_folder;
    if (!folder.isEmpty() && !folder.endsWith(u'/'))
        folder += u'/';
    return folder + IniFile;
}

namespace {

// Opens the INI file for one load or save, unless the caller gave one.
class IniForCall
{
public:
    IniForCall(QSettings *given, const QString &path)
    {
        if (given) {
            m_ini = given;
            return;
        }
        if (!QDir(QFileInfo(path).absolutePath()).exists())
            throw TillbrookError(QStringLiteral("TSavedForm: folder for ini file does not exist"));
        m_own = std::make_unique<QSettings>(path, QSettings::IniFormat);
        m_ini = m_own.get();
    }
    QSettings &operator*() const { return *m_ini; }

private:
    std::unique_ptr<QSettings> m_own;
    QSettings *m_ini = nullptr;
};

} // namespace

void TSavedForm::LoadPlacement(QSettings *given)
{
    if (OnBeforeLoad)
        OnBeforeLoad();
    {
        IniForCall opened(given, iniFilePath());
        QSettings &ini = *opened;
        ini.beginGroup(Section);
        const QString prefix = keyPrefix();

        const QRect present = m_form.currentRect();
        QRect wanted = present;
        bool sizeRead = false;
        bool positionRead = false;
        if (SavedArgs & saSize) {
            const auto width = readNumber(ini, prefix + QStringLiteral("Width"), positive);
            const auto height = readNumber(ini, prefix + QStringLiteral("Height"), positive);
            wanted.setSize(QSize(width.value_or(present.width()), height.value_or(present.height())));
            sizeRead = width || height;
        }
        if (SavedArgs & saPosition) {
            QPoint fallback = present.topLeft();
            if (CenterForm) {
                const QSize screen = m_form.screenSize();
                fallback = QPoint((screen.width() - wanted.width()) / 2, (screen.height() - wanted.height()) / 2);
            }
            const auto top = readNumber(ini, prefix + QStringLiteral("Top"), anyNumber);
            const auto left = readNumber(ini, prefix + QStringLiteral("Left"), anyNumber);
            wanted.moveTopLeft(QPoint(left.value_or(fallback.x()), top.value_or(fallback.y())));
            positionRead = top || left || CenterForm;
        }
        if (sizeRead || positionRead) {
            // Only what was stored (or corrected) is applied: a window that was never
            // placed stays where the window system puts it.
            const QRect placed = PlaceOnScreens(wanted, m_form.availableScreens());
            if (placed.size() != present.size())
                m_form.setSize(placed.size());
            if (positionRead || placed.topLeft() != wanted.topLeft())
                m_form.setPosition(placed.topLeft());
        }
        if (SavedArgs & saState) {
            if (const auto state = readNumber(ini, prefix + QStringLiteral("State"), knownState))
                m_form.setWindowState(StoredWindowState(*state));
        }
        ini.endGroup();
    }
    if (OnAfterLoad)
        OnAfterLoad();
}

void TSavedForm::SavePlacement(QSettings *given)
{
    IniForCall opened(given, iniFilePath());
    QSettings &ini = *opened;
    ini.beginGroup(Section);
    const QString prefix = keyPrefix();
    if (SavedArgs & saPosition) {
        if (const auto normal = m_form.normalPlacement()) {
            ini.setValue(prefix + QStringLiteral("Left"), normal->left());
            ini.setValue(prefix + QStringLiteral("Top"), normal->top());
        }
    }
    if (SavedArgs & saSize) {
        if (const auto normal = m_form.normalPlacement()) {
            ini.setValue(prefix + QStringLiteral("Width"), normal->width());
            ini.setValue(prefix + QStringLiteral("Height"), normal->height());
        }
    }
    if (SavedArgs & saState)
        ini.setValue(prefix + QStringLiteral("State"), int(m_form.windowState()));
    ini.endGroup();
    ini.sync();
}

void TSavedForm::LoadRequest()
{
    bool execute = true;
    if (OnLoadRequest)
        OnLoadRequest(*this, execute);
    if (execute)
        LoadPlacement();
}

void TSavedForm::SaveRequest()
{
    bool execute = true;
    if (OnSaveRequest)
        OnSaveRequest(*this, execute);
    if (execute)
        SavePlacement();
}
