#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

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

void expectOneClearLineAndStatus1(const Outcome& outcome, const char* cause)
{
    EXPECT_EQ(outcome.status, QProcess::NormalExit) << "no abort, no core dump";
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_TRUE(outcome.errorOutput.startsWith("dragonfold: cannot open the display: ")) << outcome.errorOutput.toStdString();
    EXPECT_TRUE(outcome.errorOutput.contains(QString::fromLatin1(cause))) << outcome.errorOutput.toStdString();
    EXPECT_TRUE(outcome.errorOutput.contains("DISPLAY=:0"));
    EXPECT_TRUE(outcome.errorOutput.contains("QT_QPA_PLATFORM"));
    EXPECT_EQ(outcome.errorOutput.count('\n'), 1) << outcome.errorOutput.toStdString();
}

TEST(StartWithoutDisplay, ReportsItInOneLineAndExitsWithStatus1)
{
    expectOneClearLineAndStatus1(startDragonfold(withoutAnyDisplay()), "DISPLAY is not set");

    QProcessEnvironment silentServer = withoutAnyDisplay();
    silentServer.insert("DISPLAY", ":9876");
    expectOneClearLineAndStatus1(startDragonfold(silentServer), "DISPLAY=:9876 does not answer");

    QProcessEnvironment unknownPlatform = withoutAnyDisplay();
    unknownPlatform.insert("QT_QPA_PLATFORM", "nosuchplatform");
    expectOneClearLineAndStatus1(startDragonfold(unknownPlatform), "QT_QPA_PLATFORM=nosuchplatform");
}

} // namespace
