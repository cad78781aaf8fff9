#include "app/ResultStore.h"

#include "text/RtfWriter.h"

#include <QSaveFile>

namespace tolvane {

QString ResultStore::write(const RtfDocument &document, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    file.write(RtfWriter::write(document));
    file.write("\r\n");
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace tolvane
