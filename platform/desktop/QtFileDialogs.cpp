#include "platform/desktop/QtFileDialogs.h"

#include <QFileDialog>

namespace platform {

QStringList nameFiltersFromPipes(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the parentheses; add them when the description lacks them.
        filters << (parts[i].contains(QLatin1Char('(')) ? parts[i]
                                                        : parts[i] + " (" + patterns + ")");
    }
    return filters;
}

namespace {
FileDialogResult run(QFileDialog::AcceptMode mode, const FileDialogRequest& request)
{
    // A parent makes the dialog transient for the window that asked, which the window
    // manager then keeps it above.
    QFileDialog dialog(request.owner);
    dialog.setAcceptMode(mode);
    // Open accepts names that do not exist; Save As neither asks nor adds an extension.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::ReadOnly, false);
    const QStringList filters = nameFiltersFromPipes(request.filter);
    dialog.setNameFilters(filters);
    // The index is 1-based; 0 means the first filter.
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return result;
    result.accepted = true;
    result.fileName = dialog.selectedFiles().constFirst();
    result.filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return result;
}
} // namespace

FileDialogResult QtFileDialogs::GetOpenFileName(const FileDialogRequest& request)
{
    return run(QFileDialog::AcceptOpen, request);
}

FileDialogResult QtFileDialogs::GetSaveFileName(const FileDialogRequest& request)
{
    return run(QFileDialog::AcceptSave, request);
}

} // namespace platform
