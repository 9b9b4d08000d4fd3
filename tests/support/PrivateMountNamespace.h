#pragma once

#include <QCoreApplication>
#include <QString>
#include <QtTest>

namespace quillmere::test {

// Puts a test program in a mount namespace of its own, so that the tmpfs, bind and
// FUSE mounts it makes are seen by no other process and vanish with it, whatever
// happens to the test.
class PrivateMountNamespace final {
public:
    // Called first in main(). Outside a private namespace it re-executes the program
    // under `unshare -m --propagation private` and returns only when that cannot be
    // done, with the reason. Inside one it returns an empty text.
    static QString enter(char** argv);
    static bool isActive();
};

} // namespace quillmere::test

// main() for a test object whose constructor takes the reason the namespace is
// unavailable (empty when the program runs inside it).
#define QUILLMERE_PRIVATE_MOUNTS_MAIN(TestObject)                                                            \
    int main(int argc, char** argv) {                                                                        \
        const QString refusal = quillmere::test::PrivateMountNamespace::enter(argv);                         \
        QCoreApplication app(argc, argv);                                                                    \
        TestObject test(refusal);                                                                            \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
