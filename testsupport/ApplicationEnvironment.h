#pragma once

#include <QCoreApplication>
#include <QLocale>
#include <QtGlobal>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace testsupport {

// One Qt application object (QApplication, QGuiApplication, …) for a whole test program, created
// when the tests start and deleted before static destruction begins, in the C locale. An
// application that already exists is left alone. `offscreen` selects the offscreen platform for programs whose environment
// does not set it; `configure` runs once on the new application.
template <class App> class ApplicationEnvironment : public ::testing::Environment {
public:
    explicit ApplicationEnvironment(const char* name, bool offscreen = false,
                                    std::function<void(App&)> configure = {})
        : m_name(name), m_offscreen(offscreen), m_configure(std::move(configure)) {}

    void SetUp() override {
        if (QCoreApplication::instance())
            return;
        if (m_offscreen)
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // Numbers and texts the same on every machine, whatever LANG says.
        QLocale::setDefault(QLocale::c());
        m_argv[0] = m_name.data();
        m_app = new App(m_argc, m_argv);
        if (m_configure)
            m_configure(*m_app);
    }
    void TearDown() override {
        delete m_app;
        m_app = nullptr;
    }

private:
    std::string m_name;
    bool m_offscreen;
    std::function<void(App&)> m_configure;
    int m_argc = 1;
    char* m_argv[2] = {nullptr, nullptr};
    App* m_app = nullptr;
};

template <class App>
::testing::Environment* InstallApplication(const char* name, bool offscreen = false,
                                           std::function<void(App&)> configure = {}) {
    return ::testing::AddGlobalTestEnvironment(
        new ApplicationEnvironment<App>(name, offscreen, std::move(configure)));
}

} // namespace testsupport
