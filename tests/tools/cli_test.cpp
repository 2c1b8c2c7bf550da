#include "scratch_dir.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

ToolRun arveloHost(const QStringList& args, const QByteArray& input = QByteArray()) {
    QProcess p;
    p.start(QStringLiteral(ARVELO_HOST_TOOL), args);
    if (!p.waitForStarted()) {
        return {};
    }
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(120000);
    return ToolRun{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                   p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
}

// The tool's commands as a user runs them: exit codes, output and messages.
TEST(ArveloHostTool, RunsItsCommands) {
    QTemporaryDir dir(arvelo::testing::scratchTemplate());
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path() + QStringLiteral("/data");

    EXPECT_EQ(arveloHost({}).exitCode, 2);
    EXPECT_EQ(
        arveloHost({QStringLiteral("demo"), root, QStringLiteral("--lines"), QStringLiteral("x")})
            .exitCode,
        2);
    const ToolRun schema = arveloHost({QStringLiteral("schema")});
    EXPECT_EQ(schema.exitCode, 0);
    EXPECT_TRUE(schema.out.contains("UCDENIK\trok\t"));
    EXPECT_TRUE(schema.out.contains("PRISTUP\tdata\t"));
    EXPECT_TRUE(arveloHost({QStringLiteral("schema"), QStringLiteral("ucdenik")})
                    .out.contains("index UcMD"));
    EXPECT_EQ(arveloHost({QStringLiteral("schema"), QStringLiteral("NIC")}).exitCode, 1);

    const ToolRun demo =
        arveloHost({QStringLiteral("demo"), root, QStringLiteral("--lines"), QStringLiteral("300"),
                    QStringLiteral("--years"), QStringLiteral("1"), QStringLiteral("--seed"),
                    QStringLiteral("3")});
    ASSERT_EQ(demo.exitCode, 0) << demo.err.toStdString();
    EXPECT_TRUE(demo.out.contains("AGENDA.001/ROK.001/UCDENIK: 300 "));

    // Dump in index order, import into a new table, dump again.
    const QString journal = root + QStringLiteral("/agenda.001/rok.001/ucdenik");
    const ToolRun first = arveloHost(
        {QStringLiteral("dump"), journal, QStringLiteral("--index"), QStringLiteral("UcMD")});
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_EQ(first.out.count("\r\n"), 301);
    QFile csv(dir.path() + QStringLiteral("/journal.csv"));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write(first.out);
    csv.close();
    const QString copy = dir.path() + QStringLiteral("/UCDENIK");
    const ToolRun imported = arveloHost({QStringLiteral("import"), copy, csv.fileName()});
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_EQ(arveloHost(
                  {QStringLiteral("dump"), copy, QStringLiteral("--index"), QStringLiteral("ucmd")})
                  .out,
              first.out);
    EXPECT_EQ(arveloHost(
                  {QStringLiteral("dump"), copy, QStringLiteral("--index"), QStringLiteral("Neni")})
                  .exitCode,
              1);

    // A bad row: its line in the message, nothing written.
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("Cislo,Castka\r\n1,10.00\r\n2,deset\r\n");
    csv.close();
    const ToolRun bad = arveloHost({QStringLiteral("import"), copy, csv.fileName()});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("Řádek 3, pole Castka"))) << bad.err.toStdString();
    EXPECT_TRUE(bad.err.contains(QStringLiteral("Nic nebylo zapsáno")));
    EXPECT_EQ(arveloHost(
                  {QStringLiteral("dump"), copy, QStringLiteral("--index"), QStringLiteral("UcMD")})
                  .out,
              first.out);
}

} // namespace
