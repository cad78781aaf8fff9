#include "data/Library.h"
#include "fakes/TestLibrary.h"
#include "numerology/LuckRules.h"

#include <QSet>
#include <QTest>

using namespace tolvane;

namespace {

// The luck class of each of the 81 numbers, as the naming rules judge them.
QString luckFlag(int n)
{
    static const QSet<int> full{1,  3,  5,  6,  7,  11, 13, 15, 16, 21, 23, 24, 29, 31, 32,
                                33, 35, 37, 41, 45, 47, 48, 52, 57, 61, 63, 65, 67, 68, 81};
    static const QSet<int> half{8, 17, 18, 25, 30, 36, 38, 39, 49, 50, 51, 55, 58, 71, 72, 73, 77};
    if (full.contains(n))
        return QStringLiteral("吉");
    if (half.contains(n))
        return QStringLiteral("半吉");
    return QStringLiteral("凶");
}

} // namespace

class TestLibraryTexts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void companyMeaningsAreCompleteAndAgreeWithTheLuckClasses();
    void personMeaningsAgreeWithTheLuckClasses();
    void sancaiAndPairFlagsAgreeWithTheLists();
};

void TestLibraryTexts::companyMeaningsAreCompleteAndAgreeWithTheLuckClasses()
{
    NameDatabase db = Library(TestLibrary::realDatabasePath()).open({DbTable::Corp81});
    QVERIFY(!db.failure());
    QSet<QString> seen;
    for (int n = 1; n <= 81; ++n) {
        const std::optional<MeaningRow> row = db.numberMeaning(DbTable::Corp81, n).row;
        QVERIFY2(row, qPrintable(QStringLiteral("no company meaning for %1").arg(n)));
        QCOMPARE(row->flag, luckFlag(n));
        QVERIFY2(row->meaning.size() >= 40 && row->meaning.size() <= 150, qPrintable(QString::number(n)));
        QVERIFY(row->meaning.endsWith(QStringLiteral("。")));
        QVERIFY(!row->meaning.contains(QLatin1Char('\t')));
        QVERIFY2(!seen.contains(row->meaning), qPrintable(QString::number(n)));
        seen.insert(row->meaning);
    }
    QVERIFY(!db.numberMeaning(DbTable::Corp81, 0).row);
    QVERIFY(!db.numberMeaning(DbTable::Corp81, 82).row);
}

void TestLibraryTexts::personMeaningsAgreeWithTheLuckClasses()
{
    NameDatabase db = Library(TestLibrary::realDatabasePath()).open({DbTable::Man81});
    QVERIFY(!db.failure());
    for (int n = 1; n <= 81; ++n) {
        const std::optional<MeaningRow> row = db.numberMeaning(DbTable::Man81, n).row;
        QVERIFY2(row, qPrintable(QString::number(n)));
        QCOMPARE(row->flag, luckFlag(n));
        QVERIFY(row->meaning.size() >= 40 && row->meaning.size() <= 150);
    }
}

void TestLibraryTexts::sancaiAndPairFlagsAgreeWithTheLists()
{
    NameDatabase db = Library(TestLibrary::realDatabasePath()).open({DbTable::Sancai, DbTable::WrGe});
    QVERIFY(!db.failure());
    const auto flag = [](bool full, bool half) {
        return full ? QStringLiteral("吉") : (half ? QStringLiteral("半吉") : QStringLiteral("凶"));
    };
    const QString elements = QStringLiteral("木火土金水");
    for (QChar a : elements) {
        for (QChar b : elements) {
            for (QChar c : elements) {
                const QString triple = QString(a) + b + c;
                const std::optional<MeaningRow> row = db.keyedMeaning(DbTable::Sancai, triple).row;
                QVERIFY2(row, qPrintable(triple));
                QCOMPARE(row->flag, flag(LuckRules::isFullSancai(triple), LuckRules::isHalfSancai(triple)));
            }
        }
    }
    const QString numerals = QStringLiteral("一二三四五六七八九十");
    for (QChar a : numerals) {
        for (QChar b : numerals) {
            const QString pair = QString(a) + b;
            const std::optional<MeaningRow> row = db.keyedMeaning(DbTable::WrGe, pair).row;
            QVERIFY2(row, qPrintable(pair));
            QCOMPARE(row->flag, flag(LuckRules::isFullPair(pair), LuckRules::isHalfPair(pair)));
        }
    }
}

QTEST_GUILESS_MAIN(TestLibraryTexts)
#include "tst_librarytexts.moc"
