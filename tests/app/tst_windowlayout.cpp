#include "app/SettingsStore.h"
#include "app/WindowLayout.h"

#include <QFile>
#include <QMap>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace tolvane;

namespace {

using Keys = QMap<QString, QString>;

const QStringList kLayoutKeys { QStringLiteral("FrameWidth"), QStringLiteral("FrameHeight"), QStringLiteral("Left"),
    QStringLiteral("Top") };

// A store in its own temporary file, never the user's.
struct Store {
    Store()
        : path(dir.filePath(QStringLiteral("TolVane.conf")))
        , store(path)
    {
    }
    explicit Store(const Keys &keys)
        : Store()
    {
        for (auto it = keys.cbegin(); it != keys.cend(); ++it)
            QVERIFY(store.write(it.key(), it.value()));
    }
    // Everything in the file, as another program reading it would see it.
    Keys contents() const
    {
        QSettings file(path, QSettings::IniFormat);
        file.beginGroup(QStringLiteral("Name"));
        Keys keys;
        for (const QString &key : file.childKeys())
            keys.insert(key, file.value(key).toString());
        return keys;
    }

    QTemporaryDir dir;
    QString path;
    SettingsStore store;
};

// 1400 x 870 pixels at 96 dpi: the kind of geometry a maximised window has.
const TwipsGeometry kMaximised { -60, -60, 21000, 13050 };
const TwipsGeometry kBefore { 300, 450, 12000, 9000 };

} // namespace

Q_DECLARE_METATYPE(Keys)
Q_DECLARE_METATYPE(TwipsGeometry)

class TestWindowLayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numberText_data();
    void numberText();
    void readNumber_data();
    void readNumber();
    void restore_data();
    void restore();
    void sectionAndApplication();
    void firstExitWritesEveryKey();
    void minimisedExitKeepsTheLayout();
    void frmflagIsWrittenOnce();
    void exitThroughTheMenuSavesTwiceToTheSameEffect();
    void secondStartOpensMaximisedAfterAMaximisedExit();
};

void TestWindowLayout::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("integral, no point") << 8000.0 << QStringLiteral("8000");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0");
    QTest::newRow("negative") << -60.0 << QStringLiteral("-60");
    QTest::newRow("a fraction") << 12345.5 << QStringLiteral("12345.5");
    QTest::newRow("single precision: seven digits") << 6977.454545 << QStringLiteral("6977.455");
    QTest::newRow("large") << 1.0e7 << QStringLiteral("1E+07");
}

void TestWindowLayout::numberText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(SettingsStore::singleText(value), text);
}

void TestWindowLayout::readNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<float>("value");
    QTest::newRow("plain") << QStringLiteral("8000") << true << 8000.0f;
    QTest::newRow("blanks around") << QStringLiteral(" 7995 ") << true << 7995.0f;
    QTest::newRow("fraction") << QStringLiteral("6977.455") << true << 6977.455f;
    QTest::newRow("exponent") << QStringLiteral("1E+07") << true << 1.0e7f;
    QTest::newRow("empty") << QString() << false << 0.0f;
    QTest::newRow("letters") << QStringLiteral("abc") << false << 0.0f;
    QTest::newRow("infinity") << QStringLiteral("inf") << false << 0.0f;
    QTest::newRow("not a number") << QStringLiteral("nan") << false << 0.0f;
}

void TestWindowLayout::readNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(float, value);
    const std::optional<float> number = SettingsStore::toSingle(text);
    QCOMPARE(number.has_value(), valid);
    if (valid)
        QCOMPARE(*number, value);
}

void TestWindowLayout::restore_data()
{
    QTest::addColumn<Keys>("stored");
    QTest::addColumn<TwipsGeometry>("expected");
    QTest::addColumn<bool>("maximized");

    const auto keys = [](std::initializer_list<std::pair<const char *, const char *>> list) {
        Keys k;
        for (const auto &[key, value] : list)
            k.insert(QString::fromLatin1(key), QString::fromLatin1(value));
        return k;
    };
    // A later start: frmflag set and a recorded maximise height no test row reaches by accident.
    const auto later = [&](std::initializer_list<std::pair<const char *, const char *>> list) {
        Keys k = keys(list);
        k.insert(QStringLiteral("frmflag"), QStringLiteral("1"));
        if (!k.contains(QStringLiteral("fHeight")))
            k.insert(QStringLiteral("fHeight"), QStringLiteral("13050"));
        return k;
    };

    QTest::newRow("first start: width 1 shows as 8000, height 8000 maximises")
        << Keys() << TwipsGeometry { 0, 0, 8000, 8000 } << true;
    QTest::newRow("stored layout comes back")
        << later({ { "FrameWidth", "12000" }, { "FrameHeight", "9000" }, { "Left", "600" }, { "Top", "300" } })
        << TwipsGeometry { 600, 300, 12000, 9000 } << false;
    QTest::newRow("left 20000 restores as 0")
        << later({ { "FrameWidth", "12000" }, { "FrameHeight", "9000" }, { "Left", "20000" }, { "Top", "300" } })
        << TwipsGeometry { 0, 300, 12000, 9000 } << false;
    QTest::newRow("width 30000 restores as 8000")
        << later({ { "FrameWidth", "30000" }, { "FrameHeight", "9000" }, { "Left", "600" }, { "Top", "300" } })
        << TwipsGeometry { 600, 300, 8000, 9000 } << false;
    QTest::newRow("height over 15000 gives 6000, shown as 6250; top over 15000 gives 0")
        << later({ { "FrameWidth", "12000" }, { "FrameHeight", "15001" }, { "Left", "600" }, { "Top", "15001" } })
        << TwipsGeometry { 600, 0, 12000, 6250 } << false;
    QTest::newRow("limits themselves are kept")
        << later({ { "FrameWidth", "25000" }, { "FrameHeight", "15000" }, { "Left", "15000" }, { "Top", "15000" } })
        << TwipsGeometry { 15000, 15000, 25000, 15000 } << false;
    QTest::newRow("negative position is kept")
        << later({ { "FrameWidth", "12000" }, { "FrameHeight", "9000" }, { "Left", "-60" }, { "Top", "-60" } })
        << TwipsGeometry { -60, -60, 12000, 9000 } << false;
    QTest::newRow("height equal to fHeight maximises")
        << later({ { "FrameWidth", "21000" }, { "FrameHeight", "13050" }, { "Left", "-60" }, { "Top", "-60" } })
        << TwipsGeometry { -60, -60, 21000, 13050 } << true;
    QTest::newRow("equal as numbers, written differently")
        << later({ { "FrameWidth", "12000" }, { "FrameHeight", "13050.0" }, { "fHeight", " 13050" } })
        << TwipsGeometry { 0, 0, 12000, 13050 } << true;
    QTest::newRow("a height under the minimum is compared as shown")
        << later({ { "FrameWidth", "12000" }, { "FrameHeight", "5000" }, { "fHeight", "5000" } })
        << TwipsGeometry { 0, 0, 12000, 6250 } << false;
    QTest::newRow("maximised and oversized: the normal size is clamped")
        << later({ { "FrameWidth", "28800" }, { "FrameHeight", "16200" }, { "fHeight", "16200" } })
        << TwipsGeometry { 0, 0, 8000, 6250 } << true;
    QTest::newRow("text that is not a number leaves the window as it was")
        << later({ { "FrameWidth", "breit" }, { "FrameHeight", "" }, { "Left", "x" }, { "Top", "1e" } }) << kBefore
        << false;
    QTest::newRow("a negative size is skipped")
        << later({ { "FrameWidth", "-9000" }, { "FrameHeight", "-1" }, { "Left", "600" }, { "Top", "300" } })
        << TwipsGeometry { 600, 300, 12000, 9000 } << false;
    QTest::newRow("fHeight that is not a number never maximises")
        << later({ { "FrameHeight", "8000" }, { "fHeight", "hoch" } }) << TwipsGeometry { 0, 0, 8000, 8000 } << false;
}

void TestWindowLayout::restore()
{
    QFETCH(Keys, stored);
    QFETCH(TwipsGeometry, expected);
    QFETCH(bool, maximized);
    Store store(stored);
    const Keys before = store.contents();
    const RestoredLayout restored = WindowLayout::restore(store.store, kBefore);
    QCOMPARE(restored.geometry.left, expected.left);
    QCOMPARE(restored.geometry.top, expected.top);
    QCOMPARE(restored.geometry.width, expected.width);
    QCOMPARE(restored.geometry.height, expected.height);
    QCOMPARE(restored.maximized, maximized);
    // Restoring only reads.
    QCOMPARE(store.contents(), before);
}

void TestWindowLayout::sectionAndApplication()
{
    Store store;
    WindowLayout::save(store.store, kBefore, false, 0);
    QFile file(store.path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    // Byte for byte what earlier versions wrote, readable by the owner only (the file holds the password).
    QCOMPARE(file.readAll(),
        QByteArray("[Name]\nFrameHeight=9000\nFrameWidth=12000\nLeft=300\nTop=450\nfHeight=9000\nfrmflag=1\n"));
    QCOMPARE(file.permissions() & ~(QFile::ReadUser | QFile::WriteUser),
        QFile::Permissions(QFile::ReadOwner | QFile::WriteOwner));
}

void TestWindowLayout::firstExitWritesEveryKey()
{
    Store store;
    const RestoredLayout restored = WindowLayout::restore(store.store, kBefore);
    QVERIFY(restored.maximized);
    QCOMPARE(restored.frmflag, 0.0f);
    WindowLayout::save(store.store, kMaximised, false, restored.frmflag);
    const Keys expected { { QStringLiteral("FrameWidth"), QStringLiteral("21000") },
        { QStringLiteral("FrameHeight"), QStringLiteral("13050") }, { QStringLiteral("Left"), QStringLiteral("-60") },
        { QStringLiteral("Top"), QStringLiteral("-60") }, { QStringLiteral("frmflag"), QStringLiteral("1") },
        { QStringLiteral("fHeight"), QStringLiteral("13050") } };
    QCOMPARE(store.contents(), expected);
}

void TestWindowLayout::minimisedExitKeepsTheLayout()
{
    const Keys stored { { QStringLiteral("FrameWidth"), QStringLiteral("12000") },
        { QStringLiteral("FrameHeight"), QStringLiteral("9000") }, { QStringLiteral("Left"), QStringLiteral("600") },
        { QStringLiteral("Top"), QStringLiteral("300") }, { QStringLiteral("frmflag"), QStringLiteral("1") },
        { QStringLiteral("fHeight"), QStringLiteral("13050") } };
    Store store(stored);
    const RestoredLayout restored = WindowLayout::restore(store.store, kBefore);
    WindowLayout::save(store.store, TwipsGeometry { 0, 0, 9000, 7000 }, true, restored.frmflag);
    QCOMPARE(store.contents(), stored);

    // A first exit while minimised still records fHeight, but not the layout.
    Store first;
    WindowLayout::save(first.store, TwipsGeometry { 0, 0, 9000, 7000 }, true, 0);
    QCOMPARE(first.contents(),
        (Keys { { QStringLiteral("frmflag"), QStringLiteral("1") },
            { QStringLiteral("fHeight"), QStringLiteral("7000") } }));
}

void TestWindowLayout::frmflagIsWrittenOnce()
{
    Store store;
    // First run: opens maximised, closed maximised.
    RestoredLayout run = WindowLayout::restore(store.store, kBefore);
    WindowLayout::save(store.store, kMaximised, false, run.frmflag);
    QCOMPARE(store.contents().value(QStringLiteral("fHeight")), QStringLiteral("13050"));

    // Second run: closed at another size; fHeight stays.
    run = WindowLayout::restore(store.store, kBefore);
    QCOMPARE(run.frmflag, 1.0f);
    WindowLayout::save(store.store, TwipsGeometry { 600, 300, 12000, 9000 }, false, run.frmflag);
    const Keys after = store.contents();
    QCOMPARE(after.value(QStringLiteral("FrameHeight")), QStringLiteral("9000"));
    QCOMPARE(after.value(QStringLiteral("fHeight")), QStringLiteral("13050"));
    QCOMPARE(after.value(QStringLiteral("frmflag")), QStringLiteral("1"));

    // The window keeps the value it read: within the first run both saves write fHeight.
    Store once;
    WindowLayout::save(once.store, kMaximised, false, 0);
    WindowLayout::save(once.store, TwipsGeometry { 0, 0, 9000, 7000 }, false, 0);
    QCOMPARE(once.contents().value(QStringLiteral("fHeight")), QStringLiteral("7000"));
}

void TestWindowLayout::exitThroughTheMenuSavesTwiceToTheSameEffect()
{
    Store single;
    Store twice;
    WindowLayout::save(single.store, kBefore, false, 0);
    WindowLayout::save(twice.store, kBefore, false, 0);
    WindowLayout::save(twice.store, kBefore, false, 0);
    QCOMPARE(twice.contents(), single.contents());
}

void TestWindowLayout::secondStartOpensMaximisedAfterAMaximisedExit()
{
    Store store;
    RestoredLayout run = WindowLayout::restore(store.store, kBefore);
    QVERIFY(run.maximized);
    WindowLayout::save(store.store, kMaximised, false, run.frmflag);
    run = WindowLayout::restore(store.store, kBefore);
    QVERIFY(run.maximized);
    // Closed at another size, the next start is not maximised; closed maximised again, it is.
    WindowLayout::save(store.store, TwipsGeometry { 600, 300, 12000, 9000 }, false, run.frmflag);
    QVERIFY(!WindowLayout::restore(store.store, kBefore).maximized);
    WindowLayout::save(store.store, kMaximised, false, 1);
    QVERIFY(WindowLayout::restore(store.store, kBefore).maximized);
}

QTEST_GUILESS_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
