#include "TraditionalConverter.h"

#include <opencc.h>

namespace tolvane::mkclassics {

TraditionalConverter::TraditionalConverter(const QString &config)
    : m_config(config)
{
    const opencc_t handle = opencc_open(config.toUtf8().constData());
    if (handle == reinterpret_cast<opencc_t>(-1)) {
        m_error = QString::fromUtf8(opencc_error());
        return;
    }
    m_handle = handle;
}

TraditionalConverter::~TraditionalConverter()
{
    if (m_handle)
        opencc_close(m_handle);
}

QString TraditionalConverter::toSimplified(const QString &text) const
{
    if (!m_handle || text.isEmpty())
        return text;
    const QByteArray utf8 = text.toUtf8();
    char *converted = opencc_convert_utf8(m_handle, utf8.constData(), size_t(utf8.size()));
    if (!converted)
        return text;
    const QString result = QString::fromUtf8(converted);
    opencc_convert_utf8_free(converted);
    return result;
}

} // namespace tolvane::mkclassics
