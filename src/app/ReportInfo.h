#pragma once

#include <QString>

namespace tolvane {

// The report header and footer kept in Info.txt: "抬头信息：", the header, "结尾信息：", the footer and CR LF.
class ReportInfo final {
public:
    struct Texts {
        QString header;
        QString footer;
    };

    // A missing or unreadable file means no header and no footer.
    static Texts load(const QString &path);
    static Texts parse(const QString &text);
    static QString compose(const QString &header, const QString &footer);
    // The name-analysis result: header, report and footer. A header (or report) that does not end in a line
    // break gets one, so that the report starts on its own line and the footer on its own.
    static QString wrapReport(const QString &header, const QString &report, const QString &footer);
    // Replaces the file in one step; false when it cannot be written (the old file is then as it was).
    static bool save(const QString &path, const QString &header, const QString &footer);
    // The message when saving fails.
    static QString saveFailedText() { return QStringLiteral("请关闭文件Info.txt。"); }
    static QString helpText();
};

} // namespace tolvane
