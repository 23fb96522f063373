#pragma once
// An in-memory clipboard that stands in for the system one.
#include "platform/clipboard.h"

namespace platform {

class MemoryClipboard : public Clipboard {
public:
    QString Text() const override { return m_text; }
    void SetText(const QString& text) override { m_text = text; }

private:
    QString m_text;
};

} // namespace platform
