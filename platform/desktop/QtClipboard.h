#pragma once

#include "platform/Clipboard.h"

namespace platform {

class QtClipboard final : public Clipboard
{
public:
    void Clear() override;
    void SetText(const QString& text) override;
    void SetImage(const QImage& image) override;
    QString GetText() const override;
};

} // namespace platform
