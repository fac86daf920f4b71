#pragma once

#include <QString>

class QImage;

namespace platform {

/// The system clipboard. When it cannot be taken the calls do nothing.
class Clipboard
{
public:
    virtual ~Clipboard() = default;
    virtual void Clear() = 0;
    /// Plain text only; no other format is offered.
    virtual void SetText(const QString& text) = 0;
    virtual void SetImage(const QImage& image) = 0;
    /// The plain text on the clipboard, or an empty string.
    virtual QString GetText() const = 0;
};

} // namespace platform
