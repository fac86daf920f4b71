#include "about/HelpText.h"

#include "about/AboutTexts.h"

namespace about {

QStringList helpLines()
{
    // Trailing blanks are deliberate: the text is shown exactly as it was written.
    return {
        QStringLiteral("Glyphora is a free, comprehensive collection of more than "),
        QStringLiteral("200 of the ubiquitous keyboard symbol compilations. You'll always "),
        QStringLiteral("find the perfect expression of your mood, attitude, or interests to "),
        QStringLiteral("cut and paste into your chats or emails. You can browse the "),
        QStringLiteral("alphabetical list or try some keywords in the search window to "),
        QStringLiteral("find the necessary face to make your point. A handycopy to "),
        QStringLiteral("Clipboard control makes it easy to grab the image and paste it "),
        QStringLiteral("where needed. It's a simple utility that will make your online "),
        QStringLiteral("communication a lot more expressive."),
        QString(),
        QStringLiteral("Commands: "),
        QStringLiteral("Listbox : Select or highlight an item in a listbox to show its smiley "),
        QStringLiteral("face. You can use either scrollbar or arrow key to select."),
        QString(),
        QStringLiteral("Copy to clipboard : When a smiley face shows in the box , you "),
        QStringLiteral("can copy it to clipboard. After copy , you need to paste it. "),
        QString(),
        QStringLiteral("Paste it: Choose and left-click an area that you want to paste it , "),
        QStringLiteral("then right-click your mouse to open pop-up menu and choose to "),
        QStringLiteral("paste. "),
        QString(),
        QStringLiteral("Search : You can search faces by enter the nearest word in "),
        QStringLiteral("search box.   ") + kHelpThanksNote,
        QString(),
        QStringLiteral("Clear : Clear the search box."),
        QString(),
        QStringLiteral("On Top: Keep this program on top of screen."),
        QString(),
        QStringLiteral("Play sounds: Option checked to enable sound."),
        QString(),
        QStringLiteral("3d face: Please note that the 3d face only support html format . "),
        QStringLiteral("example Ms Outlook, Ms Word, Excel and etc ...."),
        QString(),
        QStringLiteral("This software is provided \"as is\", without any guarantee made as "),
        QStringLiteral("to its suitability  for any particular use. It may contain bugs, so use "),
        QStringLiteral("of this tool is at your own risk. I take no responsilbity for any "),
        QStringLiteral("damage that may unintentionally be caused through its use. "),
        QString(),
        QStringLiteral("If you encounter problems, please visit "),
        kWebPage1 + QStringLiteral(" and download the latest "),
        QStringLiteral("version to see if the issue has been resolved. If not, please send "),
        QStringLiteral("a bug report to: ") + kAuthorEmail,
    };
}

QString helpText()
{
    const QString crlf = QStringLiteral("\r\n");
    return helpLines().join(crlf) + crlf;
}

} // namespace about
