#include "app/Dispatcher.h"
#include "app/HeadlessView.h"
#include "app/StartupSequence.h"
#include "app/StartupText.h"
#include "app/TextPane.h"
#include "fakes/FakePrompter.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace tolvane;
using namespace Qt::StringLiterals;

namespace {

// The words each passage's paragraphs open with, passage by passage.
const QList<QStringList> kSubjects{
    {u"真与假"_s},
    {u"端与曲"_s, u"阴与阳"_s},
    {u"是与非"_s},
    {u"偏与正"_s},
    {u"半与满"_s},
    {u"大与小"_s, u"难与易"_s},
    {u"与人为善"_s, u"敬爱存心"_s},
    {u"成人之美"_s, u"劝人为善"_s},
    {u"救人危急"_s, u"兴建大利"_s, u"舍财作福"_s},
    {u"护持佛法"_s, u"敬重尊长"_s, u"爱惜物命"_s},
};

const QString kExcerptLine = u"以下文字摘自《了凡四训》，欲看全文请点击菜单“造命篇”里的“了凡四训”。"_s;

} // namespace

class TstStartupText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void passageByMinute_data();
    void passageByMinute();
    void passagesAreParagraphsOnTheirSubjects_data();
    void passagesAreParagraphsOnTheirSubjects();
    void passagesDiffer();
    void startupFillsThePane_data();
    void startupFillsThePane();
};

void TstStartupText::passageByMinute_data()
{
    QTest::addColumn<int>("minute");
    QTest::addColumn<int>("passage");
    QTest::newRow("minute 0") << 0 << 0;
    QTest::newRow("minute 10") << 10 << 0;
    QTest::newRow("minute 20") << 20 << 0;
    QTest::newRow("minute 50") << 50 << 0;
    QTest::newRow("minute 9") << 9 << 9;
    QTest::newRow("minute 59") << 59 << 9;
    QTest::newRow("minute 33") << 33 << 3;
}

void TstStartupText::passageByMinute()
{
    QFETCH(int, minute);
    QFETCH(int, passage);
    const QString text = StartupText::build([minute] { return QTime(14, minute, 30); });
    QCOMPARE(text, kExcerptLine + u"\r\n\r\n"_s + StartupText::passage(passage));
    QVERIFY(text.mid(kExcerptLine.size() + 4).startsWith(u"    "_s + kSubjects.at(passage).constFirst()));
}

void TstStartupText::passagesAreParagraphsOnTheirSubjects_data()
{
    QTest::addColumn<int>("k");
    for (int k = 0; k < StartupText::kPassageCount; ++k)
        QTest::addRow("passage %d", k) << k;
}

void TstStartupText::passagesAreParagraphsOnTheirSubjects()
{
    QFETCH(int, k);
    const QString passage = StartupText::passage(k);
    QVERIFY2(passage.size() >= 300, qPrintable(u"%1 characters"_s.arg(passage.size())));
    QVERIFY(passage.endsWith(u"\r\n"_s));
    QStringList paragraphs = passage.split(u"\r\n"_s);
    QCOMPARE(paragraphs.takeLast(), QString());
    for (const QString &p : std::as_const(paragraphs)) {
        QVERIFY2(p.startsWith(u"    "_s) && p.at(4) != u' ', qPrintable(p.left(10)));
        QVERIFY2(!p.contains(u'\n') && !p.contains(u'\r'), "line break inside a paragraph");
    }
    // Every subject of the passage opens one of its paragraphs, in order.
    qsizetype next = 0;
    for (const QString &subject : kSubjects.at(k)) {
        while (next < paragraphs.size() && !paragraphs.at(next).mid(4).startsWith(subject))
            ++next;
        QVERIFY2(next < paragraphs.size(), qPrintable(subject));
        ++next;
    }
}

void TstStartupText::passagesDiffer()
{
    QSet<QString> seen;
    for (int k = 0; k < StartupText::kPassageCount; ++k)
        seen.insert(StartupText::passage(k));
    QCOMPARE(seen.size(), qsizetype(StartupText::kPassageCount));
    QVERIFY(StartupText::passage(10).isEmpty());
}

void TstStartupText::startupFillsThePane_data()
{
    QTest::addColumn<int>("minute");
    QTest::newRow("minute 0") << 0;
    QTest::newRow("minute 10") << 10;
    QTest::newRow("minute 59") << 59;
}

void TstStartupText::startupFillsThePane()
{
    QFETCH(int, minute);
    QTemporaryDir dir;
    TextPane pane;
    HeadlessView view;
    FakePrompter prompter;
    Dispatcher dispatcher(AppPaths(dir.path()), pane, view, prompter);
    StartupSequence::run(dispatcher, view, [minute] { return QTime(8, minute); });
    // The excerpt line, an empty line, then passage minute mod 10, opening with its first subject.
    const QString text = pane.text();
    QVERIFY(text.startsWith(kExcerptLine + u"\r\n\r\n    "_s + kSubjects.at(minute % 10).constFirst()));
    QVERIFY(text.size() > kExcerptLine.size() + 300);
    QVERIFY(text.endsWith(u"\r\n"_s));
    QVERIFY(prompter.messages.isEmpty());
}

QTEST_GUILESS_MAIN(TstStartupText)
#include "tst_startuptext.moc"
