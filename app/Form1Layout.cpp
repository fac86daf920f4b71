#include "app/Form1Layout.h"

#include <array>

namespace form1 {

namespace {
// name, container, caption, tooltip, left, top, width, height, tab index,
// accessible name (none: the caption, or the tooltip of a control without one),
// accessible description
constexpr std::array kControls{
    ControlLayout{"Command4", nullptr, nullptr, "Big grin", 120, 120, 375, 375, 10, nullptr,
                  "Shows this picture, ready to copy"},
    ControlLayout{"Command5", nullptr, nullptr, "Confuse", 480, 120, 375, 375, 11, nullptr,
                  "Shows this picture, ready to copy"},
    ControlLayout{"Command6", nullptr, nullptr, "Cool", 840, 120, 375, 375, 12, nullptr,
                  "Shows this picture, ready to copy"},
    ControlLayout{"Command7", nullptr, nullptr, "Surprise", 1200, 120, 375, 375, 13, nullptr,
                  "Shows this picture, ready to copy"},
    ControlLayout{"Command8", nullptr, nullptr, "Frown", 1560, 120, 375, 375, 14, nullptr,
                  "Shows this picture, ready to copy"},
    ControlLayout{"Command9", nullptr, nullptr, "Mad", 1920, 120, 375, 375, 15, nullptr,
                  "Shows this picture, ready to copy"},
    ControlLayout{"Command10", nullptr, nullptr, "Embarrasment", 2280, 120, 375, 375, 16, nullptr,
                  "Shows this picture, ready to copy"},
    ControlLayout{"Command11", nullptr, nullptr, "Sarcastic", 2640, 120, 375, 375, 17, nullptr,
                  "Shows this picture, ready to copy"},
    ControlLayout{"Command12", nullptr, nullptr, "Stick out tongue", 3000, 120, 375, 375, 18,
                  nullptr, "Shows this picture, ready to copy"},
    ControlLayout{"Command13", nullptr, nullptr, "Smile", 3360, 120, 375, 375, 19, nullptr,
                  "Shows this picture, ready to copy"},
    ControlLayout{"Command14", nullptr, nullptr, "Wink", 3720, 120, 375, 375, 20, nullptr,
                  "Shows this picture, ready to copy"},
    ControlLayout{"Label2", nullptr, "", nullptr, 120, 600, 4815, 615, 2, nullptr,
                  "What the chosen entry means"},
    ControlLayout{"Label1", nullptr, "", nullptr, 120, 1320, 1335, 735, 1, nullptr,
                  "The chosen emoticon or acronym"},
    ControlLayout{"Image1", nullptr, nullptr, nullptr, 480, 1440, 495, 495, -1, "Chosen picture",
                  nullptr},
    ControlLayout{"Frame1", nullptr, "Search", nullptr, 1560, 1320, 1695, 735, 6, nullptr, nullptr},
    ControlLayout{"Txt1", "Frame1", "", "Enter search text here", 120, 285, 1455, 330, 7,
                  "Search text", nullptr},
    ControlLayout{"Frame2", nullptr, "Sound", nullptr, 3360, 1320, 1575, 735, 8, nullptr, nullptr},
    ControlLayout{"Check1", "Frame2", " Play sounds", "Enable / Disable Sound", 120, 360, 1335, 255,
                  9, "Play sounds", nullptr},
    ControlLayout{"Command1", nullptr, "Copy to clipboard", "Copy To Memory ", 120, 2280, 1215, 435,
                  3, nullptr, nullptr},
    ControlLayout{"Command15", nullptr, "&Copy to clipboard", "Copy To Memory ", 120, 2280, 1215,
                  435, 21, "Copy picture to clipboard", nullptr},
    ControlLayout{"Command3", nullptr, "C&lear search", "Clear Search", 1440, 2280, 1095, 435, 5,
                  nullptr, nullptr},
    ControlLayout{"chkOnTop", nullptr, "&On Top", "Always on top", 2640, 2280, 960, 435, 22,
                  nullptr, nullptr},
    ControlLayout{"Command2", nullptr, "&Quit", "Exit", 3720, 2280, 1095, 435, 4, nullptr, nullptr},
    ControlLayout{"List1", nullptr, nullptr, nullptr, 0, 2880, 5055, 2790, 0, "Smileys",
                  "Choosing one shows it, ready to copy"},
    ControlLayout{"List2", nullptr, nullptr, nullptr, 0, 2880, 5055, 2790, 24, "Acronyms",
                  "Choosing one shows it, ready to copy"},
    ControlLayout{"cmdOpenEbonic", nullptr, ">>", nullptr, 4080, 5880, 855, 255, 31,
                  "Open the translator", nullptr},
    ControlLayout{"Label3", nullptr, "English to ebonic Translator", nullptr, 5400, 120, 2775, 255,
                  34, nullptr, nullptr},
    ControlLayout{"Message_Text", nullptr, "", nullptr, 5400, 480, 4695, 4335, 28, "Message",
                  "The text to translate"},
    ControlLayout{"cmdClearText", nullptr, "Clear", nullptr, 5400, 4920, 975, 375, 36,
                  "Clear message", nullptr},
    ControlLayout{"cmdOpen", nullptr, "Open", nullptr, 6480, 4920, 975, 375, 37, nullptr,
                  "Opens a text file as the message"},
    ControlLayout{"cmdSave", nullptr, "Save", nullptr, 7560, 4920, 975, 375, 38, nullptr,
                  "Saves the message"},
    ControlLayout{"cmdSaveAs", nullptr, "Save as", nullptr, 8640, 4920, 1215, 375, 39, nullptr,
                  "Saves the message in a file of your choice"},
    ControlLayout{"Cmdtranlate", nullptr, "Translate now", nullptr, 5400, 5400, 1575, 375, 27,
                  nullptr, "Translates the message"},
    ControlLayout{"Sendtxtcmd", nullptr, "Add Text face", nullptr, 7080, 5400, 1335, 375, 23,
                  nullptr, "Adds the chosen emoticon or acronym to the message"},
    ControlLayout{"cmdUndo", nullptr, "Undo Translate", nullptr, 8520, 5400, 1455, 375, 25, nullptr,
                  "Brings back the message as it was before the translation"},
    ControlLayout{"lblStatus", nullptr, "", nullptr, 5520, 5880, 3615, 255, 33, nullptr,
                  "Translator status"},
    ControlLayout{"cmdCloseEbonic", nullptr, "<<", nullptr, 9240, 5880, 855, 255, 32,
                  "Close the translator", nullptr},
    ControlLayout{"txtSound", nullptr, "0", nullptr, 1680, 6240, 615, 315, 35, nullptr, nullptr},
    ControlLayout{"Rtfbackup", nullptr, "Text1", nullptr, 2400, 6360, 1695, 975, 30, nullptr,
                  nullptr},
    ControlLayout{"rtfaftertran", nullptr, "Text1", nullptr, 360, 6360, 1095, 735, 29, nullptr,
                  nullptr},
    ControlLayout{"Ebonictxt", nullptr, nullptr, nullptr, 2760, 7200, 735, 495, 26, nullptr,
                  nullptr},
};

const std::array kLines{
    LineLayout{"Line1", 0, 0, 10320, 0, fromBgr(0x00404040)},
    LineLayout{"Line2", 0, 0, 5160, 0, fromBgr(0x00808080)},
    LineLayout{"Line3", 5160, 0, 5160, 6240, std::nullopt},
    LineLayout{"Line4", 0, 6240, 10440, 6240, std::nullopt},
};
} // namespace

std::span<const ControlLayout> controls()
{
    return kControls;
}

std::span<const LineLayout> lines()
{
    return kLines;
}

const ControlLayout* find(const QString& name)
{
    for (const ControlLayout& c : kControls) {
        if (name == QLatin1String(c.name))
            return &c;
    }
    return nullptr;
}

} // namespace form1
