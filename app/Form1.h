#pragma once

#include "platform/Platform.h"

#include <QMainWindow>

class Form1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit Form1(const platform::Platform& platform, QWidget* parent = nullptr);

private:
    platform::Platform m_platform;
};
