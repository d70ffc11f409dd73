#include "rt/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "rt/widgetinternal.h"

namespace rt {

namespace {

ScriptedDialogs* activeScript = nullptr;
std::function<void(const std::string&)> failureHandler;

const char* KindName(DialogRequest::Kind kind) {
    switch (kind) {
    case DialogRequest::Kind::Open:
        return "open";
    case DialogRequest::Kind::Save:
        return "save";
    case DialogRequest::Kind::Message:
        return "message";
    case DialogRequest::Kind::Color:
        return "colour";
    }
    return "unknown";
}

// "Text files (*.txt)" from a registered type; every file for "special/any" or an unknown type.
QString FilterFor(const std::string& fileType) {
    const FileType* type = FindFileType(fileType);
    if (type == nullptr || type->Extensions.empty())
        return QStringLiteral("*");
    QStringList patterns;
    for (const QString& extension :
         detail::ToQ(type->Extensions).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = extension.trimmed();
        patterns << (trimmed.startsWith(QLatin1Char('.')) ? QStringLiteral("*") + trimmed : trimmed);
    }
    return detail::ToQ(type->Name) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
           QStringLiteral(")");
}

QWidget* DialogParent() {
    return QApplication::activeWindow();
}

// The file a file dialog hands back: the scripted answer when a script runs, else the user's.
std::optional<FolderItem> ChooseFile(const DialogRequest& request, const std::function<QString()>& ask) {
    if (ScriptedDialogs* script = ScriptedDialogs::Active()) {
        const auto answer = script->Take(request);
        if (!answer || !answer->path)
            return std::nullopt;
        return FolderItem(*answer->path);
    }
    detail::HandlerScope scope;
    const QString chosen = ask();
    if (chosen.isEmpty())
        return std::nullopt;
    return FolderItem(detail::FromQ(chosen));
}

} // namespace

ScriptedDialogs::ScriptedDialogs() : previous_(activeScript) {
    activeScript = this;
}

ScriptedDialogs::~ScriptedDialogs() {
    if (activeScript == this)
        activeScript = previous_;
}

void ScriptedDialogs::AnswerOpen(std::optional<std::string> path) {
    answers_.push_back({DialogRequest::Kind::Open, std::move(path), std::nullopt});
}
void ScriptedDialogs::AnswerSave(std::optional<std::string> path) {
    answers_.push_back({DialogRequest::Kind::Save, std::move(path), std::nullopt});
}
void ScriptedDialogs::AnswerMessage() {
    answers_.push_back({DialogRequest::Kind::Message, std::nullopt, std::nullopt});
}
void ScriptedDialogs::AnswerColor(std::optional<Color> color) {
    answers_.push_back({DialogRequest::Kind::Color, std::nullopt, color});
}

void ScriptedDialogs::SetFailureHandler(std::function<void(const std::string&)> handler) {
    failureHandler = std::move(handler);
}

ScriptedDialogs* ScriptedDialogs::Active() {
    return activeScript;
}

std::optional<ScriptedDialogs::Answer> ScriptedDialogs::Take(const DialogRequest& request) {
    requests_.push_back(request);
    if (!answers_.empty() && answers_.front().kind == request.kind) {
        Answer answer = std::move(answers_.front());
        answers_.pop_front();
        return answer;
    }
    std::string description = std::string("unscripted ") + KindName(request.kind) + " dialog";
    if (!request.fileType.empty())
        description += " for file type \"" + request.fileType + "\"";
    if (!request.text.empty())
        description += ": \"" + request.text + "\"";
    if (!answers_.empty())
        description += std::string(" (the next scripted answer is for a ") + KindName(answers_.front().kind) +
                       " dialog)";
    if (failureHandler)
        failureHandler(description);
    return std::nullopt;
}

std::optional<FolderItem> GetOpenFolderItem(const std::string& fileType) {
    DialogRequest request;
    request.kind = DialogRequest::Kind::Open;
    request.fileType = fileType;
    return ChooseFile(request, [&] {
        return QFileDialog::getOpenFileName(DialogParent(), QString(), QString(), FilterFor(fileType));
    });
}

std::optional<FolderItem> GetSaveFolderItem(const std::string& fileType, const std::string& defaultName) {
    DialogRequest request;
    request.kind = DialogRequest::Kind::Save;
    request.fileType = fileType;
    request.defaultName = defaultName;
    return ChooseFile(request, [&] {
        return QFileDialog::getSaveFileName(DialogParent(), QString(), detail::ToQ(defaultName),
                                            FilterFor(fileType));
    });
}

void MsgBox(const std::string& text) {
    DialogRequest request;
    request.kind = DialogRequest::Kind::Message;
    request.text = text;
    if (ScriptedDialogs* script = ScriptedDialogs::Active()) {
        script->Take(request);
        return;
    }
    detail::HandlerScope scope;
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), detail::DisplayText(text),
                    QMessageBox::Ok, DialogParent());
    box.exec();
}

bool SelectColor(Color& color, const std::string& prompt) {
    DialogRequest request;
    request.kind = DialogRequest::Kind::Color;
    request.text = prompt;
    request.color = color;
    if (ScriptedDialogs* script = ScriptedDialogs::Active()) {
        const auto answer = script->Take(request);
        if (!answer || !answer->color)
            return false;
        color = *answer->color & 0xFFFFFF;
        return true;
    }
    detail::HandlerScope scope;
    const QColor chosen =
        QColorDialog::getColor(detail::ToQColor(color), DialogParent(), detail::ToQ(prompt));
    if (!chosen.isValid())
        return false;
    color = detail::FromQColor(chosen);
    return true;
}

} // namespace rt
