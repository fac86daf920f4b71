#include "app/Form1.h"

Form1::Form1(const platform::Platform& platform, QWidget* parent)
    : QMainWindow(parent), m_platform(platform)
{
    setWindowTitle(QStringLiteral("Verot Glyphora v1.9.0"));
}
