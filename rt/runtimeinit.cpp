#include "rt/runtimeinit.h"

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <string>
#include <utility>
#include <vector>

#include "rt/desktop/platformchoice.h"
#include "rt/desktop/sessionbus.h"

namespace rt {

namespace {

std::vector<std::string> CommandLine(int argc, const char* const* argv) {
    std::vector<std::string> arguments;
    for (int i = 0; argv != nullptr && i < argc && argv[i] != nullptr; ++i)
        arguments.emplace_back(argv[i]);
    return WithPlatformChoice(std::move(arguments), qgetenv("QT_QPA_PLATFORM").toStdString(),
                              qgetenv("DISPLAY").toStdString());
}

// The argument vector of `arguments`, ended by a null pointer as a program's own is.
std::vector<char*> ArgumentVector(std::vector<std::string>& arguments) {
    std::vector<char*> vector;
    vector.reserve(arguments.size() + 1);
    for (std::string& argument : arguments)
        vector.push_back(argument.data());
    vector.push_back(nullptr);
    return vector;
}

} // namespace

struct RuntimeInit::Impl {
    explicit Impl(std::vector<std::string> commandLine)
        : arguments(std::move(commandLine)), argumentVector(ArgumentVector(arguments)),
          argumentCount(static_cast<int>(arguments.size())),
          application(argumentCount, argumentVector.data()) {}

    // The application keeps the command line for its lifetime and takes its own options out.
    std::vector<std::string> arguments;
    std::vector<char*> argumentVector;
    int argumentCount;
    QApplication application;
};

RuntimeInit::RuntimeInit(int argc, const char* const* argv, const std::string& applicationName) {
    QApplication::setApplicationName(QString::fromStdString(applicationName));
    QApplication::setOrganizationName(QString());
    std::vector<std::string> commandLine = CommandLine(argc, argv);
    detail::OffSessionBus offBus(XDisplayOf(commandLine, qgetenv("DISPLAY").toStdString()));
    impl_ = std::make_unique<Impl>(std::move(commandLine));
    offBus.StartAccessibility();
}

RuntimeInit::~RuntimeInit() = default;

} // namespace rt
