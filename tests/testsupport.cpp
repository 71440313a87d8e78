#include "testsupport.h"

#include <QFile>

#include <gtest/gtest.h>

namespace skyraid::test {

QString builtProgram(const QString& name)
{
    return QStringLiteral(SKYRAID_BIN_DIR "/") + name;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void expectGoldenText(const QString& fileName, const QByteArray& text)
{
    QFile file(QStringLiteral(SKYRAID_TEST_SOURCE_DIR "/golden/") + fileName);
    if (qEnvironmentVariableIsSet("SKYRAID_UPDATE_GOLDEN")) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
    }
    ASSERT_TRUE(file.open(QIODevice::ReadOnly))
        << "run once with SKYRAID_UPDATE_GOLDEN=1 to make it";
    EXPECT_EQ(file.readAll().toStdString(), text.toStdString());
}

} // namespace skyraid::test
