#pragma once

// What a screen reader finds in a window: its accessible tree as Qt hands it to the
// desktop's accessibility bridge, and the parts of it that say nothing.

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace accessible_tree {

/// Calls `visit` for every interface below `root` (included) that is not invisible.
inline void forEachVisible(QAccessibleInterface* root,
                           const std::function<void(QAccessibleInterface*)>& visit)
{
    if (!root || !root->isValid() || root->state().invisible)
        return;
    visit(root);
    for (int i = 0; i < root->childCount(); ++i)
        forEachVisible(root->child(i), visit);
}

/// A readable path for a failure message: the object's name, else its role and name.
inline QString describe(QAccessibleInterface* iface)
{
    const QObject* object = iface->object();
    QString what = object && !object->objectName().isEmpty()
                       ? object->objectName()
                       : QStringLiteral("role %1").arg(int(iface->role()));
    return what + QStringLiteral(" \"%1\"").arg(iface->text(QAccessible::Name));
}

/// Every visible control of `window` that a screen reader would meet with nothing to say.
/// Controls need a name. Labels must keep their own text as their name (a label given a
/// name hides its text), and one without text needs a name or a description. Scroll bars,
/// bare containers and drawn lines are parts of other controls or decoration; a control that
/// takes no room at all shows nothing.
/// @param quiet names of controls that are known to show nothing, and why, in the caller
inline QStringList silentControls(QWidget* window, const QStringList& quiet = {})
{
    QStringList silent;
    forEachVisible(QAccessible::queryAccessibleInterface(window), [&](QAccessibleInterface* i) {
        if (i->rect().isEmpty())
            return; // takes no room: nothing to see, read or click
        if (i->object() && quiet.contains(i->object()->objectName()))
            return;
        const QString name = i->text(QAccessible::Name);
        const QString description = i->text(QAccessible::Description);
        switch (i->role()) {
        case QAccessible::ScrollBar:
        case QAccessible::Client:
        case QAccessible::Window:
        case QAccessible::MenuBar:
        case QAccessible::Separator:
        case QAccessible::Pane:
            return;
        case QAccessible::StaticText:
        case QAccessible::Graphic:
            if (const auto* label = qobject_cast<const QLabel*>(i->object());
                label && !label->text().isEmpty() && name != label->text()) {
                silent << describe(i) + QStringLiteral(" hides its text \"%1\"").arg(label->text());
            } else if (name.isEmpty() && description.isEmpty()) {
                silent << describe(i);
            }
            return;
        default:
            if (name.trimmed().isEmpty())
                silent << describe(i);
            return;
        }
    });
    return silent;
}

/// @return the interface of `object`, a widget or an action in a menu bar.
inline QAccessibleInterface* of(QObject* object)
{
    if (auto* action = qobject_cast<QAction*>(object)) {
        for (QObject* widget : action->associatedObjects()) {
            QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(widget);
            for (int i = 0; bar && i < bar->childCount(); ++i) {
                if (bar->child(i)->object() == action)
                    return bar->child(i);
            }
        }
        return nullptr;
    }
    return QAccessible::queryAccessibleInterface(object);
}

} // namespace accessible_tree
