#pragma once

// The About window: title, blinking version, the author's links, credits and the button
// that starts the system information tool. Modeless and without owner; closing it
// destroys it, so the main window holds it in a QPointer and makes a new one when asked.

#include "platform/Platform.h"
#include "platform/SoundPlayer.h"

#include <QHash>
#include <QWidget>
#include <cstdint>
#include <functional>

class QLabel;
class QTimer;

class frmAbout : public QWidget
{
    Q_OBJECT
public:
    /// @param platform the desktop services the window uses
    /// @param soundsOn tells whether the main window's "Play sounds" box is checked
    frmAbout(const platform::Platform& platform, std::function<bool()> soundsOn);

    /// The window's own click-sound player.
    platform::SoundPlayer sound;

    /// Starts the system information tool or reports that there is none.
    void StartSysInfo();
    /// Reads a registry value; see about::GetKeyValue.
    bool GetKeyValue(platform::HKEY KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                     QString& KeyVal);

    /// A control by its design name, such as "Label6" or "lbAppVersion(0)".
    QWidget* control(const QString& name) const { return m_controls.value(name); }

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
    void setForeColor(QLabel* label, const QColor& colour);

    platform::Platform m_platform;
    QHash<QString, QWidget*> m_controls;
    QLabel* m_label1 = nullptr;
    QLabel* m_label5 = nullptr;
    QLabel* m_label8 = nullptr;
    QLabel* m_label6 = nullptr;
    QLabel* m_versions[2] = {nullptr, nullptr};
    QTimer* m_timer1 = nullptr;
    /// Which version label the next blink step copies: 0 or 1.
    std::int16_t m_blink = 0;
};
