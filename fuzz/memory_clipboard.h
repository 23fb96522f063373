#pragma once
// A clipboard of plain text held in memory, for the targets that copy and paste.
#include "platform/clipboard.h"

#include <QString>

class TMemoryClipboard : public platform::Clipboard {
public:
    QString Text() const override { return m_text; }
    void SetText(const QString& text) override { m_text = text; }

private:
    QString m_text;
};
