#include "window/Failure.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

struct Outcome {
    QProcess::ExitStatus status;
    int exitCode;
    QString errorOutput;
};

Outcome startDragonfold(const QProcessEnvironment& environment)
{
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(DRAGONFOLD_EXECUTABLE), {});
    EXPECT_TRUE(program.waitForFinished(20000));
    return {program.exitStatus(), program.exitCode(), QString::fromUtf8(program.readAllStandardError())};
}

QProcessEnvironment withoutAnyDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

TEST(StartWithoutDisplay, ReportsItInOneLineAndExitsWithStatus1)
{
    struct Case {
        std::vector<std::pair<QString, QString>> settings;
        std::vector<QString> said;  // what the one line must contain, the cause first
    };
    const QTemporaryDir runtimeDirectory;  // where a Wayland client looks for its display
    const Case cases[] = {
        {{}, {"DISPLAY is not set", "DISPLAY=:0", "QT_QPA_PLATFORM"}},
        {{{"DISPLAY", ":9876"}}, {"DISPLAY=:9876 does not answer", "DISPLAY=:0", "QT_QPA_PLATFORM"}},
        {{{"WAYLAND_DISPLAY", "no-such-wayland-socket"}, {"QT_QPA_PLATFORM", "wayland"},
          {"XDG_RUNTIME_DIR", runtimeDirectory.path()}},
         {"WAYLAND_DISPLAY=no-such-wayland-socket does not answer", "QT_QPA_PLATFORM"}},
        // A plugin Qt does not have is named, with the ones it has.
        {{{"QT_QPA_PLATFORM", "nosuchplatform"}},
         {"Qt has no platform plugin \"nosuchplatform\" here", "the platform plugins here are: ", "xcb",
          "set QT_QPA_PLATFORM to one of those"}},
    };
    for (const Case& example : cases) {
        QProcessEnvironment environment = withoutAnyDisplay();
        for (const auto& [name, value] : example.settings)
            environment.insert(name, value);
        const Outcome outcome = startDragonfold(environment);
        const std::string output = outcome.errorOutput.toStdString();
        EXPECT_EQ(outcome.status, QProcess::NormalExit) << "no abort, no core dump: " << output;
        EXPECT_EQ(outcome.exitCode, 1) << output;
        EXPECT_TRUE(output.starts_with("dragonfold: " + std::string(failureHeadline(FailureKind::Start))
                                       + " cannot open the display: "))
            << output;
        for (const QString& part : example.said)
            EXPECT_TRUE(outcome.errorOutput.contains(part)) << part.toStdString() << " in " << output;
        EXPECT_EQ(outcome.errorOutput.count('\n'), 1) << output;
    }
}

} // namespace
