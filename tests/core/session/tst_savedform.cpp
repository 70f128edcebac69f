#include "core/base/tillbrookerror.h"
#include "core/session/savedform.h"
#include "core/session/screenplacement.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A window as the window system would show it, on one 1024 x 768 screen unless told.
class FakeWindow : public PlacedWindow
{
public:
    QString formName() const override { return QStringLiteral("frmFake"); }
    QRect currentRect() const override { return rect; }
    void setSize(const QSize &size) override
    {
        rect.setSize(size);
        ++sizeSets;
    }
    void setPosition(const QPoint &position) override
    {
        rect.moveTopLeft(position);
        ++positionSets;
    }
    StoredWindowState windowState() const override { return state; }
    void setWindowState(StoredWindowState newState) override { state = newState; }
    std::optional<QRect> normalPlacement() const override
    {
        if (!reportsPlacement)
            return std::nullopt;
        return rect;
    }
    QSize screenSize() const override { return screen; }
    QList<QRect> availableScreens() const override { return screens; }

    QRect rect{0, 0, 790, 565};
    StoredWindowState state = wsNormal;
    bool reportsPlacement = true;
    QSize screen{1024, 768};
    QList<QRect> screens = QList<QRect>() << QRect(0, 0, 1024, 740);
    int sizeSets = 0;
    int positionSets = 0;
};

// The main window's setting.
void setUp(TSavedForm &form)
{
    form.Section = QStringLiteral("WindowPosition");
    form.SavedName = QStringLiteral("Tillbrook");
}

QString errorOf(const std::function<void()> &body)
{
    try {
        body();
    } catch (const TillbrookError &error) {
        return error.message();
    }
    return QString();
}

} // namespace

class TestSavedForm : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
    }

    void saveWritesTheKeysOfThisResolution();
    void savedPlacementIsRestored_data();
    void savedPlacementIsRestored();
    void storedValuesThatAreNoNumbersKeepThePresentOnes_data();
    void storedValuesThatAreNoNumbersKeepThePresentOnes();
    void nothingStoredLeavesTheWindowAlone_data();
    void nothingStoredLeavesTheWindowAlone();
    void offScreenPlacementIsPulledBack_data();
    void offScreenPlacementIsPulledBack();
    void restoredOffScreenPlacementIsPulledBack();
    void unreportedPlacementWritesOnlyTheState();
    void missingFolderIsReported_data();
    void missingFolderIsReported();
    void requestsMayBeCancelled();

private:
    QString settingsPath() const { return m_dir->filePath(QStringLiteral("Settings.ini")); }
    void writeSettings(const QByteArray &text)
    {
        QFile file(settingsPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QString stored(const QString &key) const
    {
        return QSettings(settingsPath(), QSettings::IniFormat).value(key).toString();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSavedForm::saveWritesTheKeysOfThisResolution()
{
    writeSettings("[defaults]\nlast_opened_db=/home/me/a.tillbrook\n");
    FakeWindow window;
    window.rect = QRect(40, 30, 700, 500);
    window.state = wsMaximized;
    TSavedForm form(window, m_dir->path());
    QCOMPARE(form.SavedName, QStringLiteral("frmFake"));
    setUp(form);
    form.SavePlacement();

    const QStringList expected{"40", "30", "700", "500", "2"};
    const QStringList keys{"Left", "Top", "Width", "Height", "State"};
    for (int i = 0; i < keys.size(); ++i)
        QCOMPARE(stored(QStringLiteral("WindowPosition/Tillbrook1024x768") + keys[i]), expected[i]);
    QCOMPARE(stored(QStringLiteral("defaults/last_opened_db")), QStringLiteral("/home/me/a.tillbrook"));
}

void TestSavedForm::savedPlacementIsRestored_data()
{
    QTest::addColumn<QRect>("placement");
    QTest::addColumn<int>("state");

    QTest::newRow("normal") << QRect(120, 80, 640, 480) << int(wsNormal);
    QTest::newRow("maximised keeps its normal rectangle") << QRect(10, 20, 700, 500) << int(wsMaximized);
    QTest::newRow("minimised") << QRect(300, 200, 500, 400) << int(wsMinimized);
    QTest::newRow("partly off the right edge") << QRect(900, 100, 640, 480) << int(wsNormal);
}

void TestSavedForm::savedPlacementIsRestored()
{
    QFETCH(QRect, placement);
    QFETCH(int, state);

    {
        FakeWindow window;
        window.rect = placement;
        window.state = StoredWindowState(state);
        TSavedForm form(window, m_dir->path());
        setUp(form);
        form.SaveRequest();
    }
    // The next start, after the window has been given its first size.
    FakeWindow window;
    TSavedForm form(window, m_dir->path());
    setUp(form);
    form.LoadRequest();
    QCOMPARE(window.rect, placement);
    QCOMPARE(int(window.state), state);

    // Saving and loading again changes nothing.
    form.SavePlacement();
    form.LoadPlacement();
    QCOMPARE(window.rect, placement);
}

void TestSavedForm::storedValuesThatAreNoNumbersKeepThePresentOnes_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<int>("state");

    QTest::newRow("words") << QByteArray("Tillbrook1024x768Left=left\nTillbrook1024x768Top=50\n"
                                         "Tillbrook1024x768Width=wide\nTillbrook1024x768Height=400\n"
                                         "Tillbrook1024x768State=max\n")
                           << QRect(0, 50, 790, 400) << int(wsNormal);
    QTest::newRow("empty, zero and negative sizes, unknown state")
        << QByteArray("Tillbrook1024x768Left=\nTillbrook1024x768Width=0\nTillbrook1024x768Height=-5\n"
                      "Tillbrook1024x768State=7\n")
        << QRect(0, 0, 790, 565) << int(wsNormal);
    QTest::newRow("another resolution's keys") << QByteArray("Tillbrook800x600Left=10\nTillbrook800x600Width=600\n"
                                                             "Tillbrook800x600State=2\n")
                                               << QRect(0, 0, 790, 565) << int(wsNormal);
}

void TestSavedForm::storedValuesThatAreNoNumbersKeepThePresentOnes()
{
    QFETCH(QByteArray, section);
    QFETCH(QRect, rect);
    QFETCH(int, state);

    writeSettings("[WindowPosition]\n" + section);
    FakeWindow window;
    TSavedForm form(window, m_dir->path());
    setUp(form);
    form.LoadPlacement();
    QCOMPARE(window.rect, rect);
    QCOMPARE(int(window.state), state);
}

void TestSavedForm::nothingStoredLeavesTheWindowAlone_data()
{
    QTest::addColumn<bool>("centerForm");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<int>("positionSets");

    // Never moved: the window system places a window that was never placed.
    QTest::newRow("first run") << false << QRect(0, 0, 790, 565) << 0;
    QTest::newRow("centred") << true << QRect(117, 101, 790, 565) << 1;
}

void TestSavedForm::nothingStoredLeavesTheWindowAlone()
{
    QFETCH(bool, centerForm);
    QFETCH(QRect, rect);
    QFETCH(int, positionSets);

    FakeWindow window;
    TSavedForm form(window, m_dir->path());
    setUp(form);
    form.CenterForm = centerForm;
    form.LoadPlacement();
    QCOMPARE(window.rect, rect);
    QCOMPARE(window.sizeSets, 0);
    QCOMPARE(window.positionSets, positionSets);
    QCOMPARE(window.state, wsNormal);
}

void TestSavedForm::offScreenPlacementIsPulledBack_data()
{
    QTest::addColumn<QRect>("placement");
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<QRect>("placed");

    const QRect laptop(0, 0, 1366, 740);
    const QList<QRect> two{QRect(-1920, 0, 1920, 1050), laptop};

    QTest::newRow("on the screen") << QRect(100, 100, 800, 600) << QList<QRect>{laptop} << QRect(100, 100, 800, 600);
    QTest::newRow("on the second screen") << QRect(-1500, 200, 800, 600) << two << QRect(-1500, 200, 800, 600);
    QTest::newRow("a sliver still shows") << QRect(1300, 680, 800, 600) << QList<QRect>{laptop}
                                          << QRect(1300, 680, 800, 600);
    QTest::newRow("second screen unplugged") << QRect(-1500, 200, 800, 600) << QList<QRect>{laptop}
                                             << QRect(0, 140, 800, 600);
    QTest::newRow("beyond the right edge") << QRect(1400, 100, 800, 600) << QList<QRect>{laptop}
                                           << QRect(566, 100, 800, 600);
    QTest::newRow("title bar above the top") << QRect(200, -580, 800, 600) << QList<QRect>{laptop}
                                             << QRect(200, 0, 800, 600);
    QTest::newRow("below the bottom") << QRect(200, 739, 800, 600) << QList<QRect>{laptop} << QRect(200, 140, 800, 600);
    QTest::newRow("larger than the smaller screen now attached")
        << QRect(1950, 50, 1900, 1000) << QList<QRect>{laptop} << QRect(0, 0, 1366, 740);
    QTest::newRow("nearest of two screens") << QRect(-3000, 100, 400, 300) << two << QRect(-1920, 100, 400, 300);
    QTest::newRow("no screen known") << QRect(-3000, 100, 400, 300) << QList<QRect>{} << QRect(-3000, 100, 400, 300);
}

void TestSavedForm::offScreenPlacementIsPulledBack()
{
    QFETCH(QRect, placement);
    QFETCH(QList<QRect>, screens);
    QFETCH(QRect, placed);

    QCOMPARE(PlaceOnScreens(placement, screens), placed);
}

void TestSavedForm::restoredOffScreenPlacementIsPulledBack()
{
    // Stored while a second screen stood left of this one.
    writeSettings("[WindowPosition]\nTillbrook1024x768Left=-1500\nTillbrook1024x768Top=200\n"
                  "Tillbrook1024x768Width=800\nTillbrook1024x768Height=600\nTillbrook1024x768State=0\n");
    FakeWindow window;
    TSavedForm form(window, m_dir->path());
    setUp(form);
    form.LoadPlacement();
    QCOMPARE(window.rect, QRect(0, 140, 800, 600));
}

void TestSavedForm::unreportedPlacementWritesOnlyTheState()
{
    FakeWindow window;
    window.reportsPlacement = false;
    window.state = wsMaximized;
    TSavedForm form(window, m_dir->path());
    setUp(form);
    form.SavePlacement();
    QSettings ini(settingsPath(), QSettings::IniFormat);
    QCOMPARE(ini.allKeys(), QStringList{QStringLiteral("WindowPosition/Tillbrook1024x768State")});
    QCOMPARE(stored(QStringLiteral("WindowPosition/Tillbrook1024x768State")), QStringLiteral("2"));
}

void TestSavedForm::missingFolderIsReported_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("iniFile");
    QTest::addColumn<bool>("save");

    QTest::newRow("load, program folder gone") << "gone" << "Settings.ini" << false;
    QTest::newRow("save, program folder gone") << "gone" << "Settings.ini" << true;
    QTest::newRow("save, sub-folder of the file missing") << "" << "conf/Settings.ini" << true;
}

void TestSavedForm::missingFolderIsReported()
{
    QFETCH(QString, folder);
    QFETCH(QString, iniFile);
    QFETCH(bool, save);

    FakeWindow window;
    TSavedForm form(window, m_dir->filePath(folder));
    setUp(form);
    form.IniFile = iniFile;
    const QString message = errorOf([&] { save ? form.SaveRequest() : form.LoadRequest(); });
    QCOMPARE(message, QStringLiteral("TSavedForm: folder for ini file does not exist"));
    QCOMPARE(window.rect, QRect(0, 0, 790, 565));
    QVERIFY(!QFile::exists(form.iniFilePath()));
}

void TestSavedForm::requestsMayBeCancelled()
{
    writeSettings("[WindowPosition]\nTillbrook1024x768Left=10\nTillbrook1024x768Top=10\n");
    FakeWindow window;
    TSavedForm form(window, m_dir->path());
    setUp(form);
    QStringList calls;
    form.OnBeforeLoad = [&] { calls << QStringLiteral("before"); };
    form.OnAfterLoad = [&] { calls << QStringLiteral("after"); };
    form.OnLoadRequest = [&](TSavedForm &sender, bool &execute) {
        QCOMPARE(&sender, &form);
        QVERIFY(execute);
        execute = false;
    };
    form.OnSaveRequest = [&](TSavedForm &, bool &execute) { execute = false; };
    window.rect.moveTopLeft(QPoint(300, 300));
    form.LoadRequest();
    form.SaveRequest();
    QCOMPARE(window.rect.topLeft(), QPoint(300, 300));
    QCOMPARE(stored(QStringLiteral("WindowPosition/Tillbrook1024x768Left")), QStringLiteral("10"));
    QVERIFY(calls.isEmpty());

    form.OnLoadRequest = nullptr;
    form.LoadRequest();
    QCOMPARE(window.rect.topLeft(), QPoint(10, 10));
    QCOMPARE(calls, (QStringList{"before", "after"}));
}

QTEST_GUILESS_MAIN(TestSavedForm)
#include "tst_savedform.moc"
