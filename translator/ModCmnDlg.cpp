#include "translator/ModCmnDlg.h"

namespace translator {

ModCmnDlg::ModCmnDlg(platform::FileDialogs& dialogs) : m_dialogs(dialogs) {}

void ModCmnDlg::ShowOpen()
{
    take(m_dialogs.GetOpenFileName({DlgFilter, DlgFlags, DlgFilterIndex, DlgOwner}));
}

void ModCmnDlg::ShowSave()
{
    take(m_dialogs.GetSaveFileName({DlgFilter, DlgFlags, DlgFilterIndex, DlgOwner}));
}

void ModCmnDlg::take(const platform::FileDialogResult& result)
{
    if (!result.accepted)
        return;
    // The dialog hands over the exact name: blanks at its ends belong to it.
    DlgFileName = CutAtNull(result.fileName);
    DlgFilterIndex = result.filterIndex;
}

QString ChangeExtension(const QString& path, const QString& extension)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    QString result = dot < 0 ? path : path.left(dot);
    if (!extension.isEmpty())
        result += QLatin1Char('.') + extension;
    return result;
}

QString fileNamePart(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString textFilePath(const QString& chosen)
{
    if (fileNamePart(chosen).contains(QLatin1Char('.')))
        return ChangeExtension(chosen, QStringLiteral("txt"));
    return chosen + QStringLiteral(".txt");
}

} // namespace translator
