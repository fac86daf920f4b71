#pragma once

#include <QString>
#include <cstdint>
#include <functional>

namespace platform {

/// Types into the window the user came from: the last active window that was not one of
/// Glyphora's own. Text is typed as key strokes, so the clipboard is left alone; a picture
/// is pasted with the paste keystroke once it is on the clipboard.
class TextInserter
{
public:
    /// What the window the user came from can take.
    enum class Target {
        None,     ///< there is no such window, or it cannot be reached
        TextOnly, ///< a terminal: text, but no picture
        Any,
    };
    enum class Outcome {
        Inserted,
        NoTarget,    ///< nowhere to type: the window is gone, hidden, or did not come forward
        NotTypeable, ///< a character has no key and no keysym: nothing was typed
        Failed,      ///< the window system or the desktop's service broke off; see message
        Busy,        ///< an insert is still under way
    };
    struct Result
    {
        Outcome outcome = Outcome::NoTarget;
        /// Why nothing was typed, as a phrase that follows "Not typed: " ("the display did not
        /// answer within half a second"); empty where the outcome says it all.
        QString message;
    };
    struct Request
    {
        QString text;       ///< what to type, when not pasting
        bool paste = false; ///< send the paste keystroke instead
        /// Moves Glyphora's window out of the way; called once the window it types into has
        /// the keyboard, or before typing where that is how the keyboard goes back.
        std::function<void()> stepAside;
    };
    using Done = std::function<void(const Result&)>;

    virtual ~TextInserter() = default;
    virtual Target target() const = 0;
    /// Starts an insert; `done` runs once when it is over, which may be before this returns.
    virtual void insert(const Request& request, Done done) = 0;
    /// Gives the keyboard back to the window the user came from, as the user's act at this
    /// window-system time.
    /// @return whether it was asked for; false where there is no such window
    virtual bool returnKeyboard(std::uint32_t userTime) = 0;
};

} // namespace platform
