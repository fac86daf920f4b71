#pragma once

#include "platform/typing/TextInserter.h"

#include <memory>

namespace platform {

class PortalTextInserter;
class SettingsStore;
class XTestTextInserter;

/// Types into the window the user came from by the way that reaches it: XTEST where it is an
/// X window, the desktop portal in a Wayland session, nothing elsewhere (offscreen, say).
class DesktopTextInserter final : public TextInserter
{
public:
    /// @param settings keeps the portal's permission from one run to the next
    explicit DesktopTextInserter(SettingsStore& settings);
    ~DesktopTextInserter() override;

    Target target() const override;
    void insert(const Request& request, Done done) override;
    bool returnKeyboard(std::uint32_t userTime) override;

private:
    TextInserter* chosen() const;

    std::unique_ptr<XTestTextInserter> m_x11;
    std::unique_ptr<PortalTextInserter> m_portal;
};

} // namespace platform
