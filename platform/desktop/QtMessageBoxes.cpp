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
    // The buttons as MsgButtons names them, which MsgDefault counts.
    QList<QMessageBox::StandardButton> order;
    switch (request.buttons) {
    case MsgButtons::Ok:
        order = {QMessageBox::Ok};
        break;
    case MsgButtons::OkCancel:
        order = {QMessageBox::Ok, QMessageBox::Cancel};
        break;
    case MsgButtons::YesNo:
        order = {QMessageBox::Yes, QMessageBox::No};
        break;
    case MsgButtons::YesNoCancel:
        order = {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
        break;
    }
    QMessageBox::StandardButtons buttons;
    for (QMessageBox::StandardButton button : order)
        buttons |= button;
    // A parent makes the box transient for the window that asked, which the window manager
    // then keeps it above.
    QMessageBox box(icon, request.caption, request.text, buttons, request.owner);
    const qsizetype defaultIndex = qsizetype(request.defaultButton);
    box.setDefaultButton(order.value(defaultIndex < order.size() ? defaultIndex : 0));
    // Escape and the title bar's close button answer with the last button: No, Cancel, or
    // Ok when it is alone.
    box.setEscapeButton(order.constLast());
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    default: // not reached: every way out of the box is one of its buttons
        return MsgAnswer::Cancel;
    }
}

} // namespace platform
