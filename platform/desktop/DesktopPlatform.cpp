#include "platform/desktop/DesktopPlatform.h"

#include "platform/QtSettingsStore.h"
#include "platform/desktop/DesktopNotifications.h"
#include "platform/desktop/DesktopShell.h"
#include "platform/desktop/LinuxRegistry.h"
#include "platform/desktop/QtClipboard.h"
#include "platform/desktop/QtFileDialogs.h"
#include "platform/desktop/QtMessageBoxes.h"
#include "platform/desktop/QtResources.h"
#include "platform/desktop/QtSoundOutput.h"
#include "platform/desktop/QtWindowSystem.h"
#include "platform/desktop/XdgPaths.h"
#include "platform/typing/DesktopTextInserter.h"

namespace platform {

struct DesktopPlatform::Parts
{
    QtMessageBoxes messageBoxes;
    QtSettingsStore settings;
    QtResources resources;
    QtSoundOutput sound;
    QtClipboard clipboard;
    QtFileDialogs fileDialogs;
    XdgPaths paths;
    DesktopShell shell;
    LinuxRegistry registry;
    QtWindowSystem windows;
    DesktopTextInserter inserter{settings};
    DesktopNotifications notifications;
};

DesktopPlatform::DesktopPlatform() : m_parts(std::make_unique<Parts>()) {}

DesktopPlatform::~DesktopPlatform() = default;

Platform DesktopPlatform::services()
{
    Parts& p = *m_parts;
    return {p.messageBoxes, p.settings, p.resources, p.sound,   p.clipboard, p.fileDialogs,
            p.paths,        p.shell,    p.registry,  p.windows, p.inserter,  p.notifications};
}

} // namespace platform
