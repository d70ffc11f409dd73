#pragma once
// The dialog service: open, save, message box and colour picker. In normal use it shows Qt's
// dialogs; tests install a ScriptedDialogs, which answers from a queue and records every request.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "rt/conv.h"
#include "rt/folderitem.h"

namespace rt {

// The file chosen, or nothing when the user cancelled. The file type names a registered type
// whose extensions filter the list, in either case of letters; the user may also list every file.
// A save dialog whose default name has an extension the type lacks lists files of that extension
// first.
std::optional<FolderItem> GetOpenFolderItem(const std::string& fileType);
std::optional<FolderItem> GetSaveFolderItem(const std::string& fileType, const std::string& defaultName);
// A modal message with an OK button.
void MsgBox(const std::string& text);
// True when the user chose a colour, which is then in `color`; `color` is the initial one.
bool SelectColor(Color& color, const std::string& prompt);

// The language of Qt's own texts in the dialogs above (their buttons and labels), as an ISO 639
// code: "it" installs Qt's Italian translations, "en" none. False when the translations for the
// language are not installed; the dialogs then speak English.
bool SetDialogLanguage(const std::string& language);

struct DialogRequest {
    enum class Kind { Open, Save, Message, Color };
    Kind kind = Kind::Message;
    std::string fileType;             // Open, Save
    std::vector<std::string> filters; // Open, Save: the name filters offered, the first chosen
    std::string defaultName;          // Save
    std::string text;                 // Message text, Color prompt
    Color color = 0;                  // Color: the initial colour
};

// While an object of this class lives, dialogs are answered by it. A dialog asked for with no
// answer left (or of another kind than the next answer) is answered as cancelled and reported
// through the failure handler, so a test never hangs.
class ScriptedDialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs();
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // nullopt answers as cancelled.
    void AnswerOpen(std::optional<std::string> path);
    void AnswerSave(std::optional<std::string> path);
    void AnswerMessage();
    void AnswerColor(std::optional<Color> color);

    const std::vector<DialogRequest>& Requests() const { return requests_; }
    std::size_t PendingAnswers() const { return answers_.size(); }

    // Called with a description of an unscripted dialog. The test main sets it to fail the test.
    static void SetFailureHandler(std::function<void(const std::string&)> handler);

    // For the dialog service.
    struct Answer {
        DialogRequest::Kind kind;
        std::optional<std::string> path;
        std::optional<Color> color;
    };
    static ScriptedDialogs* Active();
    std::optional<Answer> Take(const DialogRequest& request);

private:
    std::deque<Answer> answers_;
    std::vector<DialogRequest> requests_;
    ScriptedDialogs* previous_ = nullptr;
};

// While an object of this class lives, the user answers Qt's dialogs, whatever script is
// installed: for tests of the dialogs themselves.
class UserDialogs {
public:
    UserDialogs();
    ~UserDialogs();
    UserDialogs(const UserDialogs&) = delete;
    UserDialogs& operator=(const UserDialogs&) = delete;

private:
    ScriptedDialogs* suspended_ = nullptr;
};

} // namespace rt
