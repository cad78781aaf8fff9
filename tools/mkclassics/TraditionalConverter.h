#pragma once

#include <QString>

namespace tolvane::mkclassics {

// Traditional to simplified characters through OpenCC (Debian's libopencc), with one of its configurations
// (t2s.json: characters and phrases of the traditional standard to the simplified standard).
class TraditionalConverter final {
public:
    explicit TraditionalConverter(const QString &config = QStringLiteral("t2s.json"));
    ~TraditionalConverter();
    TraditionalConverter(const TraditionalConverter &) = delete;
    TraditionalConverter &operator=(const TraditionalConverter &) = delete;

    bool isValid() const { return m_handle != nullptr; }
    // Why the configuration could not be loaded.
    QString error() const { return m_error; }
    QString config() const { return m_config; }

    // The text in simplified characters; the text unchanged when the converter is not valid.
    QString toSimplified(const QString &text) const;

private:
    void *m_handle = nullptr;
    QString m_config;
    QString m_error;
};

} // namespace tolvane::mkclassics
