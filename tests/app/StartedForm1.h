#pragma once

// The main window as the user first sees it: loaded and shown, over fake desktop services.

#include "app/Form1.h"
#include "platform/fakes/FakePlatform.h"

#include <QTest>
#include <memory>

/// @return whether the window was exposed; the fakes and the window are left in the two
///         pointers for the test to use and reset.
inline bool startShownForm1(std::unique_ptr<platform::fakes::FakePlatform>& platform,
                            std::unique_ptr<Form1>& form)
{
    platform = std::make_unique<platform::fakes::FakePlatform>();
    form = std::make_unique<Form1>(platform->services());
    form->setProcessEnder([](int) {});
    form->Form_Load();
    form->show();
    return QTest::qWaitForWindowExposed(form.get());
}
