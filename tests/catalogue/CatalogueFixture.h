#pragma once

// Bare catalogue controls, as the main window would create them, wired to the handlers with
// fake platform services (or a clipboard of the test's choice).

#include "catalogue/CatalogueHandlers.h"
#include "platform/fakes/FakePlatform.h"
#include "platform/forms/SoundPlayer.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <memory>

inline const QColor kDarkBlue(0, 0, 128);
inline const QColor kDarkRed(128, 0, 0);

struct CatalogueFixture
{
    /// @param settings stored before the handlers read them, by "app/section/key"
    explicit CatalogueFixture(platform::Clipboard* clipboard = nullptr,
                              const QHash<QString, QString>& settings = {})
    {
        fakes.settings.values = settings;
        auto* list1 = new QListWidget(&window);
        auto* list2 = new QListWidget(&window);
        list2->hide();
        controls = {list1,
                    list2,
                    new QLabel(&window),
                    new QLabel(&window),
                    new QLabel(&window),
                    new QPushButton(QStringLiteral("Copy to clipboard"), &window),
                    new QPushButton(QStringLiteral("&Copy to clipboard"), &window),
                    new QPushButton(QStringLiteral("C&lear search"), &window),
                    new QPushButton(QStringLiteral("Add Text face"), &window),
                    {},
                    new QLineEdit(&window),
                    new QPlainTextEdit(&window),
                    new QCheckBox(QStringLiteral(" Play sounds"), &window),
                    new QLabel(&window)};
        for (QPushButton*& button : controls.pictureButtons)
            button = new QPushButton(&window);
        // The window's display size: a text wider than it is drawn smaller.
        controls.Label1->resize(89, 49);
        // Roomier than the window's, so that the tests read the notices whole.
        controls.lblNotice->resize(800, 100);
        controls.Image1->setScaledContents(true);
        controls.Command15->hide();
        controls.Check1->setChecked(true);
        setColour(kDarkBlue);
        sound = std::make_unique<platform::SoundPlayer>(
            fakes.resources, fakes.sound, fakes.messageBoxes, &window,
            [check = controls.Check1] { return check->isChecked(); });
        handlers = std::make_unique<CatalogueHandlers>(
            controls, clipboard ? *clipboard : fakes.clipboard, *sound, fakes.inserter,
            fakes.messageBoxes, fakes.notifications, fakes.settings, [this] { ++stepsAside; });
    }

    QColor colour() const { return controls.Label2->palette().color(QPalette::WindowText); }
    void setColour(const QColor& colour)
    {
        QPalette p = controls.Label2->palette();
        p.setColor(QPalette::WindowText, colour);
        controls.Label2->setPalette(p);
    }
    qsizetype plays() const { return fakes.sound.plays.size(); }
    bool textDisplay() const
    {
        return !controls.Label1->isHidden() && !controls.Command1->isHidden() &&
               controls.Image1->isHidden() && controls.Command15->isHidden();
    }
    bool pictureDisplay() const
    {
        return controls.Label1->isHidden() && controls.Command1->isHidden() &&
               !controls.Image1->isHidden() && !controls.Command15->isHidden();
    }

    platform::fakes::FakePlatform fakes;
    QWidget window;
    CatalogueControls controls{};
    std::unique_ptr<platform::SoundPlayer> sound;
    std::unique_ptr<CatalogueHandlers> handlers;
    int stepsAside = 0;
};
