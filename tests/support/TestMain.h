#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace quorix::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

// Adds a Qt Test class to the executable of its folder; see QUORIX_TEST.
bool registerTest(const char* name, TestFactory factory);

// Folder that stands in for the folder of the executable during this test run: the
// settings file, the history files and the lock name are derived from a program file in
// it, so no test writes beside the build output.
QString programFolder();

} // namespace quorix::test

// Registers a test class; put it after the class in its .cpp file.
#define QUORIX_TEST(Class)                                                                       \
    static const bool Class##_registered =                                                       \
        quorix::test::registerTest(#Class, [] { return std::make_unique<Class>(); });
