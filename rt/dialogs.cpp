#include "rt/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QStringList>
#include <QTranslator>
#include <memory>

#include "rt/desktop/dialogplacement.h"
#include "rt/widgetinternal.h"

namespace rt {

namespace {

ScriptedDialogs* activeScript = nullptr;
std::function<void(const std::string&)> failureHandler;
std::unique_ptr<QTranslator> dialogTranslator;

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

// "*.txt *.TXT": the pattern in both cases of letters, since file names here are case-sensitive.
QStringList InEitherCase(const QString& pattern) {
    QStringList patterns{pattern.toLower()};
    if (pattern.toUpper() != patterns.front())
        patterns << pattern.toUpper();
    return patterns;
}

QString Filter(const QString& name, const QStringList& patterns) {
    return name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QStringLiteral(")");
}

// The name filters of a file dialog, the one chosen at first in front: the default name's
// extension when the file type lacks it (a DXF file saved under the text type), then the file
// type's extensions, then every file.
std::vector<std::string> FiltersFor(const std::string& fileType, const std::string& defaultName) {
    QStringList typePatterns;
    const FileType* type = FindFileType(fileType);
    if (type != nullptr) {
        for (const QString& extension :
             detail::ToQ(type->Extensions).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString trimmed = extension.trimmed();
            typePatterns << InEitherCase(trimmed.startsWith(QLatin1Char('.')) ? QStringLiteral("*") + trimmed
                                                                              : trimmed);
        }
    }
    std::vector<std::string> filters;
    const QString suffix = QFileInfo(detail::ToQ(defaultName)).suffix();
    if (!suffix.isEmpty() && !typePatterns.contains(QStringLiteral("*.") + suffix, Qt::CaseInsensitive))
        filters.push_back(
            detail::FromQ(Filter(suffix.toUpper(), InEitherCase(QStringLiteral("*.") + suffix))));
    if (!typePatterns.isEmpty())
        filters.push_back(detail::FromQ(Filter(detail::ToQ(type->Name), typePatterns)));
    filters.push_back(detail::FromQ(QCoreApplication::translate("QFileDialog", "All Files (*)")));
    return filters;
}

QString JoinedFilters(const std::vector<std::string>& filters) {
    QStringList joined;
    for (const std::string& filter : filters)
        joined << detail::ToQ(filter);
    return joined.join(QStringLiteral(";;"));
}

QWidget* DialogParent() {
    return detail::OwnerWindow();
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

UserDialogs::UserDialogs() : suspended_(activeScript) {
    activeScript = nullptr;
}

UserDialogs::~UserDialogs() {
    activeScript = suspended_;
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
    request.filters = FiltersFor(fileType, std::string());
    return ChooseFile(request, [&] {
        return QFileDialog::getOpenFileName(DialogParent(), QString(), QString(),
                                            JoinedFilters(request.filters));
    });
}

std::optional<FolderItem> GetSaveFolderItem(const std::string& fileType, const std::string& defaultName) {
    DialogRequest request;
    request.kind = DialogRequest::Kind::Save;
    request.fileType = fileType;
    request.defaultName = defaultName;
    request.filters = FiltersFor(fileType, defaultName);
    return ChooseFile(request, [&] {
        return QFileDialog::getSaveFileName(DialogParent(), QString(), detail::ToQ(defaultName),
                                            JoinedFilters(request.filters));
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

bool SetDialogLanguage(const std::string& language) {
    if (dialogTranslator) {
        QCoreApplication::removeTranslator(dialogTranslator.get());
        dialogTranslator.reset();
    }
    if (language == "en")
        return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLocale(detail::ToQ(language)), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.get());
    dialogTranslator = std::move(translator);
    return true;
}

} // namespace rt
