// Texts from the command line or standard input on their way to a terminal or
// a script: what may pass raw, how the rest is shown, how wide it is.
#pragma once

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
// writes {"a":"b","c":[1]}. Keys are written as they are. What is written
// reaches the string when the outermost value ends.
class JsonWriter {
public:
    explicit JsonWriter(std::string& out) : out_(out) {}
    ~JsonWriter() { Spill(); }
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    // An object ('{') or array ('['), as the next value.
    JsonWriter& Begin(char bracket = '{')
    {
        char* p = Room(2);
        if (comma_) *p++ = ',';
        *p++ = bracket;
        used_ = std::size_t(p - buffer_);
        closers_[depth_++] = bracket == '{' ? '}' : ']';
        comma_ = false;
        return *this;
    }
    JsonWriter& End()
    {
        *Room(1) = closers_[--depth_];
        ++used_;
        comma_ = true;
        if (depth_ == 0) Spill();
        return *this;
    }
    JsonWriter& Key(std::string_view key)
    {
        if (key.size() > kRoom - 4) return Raw(key, '"', "\":"), comma_ = false, *this;
        char* p = Room(key.size() + 4);
        if (comma_) *p++ = ',';
        *p++ = '"';
        for (char c : key) *p++ = c;
        *p++ = '"';
        *p++ = ':';
        used_ = std::size_t(p - buffer_);
        comma_ = false;
        return *this;
    }
    // Quotes, backslashes and whatever IsClean refuses escaped.
    JsonWriter& String(std::string_view text);
    JsonWriter& Number(unsigned long n);
    JsonWriter& Bool(bool b) { return Raw(b ? "true" : "false"); }
    JsonWriter& Null() { return Raw("null"); }

private:
    static constexpr std::size_t kRoom = 512;

    // Space for `n` <= kRoom more bytes in the buffer.
    char* Room(std::size_t n)
    {
        if (used_ + n > kRoom) Spill();
        return buffer_ + used_;
    }
    void Spill()
    {
        out_.append(buffer_, used_);
        used_ = 0;
    }
    // A value written as it is, between `before` and `after`.
    JsonWriter& Raw(std::string_view text, char before = 0, std::string_view after = {});

    std::string& out_;
    char buffer_[kRoom];  // appending piece by piece to the string costs twice as much
    std::size_t used_ = 0;
    char closers_[8];
    int depth_ = 0;
    bool comma_ = false;  // a value was written last
};

}  // namespace quorvel::cli
