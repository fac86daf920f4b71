#pragma once

#include <QString>

class QWidget;

namespace platform {

enum class MsgIcon { None, Information, Question, Exclamation, Critical };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };
/// The button that Enter presses, counted in the order MsgButtons names them; one the box
/// lacks means the first.
enum class MsgDefault { Button1, Button2, Button3 };

/// The program's title, used as caption where a message box is given none.
inline const QString kAppTitle = QStringLiteral("Glyphora");

struct MessageRequest
{
    QString text;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    QString caption = kAppTitle;
    /// The window that asked: the box stays above it. None only before any window exists.
    QWidget* owner = nullptr;
    MsgDefault defaultButton = MsgDefault::Button1;
};

/// Modal message boxes. Windows never open a QMessageBox themselves, so a test
/// can answer every box without a real modal loop.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer show(const MessageRequest& request) = 0;

    MsgAnswer MsgBox(QWidget* owner, const QString& text, MsgIcon icon = MsgIcon::None,
                     MsgButtons buttons = MsgButtons::Ok,
                     MsgDefault defaultButton = MsgDefault::Button1,
                     const QString& caption = kAppTitle)
    {
        return show({.text = text,
                     .icon = icon,
                     .buttons = buttons,
                     .caption = caption,
                     .owner = owner,
                     .defaultButton = defaultButton});
    }
};

} // namespace platform
