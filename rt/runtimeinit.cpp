#include "rt/runtimeinit.h"

#include <QApplication>
#include <QString>

namespace rt {

struct RuntimeInit::Impl {
    Impl(int& argc, char** argv) : application(argc, argv) {}
    QApplication application;
};

RuntimeInit::RuntimeInit(int& argc, char** argv, const std::string& applicationName) {
    QApplication::setApplicationName(QString::fromStdString(applicationName));
    QApplication::setOrganizationName(QString());
    impl_ = std::make_unique<Impl>(argc, argv);
}

RuntimeInit::~RuntimeInit() = default;

} // namespace rt
