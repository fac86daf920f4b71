#pragma once

// The About window: title, blinking version, the author's links, credits and the button
// that starts the system information tool.

#include "platform/forms/SecondaryWindow.h"

#include <cstdint>

class QLabel;
class QTimer;

class frmAbout : public forms::SecondaryWindow
{
    Q_OBJECT
public:
    /// @param platform the desktop services the window uses
    /// @param soundsOn tells whether the main window's "Play sounds" box is checked
    frmAbout(const platform::Platform& platform, std::function<bool()> soundsOn);

    /// The window and its controls as designed.
    static forms::WindowDesign design();

    /// Starts the system information tool or reports that there is none.
    void StartSysInfo();

public slots:
    void Command1_Click();
    void Command2_Click();
    void Form_MouseMove();
    void Label1_MouseMove();
    void Label5_MouseMove();
    void Label8_MouseMove();
    void Label1_Click();
    void Label5_Click();
    void Label8_Click();
    void Timer1_Timer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QLabel* m_label1 = nullptr;
    QLabel* m_label5 = nullptr;
    QLabel* m_label8 = nullptr;
    QLabel* m_label6 = nullptr;
    QLabel* m_versions[2] = {nullptr, nullptr};
    QTimer* m_timer1 = nullptr;
    /// Which version label the next blink step copies: 0 or 1.
    std::int16_t m_blink = 0;
};
