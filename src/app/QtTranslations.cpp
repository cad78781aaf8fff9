#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tolvane {

namespace {

// Texts Qt draws that its Chinese catalogue lacks: the kinds of entries the file dialog lists.
class MissingQtTexts final : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return {};
        static const struct {
            const char *source;
            const char16_t *chinese;
        } texts[] = { { "Folder", u"文件夹" }, { "File Folder", u"文件夹" }, { "Drive", u"驱动器" },
            { "Shortcut", u"快捷方式" }, { "Alias", u"替身" }, { "File", u"文件" }, { "Unknown", u"未知" } };
        for (const auto &text : texts) {
            if (qstrcmp(sourceText, text.source) == 0)
                return QString::fromUtf16(text.chinese);
        }
        return {};
    }
};

} // namespace

bool QtTranslations::installChinese()
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    // What Qt formats by the locale (the file dialog's dates, sizes and file kinds, the print dialog's paper
    // names) follows too, whatever the system's locale is. The program's own numbers do not depend on it.
    QLocale::setDefault(chinese);
    if (!translator->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(new MissingQtTexts(QCoreApplication::instance()));
    return QCoreApplication::installTranslator(translator);
}

} // namespace tolvane
