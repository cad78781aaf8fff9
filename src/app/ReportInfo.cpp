#include "app/ReportInfo.h"

#include "text/PlainTextFile.h"
#include "text/VbText.h"

#include <QFileInfo>

namespace tolvane {

namespace {
const QString kHeaderMarker = QStringLiteral("抬头信息：");
const QString kFooterMarker = QStringLiteral("结尾信息：");
} // namespace

ReportInfo::Texts ReportInfo::load(const QString &path)
{
    if (!QFileInfo::exists(path))
        return {};
    const std::optional<QString> text = PlainTextFile::read(path);
    return text ? parse(*text) : Texts{};
}

ReportInfo::Texts ReportInfo::parse(const QString &text)
{
    Texts texts;
    const qsizetype h = text.indexOf(kHeaderMarker);
    const qsizetype f = text.indexOf(kFooterMarker);
    const qsizetype headerStart = h + kHeaderMarker.size();
    const qsizetype footerStart = f + kFooterMarker.size();
    // Each text runs from its marker to the other marker or to the end (a hand-edited file may hold the
    // footer first).
    if (h >= 0)
        texts.header = f > h ? text.mid(headerStart, f - headerStart) : text.mid(headerStart);
    if (f >= 0) {
        texts.footer = h > f ? text.mid(footerStart, h - footerStart) : text.mid(footerStart);
        // Saving ends the file with CR LF after the footer. Taking it back as part of the footer would make
        // the footer one line longer at every save.
        if (!(h > f) && texts.footer.endsWith(kCrLf))
            texts.footer.chop(2);
    }
    return texts;
}

QString ReportInfo::compose(const QString &header, const QString &footer)
{
    return kHeaderMarker + header + kFooterMarker + footer + kCrLf;
}

QString ReportInfo::wrapReport(const QString &header, const QString &report, const QString &footer)
{
    const auto endsLine = [](const QString &text) {
        return text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r'));
    };
    QString text = header;
    if (!header.isEmpty() && !endsLine(header))
        text += kCrLf;
    text += report;
    if (!footer.isEmpty() && !text.isEmpty() && !endsLine(text))
        text += kCrLf;
    return text + footer;
}

bool ReportInfo::save(const QString &path, const QString &header, const QString &footer)
{
    return PlainTextFile::write(path, compose(header, footer));
}

QString ReportInfo::helpText()
{
    return QStringLiteral("抬头信息和结尾信息为一些专业用户提供方便。比如有人想在每一次姓名分析后都在开始显示欢迎词、日期等，"
                          "而在结尾显示预测公司名称、公司简介、预测师等。输入完成后，点击“确定”即可，"
                          "此信息被保存在程序安装路径下的Info.txt文件里。本信息也可修改和取消。");
}

} // namespace tolvane
