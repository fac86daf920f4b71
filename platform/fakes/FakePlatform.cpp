#include "platform/fakes/FakePlatform.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QtEndian>
#include <stdexcept>

namespace platform::fakes {

MsgAnswer FakeMessageBoxes::show(const MessageRequest& request)
{
    shown.append(request);
    if (!answers.isEmpty())
        return answers.dequeue();
    QList<MsgAnswer> order;
    switch (request.buttons) {
    case MsgButtons::Ok:
        order = {MsgAnswer::Ok};
        break;
    case MsgButtons::OkCancel:
        order = {MsgAnswer::Ok, MsgAnswer::Cancel};
        break;
    case MsgButtons::YesNo:
        order = {MsgAnswer::Yes, MsgAnswer::No};
        break;
    case MsgButtons::YesNoCancel:
        order = {MsgAnswer::Yes, MsgAnswer::No, MsgAnswer::Cancel};
        break;
    }
    const qsizetype index = qsizetype(request.defaultButton);
    return order.value(index < order.size() ? index : 0);
}

QStringList FakeMessageBoxes::texts() const
{
    QStringList list;
    for (const MessageRequest& r : shown)
        list << r.text;
    return list;
}

QString FakeSettingsStore::path(const QString& app, const QString& section, const QString& key)
{
    return app + QLatin1Char('/') + section + QLatin1Char('/') + key;
}

QString FakeSettingsStore::GetSetting(const QString& app, const QString& section,
                                      const QString& key)
{
    return values.value(path(app, section, key));
}

void FakeSettingsStore::SaveSetting(const QString& app, const QString& section, const QString& key,
                                    const QString& value)
{
    if (failWrites)
        throw std::runtime_error("Permission denied");
    values.insert(path(app, section, key), value);
    writes << path(app, section, key) + QLatin1Char('=') + value;
}

QByteArray silentWave()
{
    QByteArray wave;
    auto u32 = [&wave](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        wave.append(b, 4);
    };
    auto u16 = [&wave](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        wave.append(b, 2);
    };
    wave.append("RIFF");
    u32(5524 - 8);
    wave.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(11025);
    u32(11025);
    u16(1);
    u16(8);
    wave.append("data");
    u32(5480);
    wave.append(QByteArray(5480, char(0x80)));
    return wave;
}

FakeResources::FakeResources()
{
    items.insert(QStringLiteral("WAVE/SOUND1"), silentWave());
}

QByteArray FakeResources::LoadResData(const QString& name, const QString& type)
{
    ++loads;
    const auto it = items.constFind(type + QLatin1Char('/') + name);
    if (it == items.constEnd())
        throw std::runtime_error("Resource not found");
    return *it;
}

bool FakeSoundOutput::sndPlaySound(const QByteArray& wave, std::uint32_t flags)
{
    plays.append({wave, flags, wave.constData()});
    return true;
}

void FakeSoundOutput::stop()
{
    ++stops;
}

void FakeClipboard::Clear()
{
    if (unavailable)
        return;
    ++clears;
    text.clear();
    image = QImage();
    hasText = false;
}

void FakeClipboard::SetText(const QString& t)
{
    if (unavailable)
        return;
    text = t;
    hasText = true;
    image = QImage();
}

void FakeClipboard::SetImage(const QImage& i)
{
    if (unavailable)
        return;
    image = i;
    text.clear();
    hasText = false;
}

QString FakeClipboard::GetText() const
{
    return hasText ? text : QString();
}

FileDialogResult FakeFileDialogs::next()
{
    return answers.isEmpty() ? FileDialogResult{} : answers.dequeue();
}

FileDialogResult FakeFileDialogs::GetOpenFileName(const FileDialogRequest& request)
{
    openRequests.append(request);
    return next();
}

FileDialogResult FakeFileDialogs::GetSaveFileName(const FileDialogRequest& request)
{
    saveRequests.append(request);
    return next();
}

void FakeShell::ShellExecute(const QString& file)
{
    executed << file;
}

QString FakeShell::FindExecutable(const QString& file, const QString& directory, int& code)
{
    findQueries << directory + QLatin1Char('|') + file;
    code = findCode;
    return browser;
}

bool FakeShell::CreateProcess(const QString& program, const QStringList& arguments)
{
    started.append({program, arguments});
    return startSucceeds;
}

bool FakeShell::FileExists(const QString& path) const
{
    return existingFiles.contains(path) || QFileInfo(path).isFile();
}

std::int32_t FakeRegistry::RegOpenKeyEx(HKEY root, const QString& subKey, std::uint32_t access,
                                        HKEY& result)
{
    accessAsked << access;
    result = 0;
    if (root != HKEY_LOCAL_MACHINE || !keys.contains(subKey))
        return 2;
    m_open << subKey;
    result = HKEY(m_open.size());
    return ERROR_SUCCESS;
}

std::int32_t FakeRegistry::RegQueryValueEx(HKEY key, const QString& valueName, std::uint32_t& type,
                                           QByteArray& data, std::uint32_t& size)
{
    if (key == 0 || key > HKEY(m_open.size()))
        return 6; // invalid handle
    const auto values = keys.value(m_open[qsizetype(key) - 1]);
    const auto it = values.constFind(valueName);
    if (it == values.constEnd())
        return 2;
    if (std::uint32_t(it->data.size()) > size) {
        size = std::uint32_t(it->data.size());
        return 234; // more data
    }
    type = it->type;
    size = std::uint32_t(it->data.size());
    data.replace(0, it->data.size(), it->data);
    return ERROR_SUCCESS;
}

std::int32_t FakeRegistry::RegCloseKey(HKEY key)
{
    closed << key;
    return ERROR_SUCCESS;
}

void FakeWindowSystem::SetWindowPos(QWidget* window, bool topmost, const QRect& pixels)
{
    calls.append({window, topmost, pixels});
}

bool FakeWindowSystem::dispatchEventsFor(std::uint32_t milliseconds)
{
    QCoreApplication::processEvents();
    if (ending)
        return false;
    tick += milliseconds;
    return true;
}

void FakeTextInserter::insert(const Request& request, Done done)
{
    requests.append(request);
    if (outcome == Outcome::Inserted && request.stepAside) {
        ++stepsAside;
        request.stepAside();
    }
    done({outcome, outcome == Outcome::Inserted ? QString() : message});
}

} // namespace platform::fakes
