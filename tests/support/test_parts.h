#pragma once
// A slow test program split into parts that CTest runs side by side. Each
// part is one process running some of the test functions; a function not
// named in the table runs in part 0, so a new test is never left out.
//
//   VX_TEST_PARTS_MAIN(TstCli, {{"fullWrite", 1}, {"interruptedWrite", 2}})
//   add_test(NAME tst_cli_part1 COMMAND tst_cli --part 1)
//
// Without --part, every function runs, as with QTEST_GUILESS_MAIN.

#include <QCoreApplication>
#include <QHash>
#include <QMetaMethod>
#include <QStringList>
#include <QTest>

#include <vector>

namespace vx::test {

inline int runTestPart(QObject& test, int argc, char** argv, const QHash<QString, int>& parts)
{
    QStringList args;
    int part = -1;
    for (int i = 0; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--part") && i + 1 < argc)
            part = QString::fromLocal8Bit(argv[++i]).toInt();
        else
            args << arg;
    }
    if (part >= 0) {
        static const QStringList fixtures{QStringLiteral("initTestCase"), QStringLiteral("cleanupTestCase"),
                                          QStringLiteral("init"), QStringLiteral("cleanup")};
        const QMetaObject* meta = test.metaObject();
        for (int m = meta->methodOffset(); m < meta->methodCount(); ++m) {
            const QMetaMethod method = meta->method(m);
            const QString name = QString::fromLatin1(method.name());
            if (method.methodType() != QMetaMethod::Slot || method.access() != QMetaMethod::Private ||
                method.parameterCount() != 0 || fixtures.contains(name) || name.endsWith(QLatin1String("_data")))
                continue;
            if (parts.value(name, 0) == part)
                args << name;
        }
    }
    return QTest::qExec(&test, args);
}

}  // namespace vx::test

#define VX_TEST_PARTS_MAIN(TestObject, ...)                                        \
    int main(int argc, char** argv)                                                \
    {                                                                              \
        QCoreApplication app(argc, argv);                                          \
        TestObject test;                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                 \
        return vx::test::runTestPart(test, argc, argv, QHash<QString, int>__VA_ARGS__); \
    }
