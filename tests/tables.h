// Data tables for Qt Test, shared by the unit, window and end-to-end tests: columns<A, B>("a",
// "b") declares a table's columns, row("tag", a, b) adds a row, and fetch<A, B>("a", "b") returns
// the current row's values for a structured binding.
#pragma once

#include <QString>
#include <QTest>

#include <tuple>

namespace testsupport {

template <typename... T, typename... Name> void columns(Name... names)
{
    static_assert(sizeof...(T) == sizeof...(Name));
    (QTest::addColumn<T>(names), ...);
}

template <typename... T> QTestData &row(const char *tag, T... values)
{
    return (QTest::newRow(tag) << ... << values);
}

template <typename... T, typename... Name> std::tuple<T...> fetch(Name... names)
{
    static_assert(sizeof...(T) == sizeof...(Name));
    return {*static_cast<T *>(QTest::qData(names, qMetaTypeId<T>()))...};
}

// The current row's tag, for tables whose rows are named after what they check.
inline QString dataTag()
{
    return QString::fromUtf8(QTest::currentDataTag());
}

} // namespace testsupport
