#include "ui/PaneCommands.h"

#include "app/AddressOpener.h"
#include "app/PaneFiles.h"
#include "app/Prompter.h"
#include "ui/DialogFrame.h"
#include "ui/DocumentPrinter.h"
#include "ui/PaneFontDialog.h"
#include "ui/RichTextPane.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>

namespace tolvane {

namespace {

// The hourglass for the whole application while a file is read or written, and back to normal however
// the step ends.
class WaitCursor final {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

// The file dialog with the pane's filter list, RTF preselected. Returns the file and the 1-based index of
// the filter left selected, or nothing when cancelled.
std::optional<std::pair<QString, int>> askFile(QWidget *parent, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("CommonDialog1"));
    dialog.setWindowFlags(DialogFrame::kFlags);
    // Qt's own dialog: the filter list then reads exactly as written, and the chosen filter is always known.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList filters = PaneFiles::filterDescriptions();
    dialog.setNameFilters(filters);
    // A name typed without an extension gets the chosen type's, so that the file is listed under that type
    // and the dialog asks before it replaces a file of that name.
    const auto followFilter = [&dialog, &filters](const QString &filter) {
        dialog.setDefaultSuffix(PaneFiles::extensionForFilterIndex(int(filters.indexOf(filter)) + 1));
    };
    if (mode == QFileDialog::AcceptSave)
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
    dialog.selectNameFilter(filters.at(PaneFiles::kDefaultFilterIndex - 1));
    if (mode == QFileDialog::AcceptSave)
        followFilter(filters.at(PaneFiles::kDefaultFilterIndex - 1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const int index = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return std::make_pair(dialog.selectedFiles().constFirst(), index);
}

// Runs an edit command on the focused text control, if the focus is on one.
template <typename Action> void onFocusedText(Action action)
{
    QWidget *focus = QApplication::focusWidget();
    if (auto *edit = qobject_cast<QTextEdit *>(focus))
        action(edit);
    else if (auto *plain = qobject_cast<QPlainTextEdit *>(focus))
        action(plain);
    else if (auto *line = qobject_cast<QLineEdit *>(focus))
        action(line);
    else if (auto *combo = qobject_cast<QComboBox *>(focus); combo && combo->lineEdit())
        action(combo->lineEdit());
}

} // namespace

PaneCommands::PaneCommands(QTextEdit *edit, Prompter &prompter, int fontPresetSize, QObject *parent)
    : QObject(parent)
    , m_edit(edit)
    , m_prompter(prompter)
    , m_fontPresetSize(fontPresetSize)
    , m_printer(QPrinter::HighResolution)
{
    DocumentPrinter::setUpMargins(m_printer);
}

void PaneCommands::open()
{
    const auto chosen = askFile(m_edit->window(), QFileDialog::AcceptOpen);
    if (!chosen)
        return;
    const auto &[path, index] = *chosen;
    if (PaneFiles::formatForFilterIndex(index) == PaneFiles::Format::Rtf) {
        WaitCursor wait;
        if (const std::optional<RtfDocument> document = PaneFiles::loadRtf(path))
            RichTextPane::setDocument(m_edit, *document);
    } else if (const std::optional<QString> text = PaneFiles::loadPlainText(path)) {
        RichTextPane::setPlainText(m_edit, *text);
    }
}

void PaneCommands::saveAs()
{
    const auto chosen = askFile(m_edit->window(), QFileDialog::AcceptSave);
    if (!chosen)
        return;
    const auto &[path, index] = *chosen;
    bool saved = false;
    QString reason;
    {
        WaitCursor wait;
        if (PaneFiles::formatForFilterIndex(index) == PaneFiles::Format::Rtf) {
            saved = PaneFiles::saveRtf(path, RichTextPane::documentOf(m_edit->document()), &reason);
        } else {
            QString text = m_edit->toPlainText();
            text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
            saved = PaneFiles::savePlainText(path, text, &reason);
        }
    }
    // A save that did not happen must not pass for one: the user would close the program believing the
    // result was kept.
    if (!saved)
        m_prompter.showMessage(UserMessage::warning(PaneFiles::saveFailedText(path, reason)));
}

void PaneCommands::print()
{
    const QTextCursor cursor = m_edit->textCursor();
    const bool hasSelection = cursor.hasSelection();
    QPrintDialog dialog(&m_printer, m_edit->window());
    dialog.setObjectName(QStringLiteral("CommonDialog1"));
    dialog.setWindowFlags(DialogFrame::kFlags);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, hasSelection);
    // With a selection the dialog offers it and starts with it chosen.
    m_printer.setPrintRange(hasSelection ? QPrinter::Selection : QPrinter::AllPages);
    m_printer.setFromTo(0, 0);
    if (dialog.exec() != QDialog::Accepted)
        return;
    bool printed = false;
    if (m_printer.printRange() == QPrinter::Selection && hasSelection) {
        QTextDocument selection;
        selection.setDefaultFont(m_edit->document()->defaultFont());
        QTextCursor(&selection).insertFragment(cursor.selection());
        printed = DocumentPrinter::print(selection, m_printer);
    } else {
        printed = DocumentPrinter::print(*m_edit->document(), m_printer);
    }
    if (!printed)
        m_prompter.showMessage(UserMessage::warning(QStringLiteral("打印没有完成：无法使用所选的打印机。")));
}

void PaneCommands::chooseFont()
{
    const QString song = QStringLiteral("宋体");
    PaneFontDialog dialog(QFont(song, m_fontPresetSize), m_edit->window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QFont font = dialog.selectedFont();
    QTextCharFormat format;
    // The dialog lists the face 宋体 stands for on this system; the document keeps the name 宋体 so that
    // files stay readable on other systems.
    const bool keptSong = font.family() == QFontInfo(QFont(song)).family();
    format.setFontFamilies({ keptSong ? song : font.family() });
    format.setFontPointSize(font.pointSizeF() > 0 ? font.pointSizeF() : m_fontPresetSize);
    format.setFontWeight(font.bold() ? QFont::Bold : QFont::Normal);
    format.setFontItalic(font.italic());
    format.setFontUnderline(font.underline());
    format.setFontStrikeOut(font.strikeOut());
    format.setForeground(dialog.chosenColour());
    m_edit->mergeCurrentCharFormat(format);
}

void PaneCommands::send()
{
    // The desktop's mail program with an empty message; when it cannot be started, the reason in a warning.
    AddressOpener::open(QStringLiteral("mailto:"), this,
                        [this](const QString &reason) { m_prompter.showMessage(UserMessage::warning(reason)); });
}

void PaneCommands::undo()
{
    onFocusedText([](auto *w) { w->undo(); });
}

void PaneCommands::cut()
{
    onFocusedText([](auto *w) { w->cut(); });
}

void PaneCommands::copy()
{
    onFocusedText([](auto *w) { w->copy(); });
}

void PaneCommands::paste()
{
    onFocusedText([](auto *w) { w->paste(); });
}

void PaneCommands::selectAll()
{
    onFocusedText([](auto *w) { w->selectAll(); });
}

} // namespace tolvane
