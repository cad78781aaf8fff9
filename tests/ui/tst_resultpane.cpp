#include "app/AddressOpener.h"
#include "app/PaneFiles.h"
#include "app/QtTranslations.h"
#include "app/TextPane.h"
#include "fakes/TestFiles.h"
#include "fakes/TestLibrary.h"
#include "text/RtfReader.h"
#include "text/RtfWriter.h"
#include "ui/FontSetup.h"
#include "ui/MainWindow.h"
#include "ui/NewWindow.h"
#include "ui/PaneCommands.h"
#include "ui/PaneFontDialog.h"
#include "ui/ResultPaneMenus.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QFileIconProvider>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

#include <functional>

using namespace tolvane;
using namespace Qt::StringLiterals;

namespace {

// Runs answer on the next modal dialog of type T once it is up.
template <typename T>
void answerNext(std::function<void(T *)> answer)
{
    QTimer::singleShot(0, [answer] {
        auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!dialog) {
            answerNext<T>(answer);
            return;
        }
        answer(dialog);
    });
}

struct BoxSeen {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int count = 0;
};

void answerBox(BoxSeen &seen)
{
    answerNext<QMessageBox>([&seen](QMessageBox *box) {
        seen.text = box->text();
        seen.title = box->windowTitle();
        seen.icon = box->icon();
        ++seen.count;
        box->button(QMessageBox::Ok)->click();
    });
}

QString normalised(QString text)
{
    text.replace(u"\r\n"_s, u"\n"_s);
    return text;
}


QString pdfText(const QString &pdf)
{
    QProcess p;
    p.start(u"pdftotext"_s, {u"-enc"_s, u"UTF-8"_s, pdf, u"-"_s});
    if (!p.waitForFinished(60'000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TstResultPane : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void menuStateFollowsThePane();
    void pasteFollowsTheClipboard();
    void editMenuOpeningFollowsTheSelection();
    void contextMenuOnRightRelease();
    void editCommandsActOnTheFocusedControl();
    void openDialogOffersTheFilters();
    void openByFilterIndex_data();
    void openByFilterIndex();
    void cancelledOpenChangesNothing();
    void saveByFilterIndex_data();
    void saveByFilterIndex();
    void saveAndReopenKeepsFormatting();
    void fontDialogPresetAndSelection();
    void printToPdf_data();
    void printToPdf();
    void sendFailureShowsTheSystemError_data();
    void sendFailureShowsTheSystemError();
    void readingTextsReplaceThePane_data();
    void readingTextsReplaceThePane();
    void readingTextWithoutRowChangesNothing();
    void readingTextWithoutDatabase();
    void newWindowIsOneNonModalWindow();
    void newWindowResizeRule();
    void mainWindowResizeRule();
    void markedTextStoredAsShown_data();
    void markedTextStoredAsShown();
    void qtDialogsSpeakChinese();

private:
    QAction *action(const char *name) const;
    QTextEdit *pane() const;
    ResultPaneMenus *menus() const;
    void openWith(const QString &path, int filterIndex);
    void saveWith(const QString &path, int filterIndex);
    void putFormattedText();

    QTemporaryDir *m_dir = nullptr;
    MainWindow *m_window = nullptr;
};

void TstResultPane::init()
{
    FontSetup::install();
    m_dir = new QTemporaryDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir->filePath(u"config"_s));
    QVERIFY(QFile::copy(TestLibrary::realDatabasePath(), m_dir->filePath(u"namedbs.mdb"_s)));
    m_window = new MainWindow(AppPaths(m_dir->path()));
    m_window->startUp();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TstResultPane::cleanup()
{
    delete m_window;
    delete m_dir;
}

QAction *TstResultPane::action(const char *name) const
{
    return m_window->findChild<QAction *>(QString::fromLatin1(name));
}

QTextEdit *TstResultPane::pane() const
{
    return m_window->findChild<QTextEdit *>(u"RichText"_s);
}

ResultPaneMenus *TstResultPane::menus() const
{
    return m_window->findChild<ResultPaneMenus *>();
}

void TstResultPane::putFormattedText()
{
    pane()->clear();
    QTextCursor c(pane()->document());
    QTextCharFormat title;
    title.setFontFamilies({u"黑体"_s});
    title.setFontPointSize(16);
    title.setFontWeight(QFont::Bold);
    title.setForeground(QColor(0xC0, 0, 0));
    c.insertText(u"张三 姓名分析"_s, title);
    c.insertBlock();
    QTextCharFormat body;
    body.setFontFamilies({u"宋体"_s});
    body.setFontPointSize(10.5);
    c.insertText(u"天格 人格 "_s, body);
    QTextCharFormat special = body;
    special.setFontItalic(true);
    special.setFontUnderline(true);
    special.setFontStrikeOut(true);
    special.setForeground(QColor(0, 0, 0xFF));
    c.insertText(u"斜体下划线删除"_s, special);
    c.insertBlock();
    c.insertText(u"Arial 12 last line"_s, [] {
        QTextCharFormat f;
        f.setFontFamilies({u"Arial"_s});
        f.setFontPointSize(12);
        return f;
    }());
}

void TstResultPane::menuStateFollowsThePane()
{
    // The start-up text is in the pane: the items that need text are on.
    for (const char *name : {"Menu_SaveAs", "Menu_Print", "Menu_Font", "Menu_All"})
        QVERIFY2(action(name)->isEnabled(), name);
    QVERIFY(!action("Menu_Cut")->isEnabled());
    QVERIFY(!action("Menu_Copy")->isEnabled());

    pane()->clear();
    for (const char *name : {"Menu_SaveAs", "Menu_Print", "Menu_Font", "Menu_All", "Menu_Cut", "Menu_Copy"})
        QVERIFY2(!action(name)->isEnabled(), name);
    // Commands that do not depend on the pane stay available.
    for (const char *name : {"Menu_Open", "Menu_Send", "Menu_Undo"})
        QVERIFY2(action(name)->isEnabled(), name);

    pane()->setPlainText(u"一段文字"_s);
    QTextCursor c = pane()->textCursor();
    c.setPosition(0);
    c.setPosition(2, QTextCursor::KeepAnchor);
    pane()->setTextCursor(c);
    // Selecting alone changes nothing until the pane is clicked.
    QVERIFY(!action("Menu_Copy")->isEnabled());
    QTest::mouseRelease(pane()->viewport(), Qt::LeftButton, {}, QPoint(2, 2));
    // The click moved the cursor; select again by keyboard and click with the selection kept.
    pane()->setTextCursor(c);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), pane()->viewport()->mapToGlobal(QPointF(2, 2)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(pane()->viewport(), &release);
    QVERIFY(action("Menu_Cut")->isEnabled());
    QVERIFY(action("Menu_Copy")->isEnabled());
    QVERIFY(action("Menu_SaveAs")->isEnabled());
}

void TstResultPane::pasteFollowsTheClipboard()
{
    QApplication::clipboard()->setText(u"剪贴板"_s);
    pane()->setPlainText(u"x"_s);
    QVERIFY(action("Menu_Paste")->isEnabled());
    QApplication::clipboard()->clear();
    QVERIFY(action("Menu_Paste")->isEnabled()); // not until the pane changes or is clicked
    pane()->setPlainText(u"y"_s);
    QVERIFY(!action("Menu_Paste")->isEnabled());
}

void TstResultPane::editMenuOpeningFollowsTheSelection()
{
    pane()->setPlainText(u"一段文字"_s);
    QVERIFY(!action("Menu_Copy")->isEnabled());
    QTextCursor c = pane()->textCursor();
    c.select(QTextCursor::Document);
    pane()->setTextCursor(c);
    auto *edit = m_window->findChild<QMenu *>(u"Menu_Edit"_s);
    QVERIFY(edit);
    Q_EMIT edit->aboutToShow();
    QVERIFY(action("Menu_Cut")->isEnabled());
    QVERIFY(action("Menu_Copy")->isEnabled());
    c.clearSelection();
    pane()->setTextCursor(c);
    Q_EMIT edit->aboutToShow();
    QVERIFY(!action("Menu_Cut")->isEnabled());
}

void TstResultPane::contextMenuOnRightRelease()
{
    auto *edit = m_window->findChild<QMenu *>(u"Menu_Edit"_s);
    QTest::mouseRelease(pane()->viewport(), Qt::MiddleButton, {}, QPoint(20, 20));
    QVERIFY(!edit->isVisible());
    QTest::mouseRelease(pane()->viewport(), Qt::RightButton, {}, QPoint(20, 20));
    QTRY_VERIFY(edit->isVisible());
    QCOMPARE(edit->pos(), pane()->viewport()->mapToGlobal(QPoint(20, 20)));
    edit->close();
}

void TstResultPane::editCommandsActOnTheFocusedControl()
{
    pane()->setPlainText(u"甲乙"_s);
    pane()->setFocus();
    QTRY_VERIFY(pane()->hasFocus());
    action("Menu_All")->trigger();
    QCOMPARE(pane()->textCursor().selectedText(), u"甲乙"_s);
    action("Menu_Cut")->setEnabled(true);
    action("Menu_Cut")->trigger();
    QCOMPARE(pane()->toPlainText(), QString());
    QCOMPARE(QApplication::clipboard()->text(), u"甲乙"_s);
    action("Menu_Undo")->trigger();
    QCOMPARE(pane()->toPlainText(), u"甲乙"_s);

    // The same commands act on the name box when it has the focus.
    auto *name = m_window->findChild<QLineEdit *>(u"txtName"_s);
    name->setFocus();
    QTRY_VERIFY(name->hasFocus());
    action("Menu_Paste")->setEnabled(true);
    action("Menu_Paste")->trigger();
    QCOMPARE(name->text(), u"甲乙"_s);
    QCOMPARE(pane()->toPlainText(), u"甲乙"_s);
}

void TstResultPane::openWith(const QString &path, int filterIndex)
{
    answerNext<QFileDialog>([path, filterIndex](QFileDialog *dialog) {
        dialog->selectNameFilter(dialog->nameFilters().at(filterIndex - 1));
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
    });
    action("Menu_Open")->trigger();
}

void TstResultPane::saveWith(const QString &path, int filterIndex)
{
    answerNext<QFileDialog>([path, filterIndex](QFileDialog *dialog) {
        dialog->selectNameFilter(dialog->nameFilters().at(filterIndex - 1));
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
    });
    action("Menu_SaveAs")->trigger();
}

void TstResultPane::openDialogOffersTheFilters()
{
    QStringList filters;
    QString selected;
    answerNext<QFileDialog>([&](QFileDialog *dialog) {
        filters = dialog->nameFilters();
        selected = dialog->selectedNameFilter();
        dialog->reject();
    });
    action("Menu_Open")->trigger();
    QCOMPARE(filters, (QStringList{u"All Files (*.*)"_s, u"RichText Files(*.rtf)"_s, u"Text Files & (*.txt)"_s}));
    QCOMPARE(selected, u"RichText Files(*.rtf)"_s);
    QCOMPARE(PaneFiles::filterString(),
             u"All Files (*.*)|*.*|RichText Files(*.rtf)|*.rtf|Text Files & (*.txt)|*.txt"_s);
}

void TstResultPane::openByFilterIndex_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("shown"); // what the pane shows; empty: the pane keeps its text

    const QByteArray rtf = "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}\\f0\\fs28 "
                           "\\'d5\\'c5\\'c8\\'fd\\par \\b bold\\par}";
    QTest::newRow("rtf/index 2 reads RTF") << u"a.rtf"_s << rtf << 2 << u"张三\nbold"_s;
    QTest::newRow("rtf/index 1 shows the source") << u"a.rtf"_s << rtf << 1 << QString::fromLatin1(rtf);
    QTest::newRow("rtf/index 3 shows the source") << u"a.rtf"_s << rtf << 3 << QString::fromLatin1(rtf);
    QTest::newRow("text/UTF-8") << u"a.txt"_s << u"张三\r\n第二行"_s.toUtf8() << 3 << u"张三\n第二行"_s;
    QTest::newRow("text/GB18030 from an older system")
        << u"a.txt"_s << QByteArray("\xd5\xc5\xc8\xfd\r\n\xb5\xda\xb6\xfe\xd0\xd0") << 3 << u"张三\n第二行"_s;
    QTest::newRow("text/UTF-8 with a byte order mark")
        << u"b.txt"_s << QByteArray("\xef\xbb\xbf") + u"张"_s.toUtf8() << 1 << u"张"_s;
    QTest::newRow("failure/plain text with index 2 keeps the pane")
        << u"a.txt"_s << u"不是RTF"_s.toUtf8() << 2 << QString();
}

void TstResultPane::openByFilterIndex()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(int, index);
    QFETCH(QString, shown);
    const QString path = m_dir->filePath(file);
    QVERIFY(writeAll(path, content));
    const QString before = pane()->toPlainText();
    openWith(path, index);
    QCOMPARE(pane()->toPlainText(), shown.isEmpty() ? before : shown);
    QVERIFY(!QApplication::overrideCursor());
    if (index == 2 && !shown.isEmpty()) {
        QTextCursor c(pane()->document());
        c.setPosition(1);
        QCOMPARE(c.charFormat().fontPointSize(), 14.0);
        QCOMPARE(c.charFormat().fontFamilies().toStringList().value(0), u"宋体"_s);
    }
}

void TstResultPane::cancelledOpenChangesNothing()
{
    const QString before = pane()->toPlainText();
    answerNext<QFileDialog>([](QFileDialog *dialog) { dialog->reject(); });
    action("Menu_Open")->trigger();
    answerNext<QFileDialog>([](QFileDialog *dialog) { dialog->reject(); });
    action("Menu_SaveAs")->trigger();
    QCOMPARE(pane()->toPlainText(), before);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), 1); // only namedbs.mdb
}

void TstResultPane::saveByFilterIndex_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("rtf");
    QTest::addColumn<QString>("written"); // the file's name on disk
    QTest::newRow("index 2 writes RTF") << u"out.rtf"_s << 2 << true << u"out.rtf"_s;
    QTest::newRow("index 2 writes RTF whatever the extension") << u"out.txt"_s << 2 << true << u"out.txt"_s;
    QTest::newRow("index 1 writes plain text, even to .rtf") << u"plain.rtf"_s << 1 << false << u"plain.rtf"_s;
    QTest::newRow("index 3 writes plain text") << u"plain.txt"_s << 3 << false << u"plain.txt"_s;
    QTest::newRow("a bare name gets the type's extension") << u"测试结果"_s << 2 << true << u"测试结果.rtf"_s;
}

void TstResultPane::saveByFilterIndex()
{
    QFETCH(QString, file);
    QFETCH(int, index);
    QFETCH(bool, rtf);
    QFETCH(QString, written);
    putFormattedText();
    saveWith(m_dir->filePath(file), index);
    const QByteArray bytes = readAll(m_dir->filePath(written));
    QVERIFY(!QApplication::overrideCursor());
    if (rtf) {
        QVERIFY(bytes.startsWith("{\\rtf1"));
        const std::optional<RtfDocument> read = RtfReader::read(bytes);
        QVERIFY(read);
        QString text;
        for (const RtfRun &r : *read)
            text += r.text;
        QCOMPARE(text, pane()->toPlainText());
    } else {
        QCOMPARE(QString::fromUtf8(bytes), u"张三 姓名分析\r\n天格 人格 斜体下划线删除\r\nArial 12 last line"_s);
    }
}

void TstResultPane::saveAndReopenKeepsFormatting()
{
    putFormattedText();
    const RtfDocument before = RichTextPane::documentOf(pane()->document());
    const QString path = m_dir->filePath(u"kept.rtf"_s);
    saveWith(path, 2);
    pane()->setPlainText(u"别的内容"_s);
    openWith(path, 2);
    const RtfDocument after = RichTextPane::documentOf(pane()->document());
    QCOMPARE(after.size(), before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        QCOMPARE(after.at(i).text, before.at(i).text);
        QVERIFY2(after.at(i).sameFormat(before.at(i)), qPrintable(before.at(i).text));
    }
}

void TstResultPane::fontDialogPresetAndSelection()
{
    pane()->setPlainText(u"甲乙丙"_s);
    QTextCursor c = pane()->textCursor();
    c.setPosition(1);
    c.setPosition(2, QTextCursor::KeepAnchor);
    pane()->setTextCursor(c);
    QFont preset;
    answerNext<QFontDialog>([&preset](QFontDialog *dialog) {
        preset = dialog->currentFont();
        QFont chosen(u"DejaVu Sans"_s, 20);
        chosen.setBold(true);
        chosen.setUnderline(true);
        dialog->setCurrentFont(chosen);
        static_cast<PaneFontDialog *>(dialog)->setChosenColour(QColor(0xFF, 0, 0));
        dialog->accept();
    });
    action("Menu_Font")->trigger();
    QCOMPARE(preset.pointSize(), 11);
    QCOMPARE(preset.family(), QFontInfo(QFont(u"宋体"_s)).family());
    const RtfDocument runs = RichTextPane::documentOf(pane()->document());
    QCOMPARE(runs.size(), 3);
    QCOMPARE(runs.at(1).text, u"乙"_s);
    QCOMPARE(runs.at(1).pointSize, 20.0);
    QVERIFY(runs.at(1).bold);
    QVERIFY(runs.at(1).underline);
    QVERIFY(!runs.at(1).italic);
    QCOMPARE(runs.at(1).fontFamily, u"DejaVu Sans"_s);
    QCOMPARE(runs.at(1).rgb, 0xFF0000u);
    QCOMPARE(runs.at(0).rgb, 0u);

    // Keeping the preset face keeps the name 宋体 in the document.
    c.setPosition(0);
    c.setPosition(1, QTextCursor::KeepAnchor);
    pane()->setTextCursor(c);
    answerNext<QFontDialog>([](QFontDialog *dialog) { dialog->accept(); });
    action("Menu_Font")->trigger();
    QCOMPARE(RichTextPane::documentOf(pane()->document()).at(0).fontFamily, u"宋体"_s);
}

void TstResultPane::printToPdf_data()
{
    QTest::addColumn<bool>("selection");
    QTest::addColumn<int>("extraLines");
    QTest::newRow("everything") << false << 0;
    QTest::newRow("the selection only") << true << 0;
    QTest::newRow("several pages, numbered") << false << 150;
}

void TstResultPane::printToPdf()
{
    QFETCH(bool, selection);
    QFETCH(int, extraLines);
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        QSKIP("pdftotext is not installed");
    putFormattedText();
    for (int i = 0; i < extraLines; ++i)
        pane()->append(u"第%1行"_s.arg(i));
    if (selection) {
        QTextCursor c(pane()->document());
        const int at = pane()->toPlainText().indexOf(u"天格"_s);
        c.setPosition(at);
        c.setPosition(at + 5, QTextCursor::KeepAnchor);
        pane()->setTextCursor(c);
    }
    const QString pdf = m_dir->filePath(u"print.pdf"_s);
    QPrinter &printer = menus()->commands().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    bool offersSelection = false;
    bool offersPages = true;
    answerNext<QPrintDialog>([&](QPrintDialog *dialog) {
        offersSelection = dialog->testOption(QAbstractPrintDialog::PrintSelection);
        offersPages = dialog->testOption(QAbstractPrintDialog::PrintPageRange);
        dialog->accept();
    });
    m_window->findChild<QPushButton *>(u"cmdPrint"_s)->click();
    QCOMPARE(offersSelection, selection);
    QVERIFY(offersPages);
    const QMarginsF margins = printer.pageLayout().margins(QPageLayout::Millimeter);
    QCOMPARE(margins, QMarginsF(25, 25, 25, 25));
    const QString text = pdfText(pdf);
    // Page numbers only when the printout runs past one page.
    QCOMPARE(text.contains(u"第 1 页 共 "_s), extraLines > 0);
    if (extraLines > 0)
        QVERIFY2(text.contains(u"第 2 页 共 "_s) && text.contains(u"第149行"_s), qPrintable(text));
    if (selection) {
        // Only the selection.
        QVERIFY2(text.simplified().startsWith(u"天格 人格"_s), qPrintable(text));
        QVERIFY2(!text.contains(u"张三"_s) && !text.contains(u"斜体"_s), qPrintable(text));
    } else {
        QVERIFY2(text.contains(u"张三 姓名分析"_s), qPrintable(text));
        QVERIFY2(text.contains(u"天格 人格 斜体下划线删除"_s), qPrintable(text));
        QVERIFY2(text.contains(u"Arial 12 last line"_s), qPrintable(text));
    }
}

void TstResultPane::sendFailureShowsTheSystemError_data()
{
    QTest::addColumn<QString>("opener");
    QTest::addColumn<QString>("reason");
    QTest::newRow("opener missing") << u"no-such-mail-opener"_s << u"No such file"_s;
    // xdg-open ends with a failure status when no mail program is set up.
    QTest::newRow("no mail program") << u"fails"_s << u"退出码 3"_s;
}

void TstResultPane::sendFailureShowsTheSystemError()
{
    QFETCH(QString, opener);
    QFETCH(QString, reason);
    const QString program = m_dir->filePath(opener);
    if (opener == u"fails"_s) {
        QFile script(program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nexit 3\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    AddressOpener::setProgram(program);
    BoxSeen seen;
    answerBox(seen);
    action("Menu_Send")->trigger();
    QTRY_COMPARE(seen.count, 1);
    AddressOpener::setProgram(u"xdg-open"_s);
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QVERIFY2(seen.text.contains(reason, Qt::CaseInsensitive), qPrintable(seen.text));
}

void TstResultPane::readingTextsReplaceThePane_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("key");
    QTest::newRow("了凡四训") << u"Menu_Liaofan"_s << u"liaofansixun"_s;
    QTest::newRow("三世因果经") << u"Menu_Sanshiyinguo"_s << u"sanshiyinguojing"_s;
    QTest::newRow("心命歌") << u"Menu_Xinming"_s << u"xinmingge"_s;
    QTest::newRow("计算机软件保护条例") << u"Menu_softprotect"_s << u"softprotect"_s;
}

void TstResultPane::readingTextsReplaceThePane()
{
    QFETCH(QString, item);
    QFETCH(QString, key);
    putFormattedText(); // an unsaved report goes
    QAction *a = m_window->findChild<QAction *>(item);
    QVERIFY(a && a->isEnabled());
    a->trigger();
    const QByteArray source =
        readAll(qEnvironmentVariable("TOLVANE_SOURCE_DIR") + u"/data/texts/text/"_s + key + u".txt"_s);
    QVERIFY(source.size() > 500);
    QCOMPARE(normalised(pane()->toPlainText()), normalised(QString::fromUtf8(source)));
}

void TstResultPane::readingTextWithoutRowChangesNothing()
{
    delete m_window;
    m_window = nullptr;
    QTemporaryDir dir;
    mkdb::LibraryContents contents = TestLibrary::fixtureContents();
    contents.text.clear();
    contents.text.append({u"other"_s, u"别的文字"_s});
    TestLibrary::write(contents, dir.path());
    m_window = new MainWindow(AppPaths(dir.path()));
    m_window->startUp();
    const QString before = pane()->toPlainText();
    BoxSeen seen;
    action("Menu_Liaofan")->trigger();
    QCOMPARE(pane()->toPlainText(), before);
    QCOMPARE(seen.count, 0);
}

void TstResultPane::readingTextWithoutDatabase()
{
    QVERIFY(QFile::remove(m_dir->filePath(u"namedbs.mdb"_s)));
    const QString before = pane()->toPlainText();
    BoxSeen seen;
    answerBox(seen);
    action("Menu_Xinming")->trigger();
    QCOMPARE(seen.count, 1);
    QCOMPARE(seen.text, u"找不到namedbs.mdb数据库。"_s);
    QCOMPARE(seen.title, u"找不到数据库"_s);
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(pane()->toPlainText(), before);
}

void TstResultPane::newWindowIsOneNonModalWindow()
{
    action("Menu_NewWindow")->trigger();
    NewWindow *first = menus()->newWindow();
    QVERIFY(first);
    QVERIFY(first->isVisible());
    QVERIFY(!first->isModal());
    QCOMPARE(first->windowTitle(), u"新窗口"_s);
    auto *notes = first->findChild<QTextEdit *>(u"RichTextBox1"_s);
    QVERIFY(notes && notes->toPlainText().isEmpty());
    for (const auto &[name, caption] : {std::pair{"cmdFont", u"字体"_s}, std::pair{"cmdPrint", u"打印"_s},
                                        std::pair{"cmdClose", u"关闭"_s}})
        QCOMPARE(first->findChild<QPushButton *>(QString::fromLatin1(name))->text(), caption);
    notes->setPlainText(u"笔记"_s);

    action("Menu_NewWindow")->trigger();
    QCOMPARE(menus()->newWindow(), first);
    QCOMPARE(m_window->findChildren<NewWindow *>().size(), 1);

    // The font dialog starts at size 9.
    int presetSize = 0;
    answerNext<QFontDialog>([&presetSize](QFontDialog *dialog) {
        presetSize = dialog->currentFont().pointSize();
        dialog->reject();
    });
    first->findChild<QPushButton *>(u"cmdFont"_s)->click();
    QCOMPARE(presetSize, 9);

    // Closing asks nothing and the text is gone; the next one starts empty.
    QPointer<NewWindow> closed = first;
    first->findChild<QPushButton *>(u"cmdClose"_s)->click();
    QTRY_VERIFY(closed.isNull());
    action("Menu_NewWindow")->trigger();
    QVERIFY(menus()->newWindow());
    QVERIFY(menus()->newWindow()->findChild<QTextEdit *>(u"RichTextBox1"_s)->toPlainText().isEmpty());
}

void TstResultPane::newWindowResizeRule()
{
    action("Menu_NewWindow")->trigger();
    NewWindow *w = menus()->newWindow();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const auto px = [w](int twips, bool x) { return twips * (x ? w->logicalDpiX() : w->logicalDpiY()) / 1440; };
    w->resize(10, 10);
    QTRY_COMPARE(w->size(), QSize(px(8000, true), px(6000, false)));
    w->resize(px(10000, true), px(8000, false));
    QTRY_COMPARE(w->width(), px(10000, true));
    auto *notes = w->findChild<QTextEdit *>(u"RichTextBox1"_s);
    QCOMPARE(notes->width(), w->width());
    QVERIFY(qAbs(notes->height() - px(8000 - 540, false)) <= 1);
    for (const char *name : {"cmdFont", "cmdPrint", "cmdClose"})
        QVERIFY2(qAbs(w->findChild<QPushButton *>(QString::fromLatin1(name))->y() - px(8000 - 400, false)) <= 1, name);
}

void TstResultPane::mainWindowResizeRule()
{
    const auto px = [this](int twips, bool x) {
        return twips * (x ? m_window->logicalDpiX() : m_window->logicalDpiY()) / 1440;
    };
    m_window->showNormal();
    m_window->resize(10, 10);
    QTRY_VERIFY(m_window->width() >= px(8000, true) - 1 && m_window->height() >= px(6250, false) - 1);
    m_window->resize(px(12000, true), px(9000, false));
    QTRY_COMPARE(m_window->width(), px(12000, true));
    QWidget *central = m_window->centralWidget();
    const int innerW = central->width() * 1440 / m_window->logicalDpiX();
    const int innerH = central->height() * 1440 / m_window->logicalDpiY();
    QVERIFY(qAbs(pane()->width() - px(innerW - 1380, true)) <= 2);
    QVERIFY(qAbs(pane()->height() - px(innerH - 2300, false)) <= 2);
    for (const char *name : {"cmdOk", "cmdPrint", "cmdExit"})
        QVERIFY2(qAbs(m_window->findChild<QPushButton *>(QString::fromLatin1(name))->x() - px(innerW - 1220, true)) <= 2,
                 name);
}

void TstResultPane::markedTextStoredAsShown_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("spans"); // start, length, start, length, ...
    QTest::newRow("plain") << u"王正则\r\n名余曰正则兮\r\n"_s << QList<int> {};
    QTest::newRow("bold inside a line") << u"王正则\r\n　　名余曰正则兮\r\n"_s << QList<int> { 9, 2 };
    QTest::newRow("bold at a line's end") << u"甲乙\r\n丙丁\r\n\r\n戊"_s << QList<int> { 0, 2, 4, 2 };
    QTest::newRow("bold over a line break") << u"甲乙\r\n丙丁"_s << QList<int> { 1, 4 };
    QTest::newRow("bold last") << u"甲乙"_s << QList<int> { 1, 1 };
    QTest::newRow("lone CR and LF") << u"甲\r乙\n丙"_s << QList<int> { 0, 1, 4, 1 };
    QTest::newRow("empty") << QString() << QList<int> {};
}

// What the window stores in name.rtf and what the command line writes for the same marked text are the same
// bytes, and the pane shows exactly the marked characters in bold.
void TstResultPane::markedTextStoredAsShown()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, spans);
    MarkedText marked { text, {} };
    for (qsizetype i = 0; i + 1 < spans.size(); i += 2)
        marked.bold.append({ spans[i], spans[i + 1] });
    RichTextPane window(pane());
    window.resetInsertionFormat();
    window.setMarkedText(marked);
    TextPane headless;
    headless.setMarkedText(marked);
    QCOMPARE(
        window.text(), QString(text).replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n').replace(u"\n"_s, u"\r\n"_s));
    QCOMPARE(RtfWriter::write(window.document()), RtfWriter::write(headless.document()));

    // Character by character, bold exactly where marked (the line breaks aside).
    QString boldShown;
    QString boldMarked;
    for (const MarkedText::Span &span : std::as_const(marked.bold))
        boldMarked += text.mid(span.start, span.length);
    for (QTextBlock block = pane()->document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().fontWeight() >= QFont::Bold)
                boldShown += it.fragment().text();
        }
    }
    boldMarked.remove(u'\r').remove(u'\n');
    QCOMPARE(boldShown, boldMarked);
}

// Runs last: the translation stays installed for the rest of the program.
void TstResultPane::qtDialogsSpeakChinese()
{
    QVERIFY(QtTranslations::installChinese());
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), u"确定"_s);
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), u"取消"_s);
    QVERIFY(box.button(QMessageBox::Yes)->text().startsWith(u"是"_s));
    QVERIFY(box.button(QMessageBox::No)->text().startsWith(u"否"_s));

    QString title;
    answerNext<QFileDialog>([&title](QFileDialog *dialog) {
        title = dialog->windowTitle();
        dialog->reject();
    });
    action("Menu_Open")->trigger();
    QCOMPARE(title, u"打开"_s);
    // The kinds of files the dialog lists, as the shared MIME database names them in Chinese.
    QCOMPARE(QMimeDatabase().mimeTypeForName(u"inode/directory"_s).comment(), u"文件夹"_s);
    QCOMPARE(QFileIconProvider().type(QFileInfo(QDir::tempPath())), u"文件夹"_s);

    QLineEdit line;
    std::unique_ptr<QMenu> menu(line.createStandardContextMenu());
    QStringList texts;
    for (const QAction *a : menu->actions())
        texts << a->text();
    QVERIFY2(texts.join(u' ').contains(u"粘贴"_s), qPrintable(texts.join(u' ')));

    PaneFontDialog fonts(QFont(u"宋体"_s, 12), nullptr);
    auto *sample = fonts.findChild<QLineEdit *>(u"qt_fontDialog_sampleEdit"_s);
    QVERIFY(sample);
    QVERIFY(sample->text().contains(u"青禾"_s));
    QVERIFY(fonts.windowTitle().contains(u"字体"_s));
}

QTEST_MAIN(TstResultPane)
#include "tst_resultpane.moc"
