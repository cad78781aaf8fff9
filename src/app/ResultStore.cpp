#include "app/ResultStore.h"

#include "text/DurableFile.h"
#include "text/RtfWriter.h"

namespace tolvane {

QString ResultStore::write(const RtfDocument &document, const QString &path)
{
    QString reason;
    if (!DurableFile::write(path, RtfWriter::write(document) + "\r\n", &reason))
        return reason;
    return {};
}

} // namespace tolvane
