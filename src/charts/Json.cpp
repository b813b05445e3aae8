#include "charts/Json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace kinetra::json {

namespace {

constexpr int kMaxDepth = 64;

class Reader {
public:
    explicit Reader(std::string_view t) : text_(t) {}

    Value document() {
        Value v = value(0);
        blanks();
        if (pos_ != text_.size())
            fail("text after the end of the data");
        return v;
    }

private:
    [[noreturn]] void fail(const std::string& what) const {
        throw FormatError(what + " at character " + std::to_string(pos_ + 1));
    }
    void blanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                       text_[pos_] == '\n' || text_[pos_] == '\r'))
            ++pos_;
    }
    bool literal(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word)
            return false;
        pos_ += word.size();
        return true;
    }
    Value value(int depth) {
        if (depth > kMaxDepth)
            fail("data nested too deeply");
        blanks();
        if (pos_ >= text_.size())
            fail("unexpected end of the file");
        const char c = text_[pos_];
        if (c == '{')
            return object(depth);
        if (c == '[')
            return array(depth);
        if (c == '"')
            return Value(string());
        if (literal("true"))
            return Value(true);
        if (literal("false"))
            return Value(false);
        if (literal("null"))
            return Value();
        return Value(number());
    }
    Value object(int depth) {
        Object o;
        ++pos_;
        blanks();
        if (pos_ < text_.size() && text_[pos_] == '}') {
            ++pos_;
            return Value(std::move(o));
        }
        for (;;) {
            blanks();
            if (pos_ >= text_.size() || text_[pos_] != '"')
                fail("a name in quotes expected");
            std::string key = string();
            blanks();
            if (pos_ >= text_.size() || text_[pos_] != ':')
                fail("':' expected");
            ++pos_;
            o[key] = value(depth + 1);
            blanks();
            if (pos_ < text_.size() && text_[pos_] == ',') {
                ++pos_;
                continue;
            }
            if (pos_ < text_.size() && text_[pos_] == '}') {
                ++pos_;
                return Value(std::move(o));
            }
            fail("',' or '}' expected");
        }
    }
    Value array(int depth) {
        Array a;
        ++pos_;
        blanks();
        if (pos_ < text_.size() && text_[pos_] == ']') {
            ++pos_;
            return Value(std::move(a));
        }
        for (;;) {
            a.push_back(value(depth + 1));
            blanks();
            if (pos_ < text_.size() && text_[pos_] == ',') {
                ++pos_;
                continue;
            }
            if (pos_ < text_.size() && text_[pos_] == ']') {
                ++pos_;
                return Value(std::move(a));
            }
            fail("',' or ']' expected");
        }
    }
    std::string string() {
        std::string out;
        ++pos_;
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == '"')
                return out;
            if (static_cast<unsigned char>(c) < 0x20)
                fail("control character in a text");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size())
                break;
            const char e = text_[pos_++];
            switch (e) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                if (pos_ + 4 > text_.size())
                    fail("short \\u escape");
                unsigned code = 0;
                const auto r =
                    std::from_chars(text_.data() + pos_, text_.data() + pos_ + 4, code, 16);
                if (r.ptr != text_.data() + pos_ + 4)
                    fail("bad \\u escape");
                pos_ += 4;
                // The writer escapes control characters only, so one unit is enough.
                if (code < 0x80) {
                    out += static_cast<char>(code);
                } else if (code < 0x800) {
                    out += static_cast<char>(0xC0 | (code >> 6));
                    out += static_cast<char>(0x80 | (code & 0x3F));
                } else {
                    out += static_cast<char>(0xE0 | (code >> 12));
                    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                    out += static_cast<char>(0x80 | (code & 0x3F));
                }
                break;
            }
            default:
                fail("unknown escape");
            }
        }
        fail("text not closed");
    }
    double number() {
        const std::size_t start = pos_;
        while (pos_ < text_.size() &&
               std::string_view("+-0123456789.eE").find(text_[pos_]) != std::string_view::npos)
            ++pos_;
        double v = 0;
        const auto r = std::from_chars(text_.data() + start, text_.data() + pos_, v);
        if (start == pos_ || r.ec != std::errc() || r.ptr != text_.data() + pos_ ||
            !std::isfinite(v)) {
            pos_ = start;
            fail("a value expected");
        }
        return v;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

void writeString(const std::string& s, std::string& out) {
    out += '"';
    for (char c : s) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
                out += buf;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

void writeValue(const Value& v, std::string& out, int indent) {
    const std::string pad(indent * 2, ' ');
    if (std::holds_alternative<std::nullptr_t>(v.data)) {
        out += "null";
    } else if (const bool* b = std::get_if<bool>(&v.data)) {
        out += *b ? "true" : "false";
    } else if (const double* d = std::get_if<double>(&v.data)) {
        // Shortest text that reads back to the same double.
        char buf[32];
        const auto r = std::to_chars(buf, buf + sizeof buf, *d);
        out.append(buf, r.ptr);
    } else if (const std::string* s = std::get_if<std::string>(&v.data)) {
        writeString(*s, out);
    } else if (const Array* a = std::get_if<Array>(&v.data)) {
        // Arrays of numbers stay on one line: a chart holds thousands of them.
        out += '[';
        for (std::size_t i = 0; i < a->size(); ++i) {
            if (i)
                out += ", ";
            writeValue((*a)[i], out, indent + 1);
        }
        out += ']';
    } else {
        const Object& o = std::get<Object>(v.data);
        out += "{\n";
        std::size_t i = 0;
        for (const auto& [key, value] : o) {
            out += pad + "  ";
            writeString(key, out);
            out += ": ";
            writeValue(value, out, indent + 1);
            out += ++i < o.size() ? ",\n" : "\n";
        }
        out += pad + "}";
    }
}

} // namespace

Value parse(std::string_view text) {
    return Reader(text).document();
}

std::string write(const Value& value) {
    std::string out;
    writeValue(value, out, 0);
    return out + "\n";
}

const Value& member(const Object& o, const std::string& key) {
    const auto it = o.find(key);
    if (it == o.end())
        throw FormatError("\"" + key + "\" is missing");
    return it->second;
}

const Object& asObject(const Value& v, const std::string& what) {
    if (const auto* o = std::get_if<Object>(&v.data))
        return *o;
    throw FormatError("\"" + what + "\" is not a group of named values");
}
const Array& asArray(const Value& v, const std::string& what) {
    if (const auto* a = std::get_if<Array>(&v.data))
        return *a;
    throw FormatError("\"" + what + "\" is not a list");
}
const std::string& asString(const Value& v, const std::string& what) {
    if (const auto* s = std::get_if<std::string>(&v.data))
        return *s;
    throw FormatError("\"" + what + "\" is not a text");
}
double asNumber(const Value& v, const std::string& what) {
    if (const auto* d = std::get_if<double>(&v.data))
        return *d;
    throw FormatError("\"" + what + "\" is not a number");
}
int asInt(const Value& v, const std::string& what, int lo, int hi) {
    const double d = asNumber(v, what);
    if (d != std::floor(d) || d < lo || d > hi)
        throw FormatError("\"" + what + "\" is not a whole number from " + std::to_string(lo) +
                          " to " + std::to_string(hi));
    return static_cast<int>(d);
}
bool asBool(const Value& v, const std::string& what) {
    if (const auto* b = std::get_if<bool>(&v.data))
        return *b;
    throw FormatError("\"" + what + "\" is not true or false");
}

} // namespace kinetra::json
