#pragma once

#include <QString>

namespace platform {

/// Where Glyphora's own settings are: the application and section every one is under.
inline const QString kSettingsApp = QStringLiteral("Glyphora");
inline const QString kSettingsSection = QStringLiteral("Settings");
/// The key that summons the running window, by the name keyChordName gives it, or "none".
inline const QString kSummonKeySetting = QStringLiteral("SummonKey");
/// The rows the user picked, as catalogue::Favourites stores them.
inline const QString kFavouritesSetting = QStringLiteral("Favourites");
/// How the search box searches: "words" (the default) also finds a word inside a caption
/// where no caption begins with the text; "start" finds captions by their beginning only.
inline const QString kSearchSetting = QStringLiteral("Search");
inline const QString kSearchByWords = QStringLiteral("words");
inline const QString kSearchByStart = QStringLiteral("start");
/// What the desktop's remote desktop portal gave to be spared its question next time.
inline const QString kPortalTokenSetting = QStringLiteral("RemoteDesktopToken");

/// The per-user settings store: one string per application, section and key.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    /// @return the stored text, or an empty string when it is missing or unreadable.
    virtual QString GetSetting(const QString& app, const QString& section, const QString& key) = 0;
    /// Writes and flushes at once. Throws std::runtime_error, saying why, when the store
    /// cannot be written or is damaged; a damaged store is then left as it was.
    virtual void SaveSetting(const QString& app, const QString& section, const QString& key,
                             const QString& value) = 0;
};

} // namespace platform
