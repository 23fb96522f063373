#pragma once
// Plain-text clipboard through one replaceable service.
#include <QString>

namespace platform {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual QString Text() const = 0;
    virtual void SetText(const QString& text) = 0;
};

// The clipboard in force; the system one unless another was installed.
Clipboard& CurrentClipboard();
// Installs a clipboard (not taken over); nullptr brings back the system one.
void SetClipboard(Clipboard* clipboard);

class QtClipboard : public Clipboard {
public:
    QString Text() const override;
    void SetText(const QString& text) override;
};

} // namespace platform
