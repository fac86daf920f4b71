#include "platform/desktop/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace platform {

namespace {
QClipboard* clipboard()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance())
               ? QGuiApplication::clipboard()
               : nullptr;
}
} // namespace

void QtClipboard::Clear()
{
    if (QClipboard* c = clipboard())
        c->clear();
}

void QtClipboard::SetText(const QString& text)
{
    if (QClipboard* c = clipboard()) {
        // Plain text only: QClipboard::setText would also be fine, but be explicit.
        auto* data = new QMimeData;
        data->setText(text);
        c->setMimeData(data);
    }
}

void QtClipboard::SetImage(const QImage& image)
{
    if (QClipboard* c = clipboard())
        c->setImage(image);
}

QString QtClipboard::GetText() const
{
    QClipboard* c = clipboard();
    if (!c)
        return {};
    // mimeData() is null while an offscreen clipboard is empty.
    const QMimeData* data = c->mimeData();
    return data && data->hasText() ? data->text() : QString();
}

} // namespace platform
