// Texts from the command line or standard input on their way to a terminal or
// a script: what may pass raw, how the rest is shown, how wide it is.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace quorvel::cli {

// Valid UTF-8 holding no control character (C0, DEL, C1), line or paragraph
// separator, or bidirectional control: what a size or a country may be.
bool IsClean(std::string_view text);

// The text with everything invisible escaped: a byte that is not UTF-8 or an
// ASCII control as \xNN; any other control, format character (U+FEFF,
// zero-width, tag characters...) or line or paragraph separator as \uNNNN,
// or \UNNNNNNNN beyond U+FFFF.
std::string Printable(std::string_view text);

// Terminal columns of a clean text: none for combining marks, format
// characters but the soft hyphen and conjoining Hangul vowels and final
// consonants; two for East Asian wide and fullwidth characters; one for the
// rest.
std::size_t DisplayWidth(std::string_view text);

// The text as a JSON string, quotes included, appended to `out`. Quotes,
// backslashes and whatever IsClean refuses are escaped; bytes that are not
// UTF-8 become U+FFFD.
void AppendJsonString(std::string& out, std::string_view text);

// JSON objects and arrays written into a string, the writer putting the
// commas: Begin().Key("a").String("b").Key("c").Begin('[').Number(1).End().End()
// writes {"a":"b","c":[1]}. Keys are written as they are.
class JsonWriter {
public:
    explicit JsonWriter(std::string& out) : out_(out) {}

    // An object ('{') or array ('['), as the next value.
    JsonWriter& Begin(char bracket = '{')
    {
        Comma();
        out_ += bracket;
        closers_[depth_++] = bracket == '{' ? '}' : ']';
        comma_ = false;
        return *this;
    }
    JsonWriter& End()
    {
        out_ += closers_[--depth_];
        comma_ = true;
        return *this;
    }
    JsonWriter& Key(std::string_view key)
    {
        // One append, not four: --batch --json writes twenty keys a line.
        char head[24];
        char* p = head;
        if (comma_) *p++ = ',';
        *p++ = '"';
        comma_ = false;
        if (key.size() > 20) {
            (out_.append(head, std::size_t(p - head)) += key) += "\":";
            return *this;
        }
        p = std::copy(key.begin(), key.end(), p);
        *p++ = '"';
        *p++ = ':';
        out_.append(head, std::size_t(p - head));
        return *this;
    }
    JsonWriter& String(std::string_view text)
    {
        Comma();
        AppendJsonString(out_, text);
        comma_ = true;
        return *this;
    }
    JsonWriter& Number(unsigned long n);
    JsonWriter& Bool(bool b) { return Literal(b ? "true" : "false"); }
    JsonWriter& Null() { return Literal("null"); }

private:
    JsonWriter& Literal(std::string_view text)
    {
        Comma();
        out_ += text;
        comma_ = true;
        return *this;
    }
    // Values and keys are separated by commas, but not a key from its value.
    void Comma()
    {
        if (comma_) out_ += ',';
    }

    std::string& out_;
    char closers_[8];
    int depth_ = 0;
    bool comma_ = false;  // a value was written last
};

}  // namespace quorvel::cli
