#pragma once

#include <QString>

namespace platform {

enum class MsgIcon { None, Information, Question, Exclamation, Critical };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

/// The program's title, used as caption where a message box is given none.
inline const QString kAppTitle = QStringLiteral("Glyphora");

struct MessageRequest
{
    QString text;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    QString caption = kAppTitle;
};

/// Modal message boxes. Windows never open a QMessageBox themselves, so a test
/// can answer every box without a real modal loop.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer show(const MessageRequest& request) = 0;

    MsgAnswer MsgBox(const QString& text, MsgIcon icon = MsgIcon::None,
                     MsgButtons buttons = MsgButtons::Ok, const QString& caption = kAppTitle)
    {
        return show({text, icon, buttons, caption});
    }
};

} // namespace platform
