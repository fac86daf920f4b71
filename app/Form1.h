#pragma once

// The main window. It creates every control from its layout table and owns the
// application shell: start-up and shutdown, the views and the menu, "On Top", the click
// sound and the "Sound" setting. The behaviour of the other controls lives with their
// subsystems, which receive the controls they drive:
//   catalogue/  - the lists, the display area, the picture and copy buttons, the search box;
//   translator/ - the message text, its files, "Translate now" and "Undo Translate";
//   about/      - the About and Quick Help windows opened from the menu.

#include "platform/Platform.h"
#include "platform/forms/SoundPlayer.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class CatalogueHandlers;
class TranslatorHandlers;

class Form1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit Form1(const platform::Platform& platform, QWidget* parent = nullptr);
    ~Form1() override;

    /// The start-up sequence; runs once, after construction and before the window is shown.
    void Form_Load();
    /// The terminate sequence; runs when the program finishes because no window is left.
    void Form_Terminate();

    /// How the program ends "at once"; the default leaves the event loop.
    void setProcessEnder(std::function<void(int)> ender) { m_endProcess = std::move(ender); }
    /// True once the quit or terminate sequence has ended the program.
    bool ended() const { return m_ended; }

    void PlayResSound(const QString& resourceName, const QString& resourceType);
    platform::SoundPlayer& soundPlayer() { return m_sound; }
    /// The "Play sounds" box, which every window's sound player consults.
    bool soundsOn() const;
    /// The window has been summoned: the search box takes the keyboard, its text selected,
    /// so that the user types a search at once.
    void summoned();
    /// The summon key pressed while the window has the keyboard: it steps aside as after an
    /// insert (minimised, or where it is with "On Top").
    void sendAway() { stepAside(); }
    /// The settings file has changed: the settings the window follows are read again.
    void settingsChanged();

signals:
    /// The quit or terminate sequence has begun; the program ends after its pause.
    void quitStarted();

public slots:
    void Command2_Click();
    void Check1_Click();
    void SaveSoundSetting();
    void chkOnTop_Click();
    void mnusmile_Click();
    void mnuAcronyms_Click();
    void mnuEbonic_Click();
    void cmdOpenEbonic_Click();
    void cmdCloseEbonic_Click();
    void mnuhelp_Click();
    void mnureadme_Click();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void createControls();
    void createMenu();
    void setClientWidth(int twips);
    void widenBy(int twips);
    void closeSecondaryWindows();
    void bringToFront(QWidget* window);
    void keepInTopBand(QWidget* window);
    void stepAside();
    void endProgram();

    platform::Platform m_platform;
    platform::SoundPlayer m_sound;
    std::function<void(int)> m_endProcess;
    bool m_ended = false;
    bool m_dictionaryHolderFilled = false;
    int m_clientWidthTwips = 0;

    QWidget* m_client = nullptr;
    QWidget* m_translatorPanel = nullptr;
    CatalogueHandlers* m_catalogue = nullptr;
    TranslatorHandlers* m_translator = nullptr;
    QPointer<QWidget> m_about;
    QPointer<QWidget> m_help;

    // The controls that the window's own handlers use, named as laid out.
    QLabel* Label2 = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* chkOnTop = nullptr;
    QListWidget* List1 = nullptr;
    QListWidget* List2 = nullptr;
    QPushButton* cmdOpenEbonic = nullptr;
    QLineEdit* txtSound = nullptr;

    QAction* mnusmile = nullptr;
    QAction* mnuAcronyms = nullptr;
    QAction* mnuEbonic = nullptr;
    QAction* mnuhelp = nullptr;
    QAction* mnureadme = nullptr;
};
