// A small JSON value with a strict reader and a writer, enough for the chart files. The reader
// refuses anything malformed with a reason and bounds nesting, so a damaged file cannot exhaust
// the stack.
#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kinetra::json {

struct Value;
using Array = std::vector<Value>;
using Object = std::map<std::string, Value>;

struct Value {
    std::variant<std::nullptr_t, bool, double, std::string, Array, Object> data = nullptr;

    Value() = default;
    Value(bool b) : data(b) {}
    Value(double d) : data(d) {}
    Value(int i) : data(static_cast<double>(i)) {}
    Value(std::string s) : data(std::move(s)) {}
    Value(const char* s) : data(std::string(s)) {}
    Value(Array a) : data(std::move(a)) {}
    Value(Object o) : data(std::move(o)) {}
};

// A file that does not say what it should; the message names the offending place.
struct FormatError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

Value parse(std::string_view text); // throws FormatError
std::string write(const Value& value);

// Typed access that throws FormatError naming the key.
const Value& member(const Object& o, const std::string& key);
const Object& asObject(const Value& v, const std::string& what);
const Array& asArray(const Value& v, const std::string& what);
const std::string& asString(const Value& v, const std::string& what);
double asNumber(const Value& v, const std::string& what);
int asInt(const Value& v, const std::string& what, int lo, int hi);
bool asBool(const Value& v, const std::string& what);

} // namespace kinetra::json
