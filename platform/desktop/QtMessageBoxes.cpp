#include "platform/desktop/QtMessageBoxes.h"

#include <QMessageBox>

namespace platform {

MsgAnswer QtMessageBoxes::show(const MessageRequest& request)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (request.icon) {
    case MsgIcon::None:
        break;
    case MsgIcon::Information:
        icon = QMessageBox::Information;
        break;
    case MsgIcon::Question:
        icon = QMessageBox::Question;
        break;
    case MsgIcon::Exclamation:
        icon = QMessageBox::Warning;
        break;
    case MsgIcon::Critical:
        icon = QMessageBox::Critical;
        break;
    }
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    switch (request.buttons) {
    case MsgButtons::Ok:
        break;
    case MsgButtons::OkCancel:
        buttons = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case MsgButtons::YesNo:
        buttons = QMessageBox::Yes | QMessageBox::No;
        break;
    case MsgButtons::YesNoCancel:
        buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    }
    // A parent makes the box transient for the window that asked, which the window manager
    // then keeps it above.
    QMessageBox box(icon, request.caption, request.text, buttons, request.owner);
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    default:
        // Closing the box by its title bar counts as its escape answer.
        return request.buttons == MsgButtons::Ok      ? MsgAnswer::Ok
               : request.buttons == MsgButtons::YesNo ? MsgAnswer::No
                                                      : MsgAnswer::Cancel;
    }
}

} // namespace platform
