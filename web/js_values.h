// SPDX-License-Identifier: MIT
#pragma once

#include <emscripten/val.h>

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace lumora::web {

// Plain JavaScript values made from the core's records: a record becomes an
// object by a table of its members, a list an array, so that the page never
// holds a C++ object it would have to free.

using emscripten::val;

inline val Js(const std::string& text) { return val(text); }
inline val Js(std::string_view text) { return val(std::string(text)); }
inline val Js(bool yes) { return val(yes); }
inline val Js(std::size_t count) { return val(static_cast<double>(count)); }

// One member of a record as the page reads it: the record's own member
// (&RunLine::Label), or what a function makes of the record.
template <typename Record> struct Member {
    template <typename T>
    Member(const char* name, T Record::*member) : key(name), get([member](const Record& r) { return Js(r.*member); })
    {
    }
    template <typename Get>
    requires std::is_invocable_r_v<val, Get, const Record&> Member(const char* name, Get made) : key(name), get(made) {}
    const char* key;
    std::function<val(const Record&)> get;
};

template <typename Record, std::size_t N> val ToJs(const Record& record, const Member<Record> (&members)[N])
{
    val object = val::object();
    for (const Member<Record>& member : members)
        object.set(member.key, member.get(record));
    return object;
}

template <typename List, typename Record, std::size_t N>
val ArrayOf(const List& list, const Member<Record> (&members)[N])
{
    val array = val::array();
    for (const Record& record : list)
        array.call<void>("push", ToJs(record, members));
    return array;
}

inline val Strings(std::span<const std::string> items)
{
    val array = val::array();
    for (const std::string& item : items)
        array.call<void>("push", item);
    return array;
}

inline val Text(std::string_view text) { return val(std::string(text)); }

} // namespace lumora::web
