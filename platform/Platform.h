#pragma once

// The desktop services a window may call, bundled so that a window takes them in its
// constructor. The program passes the desktop implementations; tests pass fakes.

#include "platform/Clipboard.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/Notifications.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/Resources.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "platform/SoundOutput.h"
#include "platform/WindowSystem.h"
#include "platform/typing/TextInserter.h"

namespace platform {

struct Platform
{
    MessageBoxes& messageBoxes;
    SettingsStore& settings;
    Resources& resources;
    SoundOutput& sound;
    Clipboard& clipboard;
    FileDialogs& fileDialogs;
    Paths& paths;
    Shell& shell;
    Registry& registry;
    WindowSystem& windows;
    TextInserter& inserter;
    Notifications& notifications;
};

} // namespace platform
