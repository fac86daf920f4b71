#include "platform/typing/DesktopTextInserter.h"

#include "platform/desktop/SessionBus.h"
#include "platform/desktop/WindowSystemChoice.h"
#include "platform/typing/portal/PortalTextInserter.h"
#include "platform/typing/x11/XTestTextInserter.h"

#include <QGuiApplication>

namespace platform {

DesktopTextInserter::DesktopTextInserter(SettingsStore& settings)
    : m_x11(std::make_unique<XTestTextInserter>())
{
    const bool wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ||
                         DisplayEnvironment::current().wayland();
    if (wayland) {
        m_portal = std::make_unique<PortalTextInserter>(SessionBus::findAddress(), &settings);
        // Beside XWayland, its keymap is the compositor's.
        m_portal->setLayoutReader([x11 = m_x11.get()] { return x11->keyboardLayout(); });
    }
}

DesktopTextInserter::~DesktopTextInserter() = default;

TextInserter* DesktopTextInserter::chosen() const
{
    // An X window the user came from is typed into through X, even in a Wayland session.
    if (m_x11->available() && (!m_portal || !m_x11->leftForOtherWindowSystem()))
        return m_x11.get();
    return m_portal.get();
}

TextInserter::Target DesktopTextInserter::target() const
{
    const TextInserter* inserter = chosen();
    return inserter ? inserter->target() : Target::None;
}

void DesktopTextInserter::insert(const Request& request, Done done)
{
    if (TextInserter* inserter = chosen())
        inserter->insert(request, std::move(done));
    else
        done({Outcome::NoTarget, {}});
}

} // namespace platform

namespace platform {

bool DesktopTextInserter::returnKeyboard(std::uint32_t userTime)
{
    TextInserter* inserter = chosen();
    return inserter && inserter->returnKeyboard(userTime);
}

} // namespace platform
