#include "platform/forms/SecondaryWindow.h"

#include <utility>

namespace forms {

SecondaryWindow::SecondaryWindow(const platform::Platform& platform, std::function<bool()> soundsOn,
                                 const WindowDesign& design)
    : QWidget(nullptr, design.flags),
      sound(platform.resources, platform.sound, platform.messageBoxes, this, std::move(soundsOn)),
      m_platform(platform)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QLatin1String(design.className));
    setAccessibleWindowRole(design.className, design.role);
    setWindowTitle(design.title);
    platform::registerFallbackFonts();
    setFont(platform::makeFont(design.font.face, design.font.pointSize, design.font.bold));

    const double twipsX = platform.windows.TwipsPerPixelX();
    const double twipsY = platform.windows.TwipsPerPixelY();
    setFixedSize(twipsToPixels(design.twips.width(), twipsX),
                 twipsToPixels(design.twips.height(), twipsY));
    m_controls = buildControls(this, design.controls, twipsX, twipsY);
}

void SecondaryWindow::closeWithClick()
{
    sound.SoundFlags = platform::kClickSoundFlags;
    sound.PlayResSound(platform::kClickSound, platform::kClickSoundType);
    close();
}

} // namespace forms
