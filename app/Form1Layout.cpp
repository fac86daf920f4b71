#include "app/Form1Layout.h"

#include "catalogue/Faces.h"
#include "translator/MessageView.h"

namespace form1 {

using forms::ControlKind;
using forms::FontDesign;
using forms::fromBgr;
using platform::FontFace;

QString pictureButton(int index)
{
    return QStringLiteral("Command%1").arg(4 + index);
}

std::vector<forms::ControlDesign> controls()
{
    const FontDesign small{FontFace::Tahoma, 8.25, false};
    const FontDesign frame{FontFace::Tahoma, 8.25, true};
    const FontDesign list{FontFace::MSSansSerif, 8.25, false};
    const FontDesign description{FontFace::Tahoma, 12, true};
    const FontDesign display{FontFace::Tahoma, 24, false};
    const FontDesign search{FontFace::Tahoma, 9.75, false};
    const QColor lightGrey = fromBgr(0x00E0E0E0);
    const QString panel = QStringLiteral("translatorPanel");
    const QString choosing = QStringLiteral("Choosing one shows it, ready to copy");
    constexpr Qt::Alignment middle = Qt::AlignLeft | Qt::AlignVCenter;

    // The translator panel holds the controls right of the separator; it is hidden while
    // the window is narrow, so none of them can take the focus out of sight. Its controls
    // are placed from its corner.
    std::vector<forms::ControlDesign> c{
        {.name = panel,
         .kind = ControlKind::Panel,
         .twips = {kPanelLeft, 0, kClientWidth + kPanelWidth - kPanelLeft, kClientHeight}}};
    for (int i = 0; i < catalogue::kFaceCount; ++i) {
        const QString face = catalogue::faces()[std::size_t(i)].description.toString();
        c.push_back({.name = pictureButton(i),
                     .kind = ControlKind::CommandButton,
                     .twips = {120 + 360 * i, 120, 375, 375},
                     .tooltip = face,
                     .tabIndex = 10 + i,
                     .accessibleName = face,
                     .accessibleDescription = QStringLiteral("Shows this picture, ready to copy")});
    }
    using enum ControlKind;
    // One control to a row, as a form's listing has it.
    // clang-format off
    c.insert(c.end(), {
    {.name = "Label2", .kind = Label, .twips = {120, 600, 4815, 615}, .font = description,
     .foreColor = forms::kNavy, .wordWrap = true, .tabIndex = 2,
     .accessibleDescription = "What the chosen entry means"},
    {.name = "Label1", .kind = Label, .twips = {120, 1320, 1335, 735}, .font = display,
     .backColor = lightGrey, .alignment = Qt::AlignCenter, .tabIndex = 1,
     .accessibleDescription = "The chosen emoticon or acronym"},
    {.name = "Image1", .kind = Image, .twips = {480, 1440, 495, 495},
     .accessibleName = "Chosen picture"},
    {.name = "Frame1", .kind = Frame, .twips = {1560, 1320, 1695, 735}, .text = "Search",
     .font = frame, .tabIndex = 6},
    {.name = "Txt1", .kind = TextBox, .twips = {120, 285, 1455, 330}, .container = "Frame1",
     .font = search, .tooltip = "Enter search text here", .tabIndex = 7,
     .accessibleName = "Search text"},
    {.name = "Frame2", .kind = Frame, .twips = {3360, 1320, 1575, 735}, .text = "Sound",
     .font = frame, .tabIndex = 8},
    {.name = "Check1", .kind = CheckBox, .twips = {120, 360, 1335, 255}, .text = " Play sounds",
     .container = "Frame2", .tooltip = "Enable / Disable Sound", .tabIndex = 9,
     .accessibleName = "Play sounds"},
    {.name = "Command1", .kind = CommandButton, .twips = {120, 2280, 1215, 435},
     .text = "Copy to clipboard", .font = small, .tooltip = "Copy To Memory ", .tabIndex = 3},
    {.name = "Command15", .kind = CommandButton, .twips = {120, 2280, 1215, 435},
     .text = "&Copy to clipboard", .font = small, .tooltip = "Copy To Memory ", .visible = false,
     .tabIndex = 21, .accessibleName = "Copy picture to clipboard"},
    {.name = "Command3", .kind = CommandButton, .twips = {1440, 2280, 1095, 435},
     .text = "C&lear search", .font = small, .tooltip = "Clear Search", .tabIndex = 5},
    {.name = "chkOnTop", .kind = ToggleButton, .twips = {2640, 2280, 960, 435},
     .text = "&On Top", .font = small, .tooltip = "Always on top", .tabIndex = 22},
    {.name = "Command2", .kind = CommandButton, .twips = {3720, 2280, 1095, 435},
     .text = "&Quit", .font = small, .tooltip = "Exit", .tabIndex = 4},
    {.name = "List1", .kind = ListBox, .twips = {0, 2880, 5055, 2790}, .font = list,
     .tabIndex = 0, .accessibleName = "Smileys", .accessibleDescription = choosing},
    {.name = "List2", .kind = ListBox, .twips = {0, 2880, 5055, 2790}, .font = list,
     .visible = false, .tabIndex = 24, .accessibleName = "Acronyms",
     .accessibleDescription = choosing},
    {.name = "cmdOpenEbonic", .kind = CommandButton, .twips = {4080, 5880, 855, 255},
     .text = ">>", .tabIndex = 31, .accessibleName = "Open the translator"},
    // Shown only while Glyphora has something to say that must not take the keyboard.
    {.name = "lblNotice", .kind = Label, .twips = {60, 5685, 3960, 540}, .font = small,
     .foreColor = fromBgr(0x00000080), .visible = false, .tabIndex = 40},
    {.name = "Label3", .kind = Label, .twips = {5400 - kPanelLeft, 120, 2775, 255},
     .text = "English to ebonic Translator", .container = panel, .alignment = middle,
     .tabIndex = 34},
    {.name = "Message_Text", .kind = MultiLineTextBox,
     .twips = {5400 - kPanelLeft, 480, 4695, 4335}, .container = panel, .tabIndex = 28,
     .accessibleName = "Message", .accessibleDescription = "The text to translate",
     .make = [](QWidget* parent) { return new translator::MessageEdit(parent); }},
    {.name = "cmdClearText", .kind = CommandButton, .twips = {5400 - kPanelLeft, 4920, 975, 375},
     .text = "Clear", .container = panel, .tabIndex = 36, .accessibleName = "Clear message"},
    {.name = "cmdOpen", .kind = CommandButton, .twips = {6480 - kPanelLeft, 4920, 975, 375},
     .text = "Open", .container = panel, .tabIndex = 37,
     .accessibleDescription = "Opens a text file as the message"},
    {.name = "cmdSave", .kind = CommandButton, .twips = {7560 - kPanelLeft, 4920, 975, 375},
     .text = "Save", .container = panel, .tabIndex = 38,
     .accessibleDescription = "Saves the message"},
    {.name = "cmdSaveAs", .kind = CommandButton, .twips = {8640 - kPanelLeft, 4920, 1215, 375},
     .text = "Save as", .container = panel, .tabIndex = 39,
     .accessibleDescription = "Saves the message in a file of your choice"},
    {.name = "Cmdtranlate", .kind = CommandButton, .twips = {5400 - kPanelLeft, 5400, 1575, 375},
     .text = "Translate now", .container = panel, .tabIndex = 27,
     .accessibleDescription = "Translates the message"},
    {.name = "Sendtxtcmd", .kind = CommandButton, .twips = {7080 - kPanelLeft, 5400, 1335, 375},
     .text = "Add Text face", .container = panel, .tabIndex = 23,
     .accessibleDescription = "Adds the chosen emoticon or acronym to the message"},
    {.name = "cmdUndo", .kind = CommandButton, .twips = {8520 - kPanelLeft, 5400, 1455, 375},
     .text = "Undo Translate", .container = panel, .enabled = false, .tabIndex = 25,
     .accessibleDescription = "Brings back the message as it was before the translation"},
    {.name = "lblStatus", .kind = Label, .twips = {5520 - kPanelLeft, 5880, 3615, 255},
     .container = panel, .backColor = lightGrey, .alignment = middle, .tabIndex = 33,
     .accessibleDescription = "Translator status"},
    {.name = "cmdCloseEbonic", .kind = CommandButton, .twips = {9240 - kPanelLeft, 5880, 855, 255},
     .text = "<<", .container = panel, .tabIndex = 32, .accessibleName = "Close the translator"},
    // Hidden holders: never shown, they only keep text for the handlers.
    {.name = "txtSound", .kind = TextBox, .twips = {1680, 6240, 615, 315}, .text = "0",
     .visible = false, .tabIndex = 35},
    {.name = "Rtfbackup", .kind = TextBox, .twips = {2400, 6360, 1695, 975}, .text = "Text1",
     .visible = false, .tabIndex = 30},
    {.name = "rtfaftertran", .kind = TextBox, .twips = {360, 6360, 1095, 735}, .text = "Text1",
     .visible = false, .tabIndex = 29},
    {.name = "Ebonictxt", .kind = MultiLineTextBox, .twips = {2760, 7200, 735, 495},
     .visible = false, .tabIndex = 26},
    // A line's twips are its end points.
    {.name = "Line1", .kind = Line, .twips = {0, 0, 10320, 0}, .foreColor = fromBgr(0x00404040)},
    {.name = "Line2", .kind = Line, .twips = {0, 0, 5160, 0}, .foreColor = fromBgr(0x00808080)},
    {.name = "Line3", .kind = Line, .twips = {5160, 0, 5160, 6240}},
    {.name = "Line4", .kind = Line, .twips = {0, 6240, 10440, 6240}}});
    // clang-format on
    return c;
}

} // namespace form1
